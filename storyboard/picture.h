// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

extern "C" {
#include <libavutil/pixfmt.h>
}
#include <cstdint>

// A frame-sized FFmpeg image buffer: four plane pointers and line sizes, as av_image_alloc
// lays them out. Photo and frame pictures are AV_PIX_FMT_BGRA (bytes B, G, R, A), wipe patterns
// AV_PIX_FMT_GRAY8. The age and serial fields belong to the renderer's picture caches (serial
// names the pixels a load put there, so a drawer can tell a picture it already holds). Move-only.
class Picture
{
public:
    Picture() = default;
    Picture(int width, int height, AVPixelFormat format) { allocate(width, height, format); }
    ~Picture() { release(); }
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;
    Picture(Picture &&other) noexcept;
    Picture &operator=(Picture &&other) noexcept;

    // Allocates a new buffer (the old one is freed); false when the size is not allocatable.
    bool allocate(int width, int height, AVPixelFormat format);
    void release();
    // Fills every byte of the first plane with value (height x stride bytes).
    void fill(uint8_t value);

    bool isNull() const { return data[0] == nullptr; }
    int width() const { return w; }
    int height() const { return h; }
    AVPixelFormat format() const { return fmt; }
    uint8_t *row(int y) const { return data[0] + static_cast<std::ptrdiff_t>(y) * linesize[0]; }

    uint8_t *data[4] = {nullptr, nullptr, nullptr, nullptr};
    int linesize[4] = {0, 0, 0, 0};
    uint32_t age = 0;
    uint64_t serial = 0;

private:
    int w = 0;
    int h = 0;
    AVPixelFormat fmt = AV_PIX_FMT_NONE;
};
