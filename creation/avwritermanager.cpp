// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/avwritermanager.h"

#include "audio/storyboardrender.h"
#include "creation/avpipewriter.h"
#include "creation/videocolour.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include <GL/gl.h>

extern "C" {
#include <libswscale/swscale.h>
}

namespace {

// What the video encoder may have queued before the ticks wait for it: enough frames to keep it
// busy while the next photo is decoded (a large JPEG takes a good part of a second), few enough
// to keep a 1920 x 1080 run small.
constexpr qint64 queuedFrames = 3;
constexpr qint64 queuedBytes = 32 << 20;

} // namespace

AVWriterManager::AVWriterManager(QWidget *parent)
    : GLDrawer(parent, Target::Offscreen)
    , timer(new QTimer(this))
{
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, this, &AVWriterManager::writeVideoAudio);
}

AVWriterManager::~AVWriterManager()
{
    timer->stop();
    deleteWriters();
    AVWriterManager::close();
}

bool AVWriterManager::open(const MediaFormat &mediaFormat)
{
    close();
    format = mediaFormat;
    if (!GLDrawer::open(format.width, format.height, MaxFrameLayers, true))
        return false;
    setClearColor(0.5f, 0.5f, 0.5f, 0.0f);
    const VideoColour::Rows rows = videoColourFor(format.width, format.height).rgbToYuv();
    std::copy(std::begin(rows.y), std::end(rows.y), yuvRows.y);
    std::copy(std::begin(rows.u), std::end(rows.u), yuvRows.u);
    std::copy(std::begin(rows.v), std::end(rows.v), yuvRows.v);
    glFailed = false;
    return true;
}

void AVWriterManager::close()
{
    GLDrawer::close();
    capturePicture.release();
    yuvPicture.release();
    scaler.reset();
    yuvFrame.clear();
    yuvFrame.shrink_to_fit();
}

void AVWriterManager::setVideoWriter(std::unique_ptr<AVPipeWriter> writer)
{
    video = std::move(writer);
    if (video)
        connect(video.get(), &AVPipeWriter::bytesWritten, this, &AVWriterManager::onWriterDrained);
}

void AVWriterManager::setAudioWriter(std::unique_ptr<AVPipeWriter> writer)
{
    audio = std::move(writer);
}

quint32 AVWriterManager::frameTotal() const
{
    return render ? static_cast<quint32>(render->totalFrames()) : 0;
}

qint64 AVWriterManager::audioByteTotal() const
{
    if (!render)
        return 0;
    const int blockAlign = std::max(1, format.channels * format.bitsPerSample / 8);
    const qint64 bytes = qint64 {render->bytesPerFrame()} * frameTotal();
    return bytes - bytes % blockAlign;
}

qint64 AVWriterManager::backlogLimit() const
{
    return std::max(queuedBytes,
                    queuedFrames * (6 + qint64 {format.width} * format.height * 3 / 2));
}

void AVWriterManager::startWriting()
{
    videoFrameCount = 0;
    audioFrameCount = 0;
    audioBytesWritten = 0;
    lastProgress = -1;
    stages = StageTimes();
    // Only 16-bit sound is measured; any other leaves the meter empty.
    writtenMeter.start(format.bitsPerSample == 16 ? format.channels : 0, format.sampleRate);
    running = true;
    paused = throttled = ended = failed = false;
    if (render) {
        // Every frame is drawn once and in order: a photo's picture is of no more use once the
        // photo has left the screen, so no more than one frame's pictures are kept.
        if (!cacheLimited) {
            cacheLimited = true;
            previousCacheLimit = render->cacheLimit();
        }
        render->setCacheLimit(StoryBoardFrames::FrameCacheSize);
        render->startAudio();
    }
    updateTimer();
}

void AVWriterManager::stopWriting()
{
    running = false;
    timer->stop();
    if (render && cacheLimited)
        render->setCacheLimit(previousCacheLimit);
    cacheLimited = false;
    if (!render || !render->isRunning())
        return;
    render->stopAudio();
    // The renderer is seeked and set up again for the preview as soon as the job ends, which
    // its thread must not see: it is waited for however long a busy machine keeps it.
    if (!render->wait(2000)) {
        qWarning("AVWriterManager: the audio thread took more than 2000 ms to stop");
        render->wait();
    }
}

