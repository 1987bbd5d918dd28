// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audiodecoder.h"

#include "audio/audioring.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <QDebug>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace {

constexpr int OutputBytesPerSample = 2;

QString errorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromUtf8(text);
}

// Opens a local file for demultiplexing and reads its stream information. Only the file
// protocol is allowed, so neither the name nor the content (a playlist, a concatenation list)
// can make the demuxer reach for anything but local files.
FormatContextPtr openContainer(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile()) {
        qDebug() << "Audio: not a regular file:" << path;
        return {};
    }
    const QByteArray url = "file:" + QFile::encodeName(file.absoluteFilePath());
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVFormatContext *raw = nullptr;
    int result = avformat_open_input(&raw, url.constData(), nullptr, &options);
    av_dict_free(&options);
    if (result < 0) {
        qDebug() << "Audio: cannot open" << path << errorText(result);
        return {};
    }
    FormatContextPtr context(raw);
    result = avformat_find_stream_info(context.get(), nullptr);
    if (result < 0) {
        qDebug() << "Audio: no stream information in" << path << errorText(result);
        return {};
    }
    return context;
}

// The first audio stream, in stream order, whose decoder is found and opens; -1 and no codec
// when there is none. A stream without a sample rate or channels cannot be converted and does
// not count.
CodecContextPtr openAudioStream(AVFormatContext *container, int &index)
{
    index = -1;
    for (unsigned i = 0; i < container->nb_streams; ++i) {
        const AVCodecParameters *parameters = container->streams[i]->codecpar;
        if (parameters->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        const AVCodec *decoder = avcodec_find_decoder(parameters->codec_id);
        if (!decoder)
            continue;
        CodecContextPtr codec(avcodec_alloc_context3(decoder));
        if (!codec || avcodec_parameters_to_context(codec.get(), parameters) < 0)
            continue;
        codec->pkt_timebase = container->streams[i]->time_base;
        const int result = avcodec_open2(codec.get(), decoder, nullptr);
        if (result < 0) {
            qDebug() << "Audio: decoder of stream" << i << "does not open:" << errorText(result);
            continue;
        }
        if (codec->sample_rate <= 0 || codec->ch_layout.nb_channels <= 0)
            continue;
        index = int(i);
        return codec;
    }
    return {};
}

// A time in ticks, kept far enough from the 64-bit limits that adding an origin cannot overflow;
// not-a-number counts as 0.
int64_t toTicks(double ticks)
{
    constexpr double Bound = double(int64_t(1) << 60);
    if (!(ticks > -Bound))
        return ticks < 0.0 ? -(int64_t(1) << 60) : 0;
    return ticks < Bound ? int64_t(ticks) : int64_t(1) << 60;
}

AVChannelLayout layoutOf(const AVChannelLayout &layout)
{
    AVChannelLayout result;
    if (layout.order == AV_CHANNEL_ORDER_NATIVE || layout.order == AV_CHANNEL_ORDER_AMBISONIC)
        av_channel_layout_copy(&result, &layout);
    else
        av_channel_layout_default(&result, layout.nb_channels);
    return result;
}

} // namespace

bool readAudioInfo(AudioInfo &info)
{
    info.duration = 0.0;
    info.bitsPerSample = 16;
    const QFileInfo file(info.path);
    info.suffix = file.suffix();
    info.fileSize = file.size();
    info.modified = file.lastModified();

    const FormatContextPtr container = openContainer(info.path);
    if (!container)
        return false;
    int index = -1;
    const CodecContextPtr codec = openAudioStream(container.get(), index);
    if (!codec)
        return false;

    const AVStream *stream = container->streams[index];
    info.channels = codec->ch_layout.nb_channels;
    info.sampleRate = codec->sample_rate;
    double duration = 0.0;
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        duration = double(stream->duration) * av_q2d(stream->time_base);
    if (duration < 0.001 && container->duration != AV_NOPTS_VALUE && container->duration > 0)
        duration = double(container->duration) / AV_TIME_BASE;
    info.duration = duration;
    info.clipStart = 0.0;
    info.clipEnd = duration;
    return true;
}

