#include "preview/avplayer.h"

#include "audio/audioring.h"
#include "audio/openaloutput.h"
#include "audio/storyboardrender.h"

#include <QDebug>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <array>
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
    , output(std::make_unique<OpenALOutput>(BufferCount))
{
    pollTimer = new QTimer(this);
    pollTimer->setTimerType(Qt::PreciseTimer);
    connect(pollTimer, &QTimer::timeout, this, &AVPlayer::updateVABuffer);
}

AVPlayer::~AVPlayer()
{
    stopPlayback();
    GLDrawer::close();
    output.reset();
}

bool AVPlayer::open(const MediaFormat &newFormat)
{
    stopPlayback();
    close();
    format = newFormat;
    const bool opened = GLDrawer::open(format.width, format.height, 2, false);
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
    return output->usesClock();
}

float AVPlayer::gain() const
{
    return output->gain();
}

int AVPlayer::queuedBuffers() const
{
    return output->queuedBuffers();
}

unsigned AVPlayer::bufferName(int index) const
{
    return output->buffer(index);
}

int AVPlayer::bufferBytes(int index) const
{
    return output->sizeOfBuffer(output->buffer(index));
}

void AVPlayer::setVolume(int value)
{
    output->setGain(static_cast<float>(value) / 100.0f);
}

void AVPlayer::fillBuffer(unsigned name)
{
    const int bytesPerFrame = frameRenderer->bytesPerFrame();
    AudioRing &ring = frameRenderer->ring();
    for (;;) {
        bool producing = true;
        {
            const AudioRing::TryLock lock(ring);
            if (lock) {
                if (const auto slice = takeFrameSound(ring, bytesPerFrame, carry)) {
                    output->fillBuffer(name, ring.data() + slice->offset, slice->bytes,
                                       format.channels, format.sampleRate);
                    return;
                }
                // The audio thread owes the rest; it always fills, so the wait ends while it
                // runs.
                producing = frameRenderer->isRunning();
            }
        }
        if (!producing)
            break;
        QThread::yieldCurrentThread();
    }

    // Nobody fills the ring (the audio thread was not started or has been stopped): keep the
    // clock going with silence rather than wait for ever.
    if (silence.empty())
        qWarning("AVPlayer: the renderer's audio thread is not running; playing silence");
    const int wanted = bytesPerFrame + carry;
    carry = wanted & 3;
    silence.resize(static_cast<size_t>(wanted), 0);
    output->fillBuffer(name, silence.data(), wanted - carry, format.channels, format.sampleRate);
}

void AVPlayer::startPlayback()
{
    if (playing || !frameRenderer || !output->isValid())
        return;
    if (frameRenderer->bytesPerFrame() <= 0 || !frameRenderer->ring().isAllocated()) {
        qWarning("AVPlayer: the renderer has no sound ring; cannot play");
        return;
    }
    // Buffers still attached to the source could not be refilled.
    output->stop();
    std::array<unsigned, BufferCount> names {};
    for (int i = 0; i < BufferCount; ++i) {
        names[i] = output->buffer(i);
        fillBuffer(names[i]);
    }
    output->playQueued(names.data(), BufferCount);
    playing = true;
    pollTimer->start(PollMs);
}

void AVPlayer::stopPlayback()
{
    pollTimer->stop();
    output->stop();
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
    int processed = std::min(output->processedBuffers(), BufferCount);
    // A stopped source has played everything it holds. (OpenAL also counts buffers queued on
    // a stopped source as processed, so the count is taken before any go on again.)
    const bool stopped = output->sourceStopped();
    if (stopped)
        processed = output->queuedBuffers();
    if (processed <= 0)
        return;
    if (processed > LagNotice)
        qDebug("Notice: Processed %d buffers!", processed);
    frameIndex += processed;
    frameRenderer->drawFrame(frameIndex, false, this);
    refill(processed);

    if (!stopped && output->sourceStopped()) {
        // It ran dry while being refilled. The refilled buffers went on as one batch, too
        // late to be played; everything queued ahead of them has been.
        const int played = output->queuedBuffers() - processed;
        frameIndex += played;
        frameRenderer->drawFrame(frameIndex, false, this);
        refill(played);
    } else if (!stopped) {
        return;
    }
    // The program was busy for longer than the queued sound lasted. The source now holds the
    // sound of the frame after the one shown, so playing on keeps them in step.
    qDebug("AVPlayer: the sound ran dry; playing on from frame %d", frameIndex);
    output->resume();
}

void AVPlayer::refill(int count)
{
    std::array<unsigned, BufferCount> names {};
    count = std::clamp(count, 0, BufferCount);
    output->unqueue(names.data(), count);
    for (int i = 0; i < count; ++i)
        fillBuffer(names[i]);
    output->queue(names.data(), count);
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
