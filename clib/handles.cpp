// SPDX-License-Identifier: GPL-3.0-or-later
#include "clib/handles.h"

#include <AL/alc.h>
#include <libexif/exif-data.h>
#include <libexif/exif-loader.h>
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

void FormatContextDeleter::operator()(AVFormatContext *context) const
{
    avformat_close_input(&context);
}

void CodecContextDeleter::operator()(AVCodecContext *context) const
{
    avcodec_free_context(&context);
}

void PacketDeleter::operator()(AVPacket *packet) const
{
    av_packet_free(&packet);
}

void FrameDeleter::operator()(AVFrame *frame) const
{
    av_frame_free(&frame);
}

void AudioFifoDeleter::operator()(AVAudioFifo *fifo) const
{
    av_audio_fifo_free(fifo);
}

void ResamplerDeleter::operator()(SwrContext *context) const
{
    swr_free(&context);
}

void ScalerDeleter::operator()(SwsContext *context) const
{
    sws_freeContext(context);
}

void ExifDataDeleter::operator()(ExifData *data) const
{
    exif_data_unref(data);
}

void ExifLoaderDeleter::operator()(ExifLoader *loader) const
{
    exif_loader_unref(loader);
}

void ALDeviceDeleter::operator()(ALCdevice *device) const
{
    alcCloseDevice(device);
}

void ALContextDeleter::operator()(ALCcontext *context) const
{
    if (alcGetCurrentContext() == context)
        alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
}
