// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/avplayer.h"

#include "audio/audioring.h"
#include "audio/openaloutput.h"
#include "audio/sourcefeeder.h"
#include "audio/storyboardrender.h"

#include <QDebug>
#include <QTimer>
#include <algorithm>
#include <cstring>

std::optional<RingSlice> takeFrameSound(AudioRing &ring, int bytesPerFrame, int &carry)
{
    if (bytesPerFrame <= 0 || !ring.isAllocated())
        return std::nullopt;
    const int wanted = bytesPerFrame + carry;
    const int bytes = wanted & ~3;
    // Only the bytes actually taken need to be there: checking for bytesPerFrame alone would
    // let a buffer grown by the carry read past fill.
    if (ring.unread() >= bytes) {
        const RingSlice slice {ring.readPos(), bytes};
        carry = wanted - bytes;
        ring.take(bytes);
        return slice;
    }
    ring.compact();
    return std::nullopt;
}

AVPlayer::AVPlayer(QWidget *parent)
    : GLDrawer(parent, Target::Screen)
    , feeder(std::make_unique<SourceFeeder>(BufferCount, format.frameRate))
{
    pollTimer = new QTimer(this);
    pollTimer->setTimerType(Qt::PreciseTimer);
    connect(pollTimer, &QTimer::timeout, this, &AVPlayer::updateVABuffer);
}

AVPlayer::~AVPlayer()
{
    stopPlayback();
    GLDrawer::close();
    feeder.reset();
}

bool AVPlayer::open(const MediaFormat &newFormat)
{
    stopPlayback();
    close();
    format = newFormat;
    feeder->setUnitsPerSecond(format.frameRate);
    const bool opened = GLDrawer::open(format.width, format.height, MaxFrameLayers, false);
    setClearColor(0.5f, 0.5f, 0.5f, 0.0f);
    carry = 0;
    return opened;
}

void AVPlayer::setRenderer(StoryBoardRender *renderer)
{
    frameRenderer = renderer;
}

void AVPlayer::seek(int k)
{
    frameIndex = k;
    if (frameRenderer)
        frameRenderer->drawFrame(k, true, this);
}

bool AVPlayer::usesClock() const
{
    return feeder->output().usesClock();
}

bool AVPlayer::clockStandsInForDevice() const
{
    return feeder->keepsClock();
}

float AVPlayer::gain() const
{
    return feeder->output().gain();
}

int AVPlayer::queuedBuffers() const
{
    return feeder->output().queuedBuffers();
}

unsigned AVPlayer::bufferName(int index) const
{
    return feeder->output().buffer(index);
}

int AVPlayer::bufferBytes(int index) const
{
    return feeder->output().sizeOfBuffer(feeder->output().buffer(index));
}

void AVPlayer::setVolume(int value)
{
    feeder->output().setGain(static_cast<float>(value) / 100.0f);
}

bool AVPlayer::supplySound(unsigned name)
{
    const int bytesPerFrame = frameRenderer->bytesPerFrame();
    AudioRing &ring = frameRenderer->ring();
    {
        const AudioRing::TryLock lock(ring);
        // The audio thread is writing: its sound is taken at the next poll.
        if (!lock)
            return false;
        if (const auto slice = takeFrameSound(ring, bytesPerFrame, carry)) {
            feeder->output().fillBuffer(name, ring.data() + slice->offset, slice->bytes,
                                        format.channels, format.sampleRate);
            return true;
        }
        // The audio thread owes the rest and delivers it while it runs.
        if (frameRenderer->isRunning())
            return false;
    }

    // Nobody fills the ring (the audio thread was not started or has been stopped): keep the
    // clock going with silence rather than wait for ever.
    if (silence.empty())
        qWarning("AVPlayer: the renderer's audio thread is not running; playing silence");
    const int wanted = bytesPerFrame + carry;
    carry = wanted & 3;
    silence.resize(static_cast<size_t>(wanted), 0);
    feeder->output().fillBuffer(name, silence.data(), wanted - carry, format.channels,
                                format.sampleRate);
    return true;
}

void AVPlayer::startPlayback()
{
    if (playing || !frameRenderer || !feeder->output().isValid())
        return;
    const int bytesPerFrame = frameRenderer->bytesPerFrame();
    if (bytesPerFrame <= 0 || !frameRenderer->ring().isAllocated()) {
        qWarning("AVPlayer: the renderer has no sound ring; cannot play");
        return;
    }
    // The audio thread has just been started: it gets up to a frame's time to deliver the
    // sound of the queue; what it delivers later is queued by the polls.
    if (frameRenderer->isRunning()) {
        const int frameMs = format.frameRate > 0.0 ? int(1000.0 / format.frameRate) : 40;
        const qint64 queueBytes = qint64(bytesPerFrame) * BufferCount;
        frameRenderer->ring().waitForUnread(
            int(std::min<qint64>(queueBytes, frameRenderer->ring().capacity())), frameMs);
    }
    feeder->start([this](unsigned name) { return supplySound(name); });
    playing = true;
    pollTimer->start(PollMs);
}

void AVPlayer::stopPlayback()
{
    pollTimer->stop();
    feeder->stop();
    playing = false;
    carry = 0;
}

void AVPlayer::clearDisplay()
{
    frameIndex = 0;
    beginFrame();
    endFrame();
    update();
}

void AVPlayer::updateVABuffer()
{
    if (!playing || !frameRenderer)
        return;
    const int played = feeder->poll([this](unsigned name) { return supplySound(name); });
    if (played <= 0)
        return;
    if (played > LagNotice)
        qDebug("Notice: Processed %d buffers!", played);
    frameIndex += played;
    frameRenderer->drawFrame(frameIndex, false, this);
    // The program was busy for longer than the queued sound lasted. The source now holds the
    // sound of the frame after the one shown, so playing on keeps them in step.
    if (feeder->ranDry())
        qDebug("AVPlayer: the sound ran dry; playing on from frame %d", frameIndex);
}

void AVPlayer::resizeGL(int w, int h)
{
    if (h == 0)
        h = 1;
    const double fw = frameWidth() > 0 ? frameWidth() : 1;
    const double fh = frameHeight() > 0 ? frameHeight() : 1;
    const double ratio = fw / fh;
    QRect place;
    if (ratio < static_cast<double>(w) / h) {
        const double width = h * ratio;
        place = QRect(static_cast<int>((w - width) / 2), 0, static_cast<int>(width), h);
    } else {
        const double height = w / ratio;
        place = QRect(0, static_cast<int>((h - height) / 2), w, static_cast<int>(height));
    }
    setFrameViewport(place);
}