AudioDecoder::AudioDecoder() = default;

AudioDecoder::~AudioDecoder() = default;

void AudioDecoder::close()
{
    resampler.reset();
    resamplerFormat = -1;
    resamplerRate = 0;
    resamplerLayoutMask = 0;
    resamplerChannels = 0;
    frame.reset();
    packet.reset();
    codec.reset();
    container.reset();
    stream = -1;
    carry.reset();
    stage = Stage::Finished;
    ended = true;
}

bool AudioDecoder::open(const AudioInfo &clip, const AudioInfo &format)
{
    close();
    target = format;
    if (target.channels <= 0 || target.sampleRate <= 0) {
        qDebug() << "Audio: no output format for" << clip.path;
        return false;
    }
    FormatContextPtr file = openContainer(clip.path);
    if (!file)
        return false;
    int index = -1;
    CodecContextPtr decoder = openAudioStream(file.get(), index);
    if (!decoder) {
        qDebug() << "Audio: no decodable audio stream in" << clip.path;
        return false;
    }
    PacketPtr newPacket(av_packet_alloc());
    FramePtr newFrame(av_frame_alloc());
    if (!newPacket || !newFrame)
        return false;

    const AVStream *audio = file->streams[index];
    // In- and out-points count from the start of the stream, which some containers do not put
    // at 0.
    const int64_t origin = audio->start_time != AV_NOPTS_VALUE ? audio->start_time : 0;
    originMicroseconds = av_rescale_q(origin, audio->time_base, AV_TIME_BASE_Q);
    endPts = toTicks(target.clipEnd / av_q2d(audio->time_base)) + origin;

    container = std::move(file);
    codec = std::move(decoder);
    packet = std::move(newPacket);
    frame = std::move(newFrame);
    stream = index;
    const bool sameShape = codec->sample_fmt == AV_SAMPLE_FMT_S16
        && codec->sample_rate == target.sampleRate
        && codec->ch_layout.nb_channels == target.channels;
    if (!sameShape && codec->sample_fmt != AV_SAMPLE_FMT_NONE) {
        AVFrame shape {};
        shape.format = codec->sample_fmt;
        shape.sample_rate = codec->sample_rate;
        shape.ch_layout = codec->ch_layout;
        if (!prepareResampler(&shape)) {
            close();
            return false;
        }
    }
    stage = Stage::Reading;
    ended = false;
    return true;
}

int AudioDecoder::seek(double seconds)
{
    if (!container)
        return AVERROR(EINVAL);
    const int64_t position = toTicks(std::max(seconds, 0.0) * AV_TIME_BASE) + originMicroseconds;
    const int result = av_seek_frame(container.get(), -1, position, AVSEEK_FLAG_ANY);
    if (result < 0)
        qDebug() << "Audio: seek to" << seconds << "s failed:" << errorText(result);
    // Whatever the decoder and the converter still hold belongs to the old position.
    avcodec_flush_buffers(codec.get());
    if (resampler && swr_init(resampler.get()) < 0)
        resampler.reset();
    if (carry)
        av_audio_fifo_reset(carry.get());
    stage = Stage::Reading;
    ended = false;
    return result;
}

