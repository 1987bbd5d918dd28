// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/picture.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/mem.h>
}
#include <cstring>
#include <utility>

Picture::Picture(Picture &&other) noexcept
{
    *this = std::move(other);
}

Picture &Picture::operator=(Picture &&other) noexcept
{
    if (this != &other) {
        release();
        std::swap(data, other.data);
        std::swap(linesize, other.linesize);
        std::swap(age, other.age);
        std::swap(serial, other.serial);
        std::swap(w, other.w);
        std::swap(h, other.h);
        std::swap(fmt, other.fmt);
    }
    return *this;
}

bool Picture::allocate(int width, int height, AVPixelFormat format)
{
    release();
    if (width <= 0 || height <= 0)
        return false;
    // Alignment 1 keeps rows without padding, so a BGRA frame is exactly width * 4 bytes a row.
    if (av_image_alloc(data, linesize, width, height, format, 1) < 0) {
        release();
        return false;
    }
    w = width;
    h = height;
    fmt = format;
    return true;
}

void Picture::release()
{
    if (data[0])
        av_freep(&data[0]);
    for (int i = 0; i < 4; ++i) {
        data[i] = nullptr;
        linesize[i] = 0;
    }
    w = h = 0;
    fmt = AV_PIX_FMT_NONE;
}

void Picture::fill(uint8_t value)
{
    if (data[0])
        std::memset(data[0], value, static_cast<size_t>(linesize[0]) * static_cast<size_t>(h));
}
