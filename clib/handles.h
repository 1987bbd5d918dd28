// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Owners of the C libraries' handles (FFmpeg, libexif, OpenAL): each releases its handle with
// the library's own free function. Only forward declarations here, so that including this does
// not pull in the libraries' headers.

#include <memory>

struct AVAudioFifo;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;
struct SwsContext;
typedef struct _ExifData ExifData;
typedef struct _ExifLoader ExifLoader;
typedef struct ALCdevice_struct ALCdevice;
typedef struct ALCcontext_struct ALCcontext;

struct FormatContextDeleter
{
    void operator()(AVFormatContext *context) const;
};
struct CodecContextDeleter
{
    void operator()(AVCodecContext *context) const;
};
struct PacketDeleter
{
    void operator()(AVPacket *packet) const;
};
struct FrameDeleter
{
    void operator()(AVFrame *frame) const;
};
struct ResamplerDeleter
{
    void operator()(SwrContext *context) const;
};
struct AudioFifoDeleter
{
    void operator()(AVAudioFifo *fifo) const;
};
struct ScalerDeleter
{
    void operator()(SwsContext *context) const;
};
struct ExifDataDeleter
{
    void operator()(ExifData *data) const;
};
struct ExifLoaderDeleter
{
    void operator()(ExifLoader *loader) const;
};
struct ALDeviceDeleter
{
    void operator()(ALCdevice *device) const;
};
// Makes the context no longer current first when it is.
struct ALContextDeleter
{
    void operator()(ALCcontext *context) const;
};

using FormatContextPtr = std::unique_ptr<AVFormatContext, FormatContextDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerDeleter>;
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AudioFifoDeleter>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerDeleter>;
using ExifDataPtr = std::unique_ptr<ExifData, ExifDataDeleter>;
using ExifLoaderPtr = std::unique_ptr<ExifLoader, ExifLoaderDeleter>;
using ALDevicePtr = std::unique_ptr<ALCdevice, ALDeviceDeleter>;
using ALContextPtr = std::unique_ptr<ALCcontext, ALContextDeleter>;