bool AudioDecoder::decodeInto(AudioRing &ring, int bytesPerFrame)
{
    if (!container) {
        ended = true;
        return true;
    }
    if (!ring.data())
        return true;
    const int64_t limit = int64_t(bytesPerFrame) * AudioRing::FramesHeld;
    if (!moveCarry(ring))
        return true;
    if (stage == Stage::Finished) {
        ended = true;
        return true;
    }
    for (;;) {
        switch (receiveFrames(ring)) {
        case Output::RingFull:
            return true;
        case Output::Drained:
            flushResampler(ring);
            stage = Stage::Finished;
            ended = carriedSamples() == 0;
            return true;
        case Output::NeedInput:
            break;
        }
        if (stage == Stage::Draining) {
            // A draining decoder never asks for input; treat it as done.
            flushResampler(ring);
            stage = Stage::Finished;
            ended = carriedSamples() == 0;
            return true;
        }
        if (ring.fill() >= limit)
            return true;

        const int read = av_read_frame(container.get(), packet.get());
        if (read < 0) {
            if (read != AVERROR_EOF)
                qDebug() << "Audio: read failed:" << errorText(read);
            startDraining();
            continue;
        }
        if (packet->stream_index != stream) {
            av_packet_unref(packet.get());
            continue;
        }
        if (packet->pts != AV_NOPTS_VALUE && packet->pts > endPts) {
            av_packet_unref(packet.get());
            startDraining();
            continue;
        }
        const int sent = avcodec_send_packet(codec.get(), packet.get());
        av_packet_unref(packet.get());
        // A packet the decoder rejects is dropped; decoding goes on with the next one.
        if (sent < 0)
            qDebug() << "Audio: packet dropped:" << errorText(sent);
    }
}

void AudioDecoder::startDraining()
{
    stage = Stage::Draining;
    const int result = avcodec_send_packet(codec.get(), nullptr);
    if (result < 0 && result != AVERROR_EOF)
        qDebug() << "Audio: cannot drain the decoder:" << errorText(result);
}

AudioDecoder::Output AudioDecoder::receiveFrames(AudioRing &ring)
{
    for (;;) {
        if (carriedSamples() > 0)
            return Output::RingFull;
        const int result = avcodec_receive_frame(codec.get(), frame.get());
        if (result == AVERROR(EAGAIN))
            return Output::NeedInput;
        if (result == AVERROR_EOF)
            return Output::Drained;
        if (result < 0) {
            qDebug() << "Audio: decoding error:" << errorText(result);
            return stage == Stage::Draining ? Output::Drained : Output::NeedInput;
        }
        deliver(frame.get(), ring);
        av_frame_unref(frame.get());
    }
}

void AudioDecoder::deliver(const AVFrame *decoded, AudioRing &ring)
{
    if (decoded->nb_samples <= 0)
        return;
    const bool sameShape = decoded->format == AV_SAMPLE_FMT_S16
        && decoded->sample_rate == target.sampleRate
        && decoded->ch_layout.nb_channels == target.channels;
    if (!sameShape && resamplerFits(decoded)) {
        convert(const_cast<const uint8_t **>(decoded->extended_data), decoded->nb_samples, ring);
        return;
    }
    // The stream is new or changed its shape: the old converter's tail comes first.
    flushResampler(ring);
    resampler.reset();
    resamplerFormat = -1;
    if (sameShape) {
        putBytes(decoded->data[0], decoded->nb_samples * target.channels * OutputBytesPerSample,
                 ring);
        return;
    }
    if (prepareResampler(decoded))
        convert(const_cast<const uint8_t **>(decoded->extended_data), decoded->nb_samples, ring);
}

bool AudioDecoder::resamplerFits(const AVFrame *shape) const
{
    const AVChannelLayout &layout = shape->ch_layout;
    const uint64_t mask = layout.order == AV_CHANNEL_ORDER_NATIVE ? layout.u.mask : 0;
    return resampler && resamplerFormat == shape->format && resamplerRate == shape->sample_rate
        && resamplerLayoutMask == mask && resamplerChannels == layout.nb_channels;
}