void AVWriterManager::pause()
{
    paused = true;
    updateTimer();
}

void AVWriterManager::resume()
{
    paused = false;
    updateTimer();
}

void AVWriterManager::closeWriters()
{
    if (video)
        video->closeInput();
    if (audio)
        audio->closeInput();
}

void AVWriterManager::deleteWriters()
{
    video.reset();
    audio.reset();
}

void AVWriterManager::updateTimer()
{
    const bool run = running && !paused && !throttled && !ended && !failed;
    if (run && !timer->isActive())
        timer->start(0);
    else if (!run)
        timer->stop();
}

void AVWriterManager::onWriterDrained()
{
    if (throttled && video && video->pendingBytes() <= backlogLimit()) {
        throttled = false;
        stages.waiting += throttledSince.nsecsElapsed();
        updateTimer();
    }
}

void AVWriterManager::fail()
{
    failed = true;
    updateTimer();
    emit writeFailed();
}

void AVWriterManager::writeVideoAudio()
{
    if (!render || ended || failed)
        return;
    if (video && video->pendingBytes() > backlogLimit()) {
        throttled = true;
        throttledSince.start();
        updateTimer();
        return;
    }
    if (!writeNextVideoFrame()) {
        fail();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    if (!movePendingAudio()) {
        fail();
        return;
    }
    stages.sound += clock.nsecsElapsed();

    const quint32 total = frameTotal();
    const int percent = total > 0 ? static_cast<int>(qint64 {videoFrameCount} * 100 / total) : 100;
    if (percent != lastProgress) {
        lastProgress = percent;
        emit progressChanged(percent);
    }
    if (videoFrameCount >= total && audioFrameCount >= total) {
        ended = true;
        updateTimer();
        emit compileEnd();
    }
}

bool AVWriterManager::writeNextVideoFrame()
{
    if (videoFrameCount >= frameTotal())
        return true;
    QElapsedTimer clock;
    clock.start();
    render->drawFrame(static_cast<int>(videoFrameCount), false, this);
    stages.preparing += clock.nsecsElapsed();
    if (conversion == Conversion::Gl && !glFailed) {
        // The frame is read back straight into the buffer the video writer sends out.
        QByteArray frame;
        uint8_t *target = nullptr;
        if (video) {
            frame = video->videoFrameBuffer();
            target = reinterpret_cast<uint8_t *>(frame.data());
        } else {
            yuvFrame.resize(size_t(format.width) * format.height * 3 / 2);
            target = yuvFrame.data();
        }
        if (grabFrameYuv420(yuvRows, target))
            return writeGlConvertedFrame(frame);
        glFailed = true;
        yuvFrame.clear();
        yuvFrame.shrink_to_fit();
        qWarning("AVWriterManager: frames are converted by libswscale from frame %u on",
                 videoFrameCount);
    }
    return writeScaledFrame();
}

bool AVWriterManager::writeGlConvertedFrame(const QByteArray &frame)
{
    stages.painting += lastPaintNs();
    stages.converting += lastConvertNs();
    stages.readingBack += lastReadBackNs();
    QElapsedTimer clock;
    clock.start();
    if (video && !video->writeVideoFrame(frame))
        return false;
    stages.writing += clock.nsecsElapsed();
    ++videoFrameCount;
    return true;
}

bool AVWriterManager::writeScaledFrame()
{
    // Frames are read back in the byte order the drawer's buffer keeps them in (B, G, R, A), which
    // is a plain copy.
    if (capturePicture.isNull()
        && !capturePicture.allocate(format.width, format.height, AV_PIX_FMT_BGRA)) {
        qWarning("AVWriterManager: no %dx%d capture buffer", format.width, format.height);
        return false;
    }
    if (!grabFrame(GL_BGRA, GL_UNSIGNED_BYTE, capturePicture.data[0])) {
        qWarning("AVWriterManager: cannot read frame %u back", videoFrameCount);
        return false;
    }
    stages.painting += lastPaintNs();
    stages.readingBack += lastReadBackNs();
    if (!scaler) {
        // Same size, so only the chroma is resampled: with the chroma computed at full width
        // first, the area filter makes each chroma sample the mean of its 2 x 2 pixels, which is
        // both the faithful 4:2:0 value and about twice as fast as a bicubic filter. libswscale
        // picks the processor's fast paths by itself.
        scaler.reset(sws_getContext(format.width, format.height, AV_PIX_FMT_BGRA, format.width,
                                    format.height, AV_PIX_FMT_YUV420P,
                                    SWS_AREA | SWS_FULL_CHR_H_INP, nullptr, nullptr, nullptr));
        if (!scaler) {
            qWarning("AVWriterManager: no BGRA to YUV 4:2:0 converter");
            return false;
        }
        // The matrix the encoder command line tags the stream with (the scaler's default is
        // BT.601 whatever the size), from full-range RGB to limited-range YUV.
        const int *coefficients
            = sws_getCoefficients(videoColourFor(format.width, format.height).scalerMatrix());
        if (sws_setColorspaceDetails(scaler.get(), coefficients, 1, coefficients, 0, 0, 1 << 16,
                                     1 << 16)
            < 0) {
            qWarning("AVWriterManager: the converter refuses the output's colour matrix");
            return false;
        }
    }
    QElapsedTimer clock;
    clock.start();
    // Where the planes can lie in the writer's own buffer as the converter would lay them out in
    // its own (every line on a 16-byte boundary), they are converted straight into it and go out
    // without another copy.
    const bool fits = video && format.width % 32 == 0 && format.height % 2 == 0;
    QByteArray frame = fits ? video->videoFrameBuffer() : QByteArray();
    const auto start = reinterpret_cast<uint8_t *>(frame.data());
    const size_t lumaSize = size_t(format.width) * format.height;
    uint8_t *const planes[4] = {start, start + lumaSize, start + lumaSize + lumaSize / 4, nullptr};
    const int strides[4] = {format.width, format.width / 2, format.width / 2, 0};
    const bool inPlace = fits && reinterpret_cast<uintptr_t>(start) % 16 == 0;
    if (!inPlace && yuvPicture.isNull()
        && !yuvPicture.allocate(format.width, format.height, AV_PIX_FMT_YUV420P))
        return false;
    sws_scale(scaler.get(), capturePicture.data, capturePicture.linesize, 0, format.height,
              inPlace ? planes : yuvPicture.data, inPlace ? strides : yuvPicture.linesize);
    stages.converting += clock.nsecsElapsed();
    clock.start();
    if (video
        && !(inPlace ? video->writeVideoFrame(frame)
                     : video->writeVideoFrame(yuvPicture.data, yuvPicture.linesize)))
        return false;
    stages.writing += clock.nsecsElapsed();
    ++videoFrameCount;
    return true;
}

bool AVWriterManager::movePendingAudio()
{
    const qint64 wanted = audioByteTotal();
    if (audioFrameCount >= frameTotal())
        return true;
    if (wanted <= 0) {
        // A format without sound (no ring) has nothing to wait for.
        audioFrameCount = frameTotal();
        return true;
    }
    AudioRing &ring = render->ring();
    const AudioRing::TryLock lock(ring);
    if (!lock)
        return true;
    const int bytesPerFrame = render->bytesPerFrame();
    const int blockAlign = std::max(1, format.channels * format.bitsPerSample / 8);
    bool ok = true;
    const int fill = ring.fill();
    if (fill > 0 && bytesPerFrame > 0) {
        // Whole samples only, and nothing past the end of the last frame: what is left over
        // (less than a sample) stays at the start of the ring for the next tick.
        qint64 take = std::min<qint64>(fill, wanted - audioBytesWritten);
        const bool last = audioBytesWritten + take >= wanted;
        take -= take % blockAlign;
        if (take > 0 && audio) {
            ok = audio->writeAudio(ring.data(), take);
            writtenMeter.add(reinterpret_cast<const int16_t *>(ring.data()), take / blockAlign);
        }
        audioBytesWritten += take;
        if (last) {
            ring.discard(fill);
            audioFrameCount = frameTotal();
        } else {
            ring.discard(static_cast<int>(take));
            audioFrameCount = static_cast<quint32>(audioBytesWritten / bytesPerFrame);
        }
    }
    return ok;
}