bool AudioDecoder::prepareResampler(const AVFrame *shape)
{
    resampler.reset();
    resamplerFormat = -1;
    const AVChannelLayout &layout = shape->ch_layout;
    AVChannelLayout in = layoutOf(layout);
    AVChannelLayout out;
    av_channel_layout_default(&out, target.channels);
    SwrContext *raw = nullptr;
    int result = swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_S16, target.sampleRate, &in,
                                     AVSampleFormat(shape->format), shape->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    ResamplerPtr context(raw);
    if (result >= 0) {
        av_opt_set_int(raw, "filter_size", 16, 0);
        av_opt_set_int(raw, "phase_shift", 10, 0);
        av_opt_set_int(raw, "linear_interp", 0, 0);
        av_opt_set_double(raw, "cutoff", 0.8, 0);
        result = swr_init(raw);
    }
    if (result < 0) {
        qDebug() << "Audio: cannot convert" << av_get_sample_fmt_name(AVSampleFormat(shape->format))
                 << shape->sample_rate << "Hz" << layout.nb_channels
                 << "channels:" << errorText(result);
        return false;
    }
    resampler = std::move(context);
    resamplerFormat = shape->format;
    resamplerRate = shape->sample_rate;
    resamplerLayoutMask = layout.order == AV_CHANNEL_ORDER_NATIVE ? layout.u.mask : 0;
    resamplerChannels = layout.nb_channels;
    return true;
}

void AudioDecoder::flushResampler(AudioRing &ring)
{
    if (resampler)
        convert(nullptr, 0, ring);
}

void AudioDecoder::convert(const uint8_t **in, int inSamples, AudioRing &ring)
{
    const int frameBytes = target.channels * OutputBytesPerSample;
    const int outSamples = std::max(swr_get_out_samples(resampler.get(), inSamples), 0);
    const int64_t need = int64_t(outSamples) * frameBytes;
    if (carriedSamples() == 0 && need <= ring.room()) {
        uint8_t *out = ring.writeArea();
        const int made = swr_convert(resampler.get(), &out, outSamples, in, inSamples);
        if (made < 0) {
            qDebug() << "Audio: conversion failed:" << errorText(made);
            return;
        }
        ring.wrote(made * frameBytes);
        return;
    }
    // The block may not fit behind fill: convert it aside and let the ring take what it can.
    if (int64_t(aside.size()) < need)
        aside.resize(size_t(need));
    uint8_t *out = aside.data();
    const int made = swr_convert(resampler.get(), &out, outSamples, in, inSamples);
    if (made < 0) {
        qDebug() << "Audio: conversion failed:" << errorText(made);
        return;
    }
    addToCarry(aside.data(), made);
    moveCarry(ring);
}

void AudioDecoder::putBytes(const uint8_t *bytes, int size, AudioRing &ring)
{
    const int frameBytes = target.channels * OutputBytesPerSample;
    int taken = 0;
    if (carriedSamples() == 0) {
        const int room = std::max(ring.room(), 0) / frameBytes * frameBytes;
        taken = std::min(size, room);
        if (taken > 0) {
            std::memcpy(ring.writeArea(), bytes, size_t(taken));
            ring.wrote(taken);
        }
        if (taken == size)
            return;
    }
    addToCarry(bytes + taken, (size - taken) / frameBytes);
    moveCarry(ring);
}

void AudioDecoder::addToCarry(const uint8_t *samples, int count)
{
    if (count <= 0)
        return;
    if (!carry)
        carry.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_S16, target.channels, count));
    void *planes[] = {const_cast<uint8_t *>(samples)};
    if (!carry || av_audio_fifo_write(carry.get(), planes, count) < count)
        qDebug() << "Audio: out of memory for" << count << "samples the ring cannot take yet";
}

int AudioDecoder::carriedSamples() const
{
    return carry ? av_audio_fifo_size(carry.get()) : 0;
}

bool AudioDecoder::moveCarry(AudioRing &ring)
{
    const int carried = carriedSamples();
    if (carried == 0)
        return true;
    const int frameBytes = target.channels * OutputBytesPerSample;
    const int taken = std::min(carried, std::max(ring.room(), 0) / frameBytes);
    if (taken > 0) {
        void *planes[] = {ring.writeArea()};
        const int read = av_audio_fifo_read(carry.get(), planes, taken);
        if (read > 0)
            ring.wrote(read * frameBytes);
    }
    return carriedSamples() == 0;
}
