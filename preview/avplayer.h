// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/gldrawer.h"
#include "storyboard/storyboard.h"

#include <memory>
#include <optional>
#include <vector>

class AudioRing;
class QTimer;
class SourceFeeder;
class StoryBoardRender;

// Where one video frame's worth of sound lies in a ring's data, in bytes.
struct RingSlice
{
    int offset = 0;
    int bytes = 0;
};

// Takes bytesPerFrame plus the carried bytes from the ring, rounded down to whole 4-byte
// sample frames, and leaves the remainder (0..3) in carry so that no sample is split and none
// is lost. While the ring holds fewer unread bytes than that it returns nothing and changes
// neither the ring's position nor carry, but moves the unread rest to the start of the data so
// the producer has room. The caller holds the ring's TryLock and copies the slice before
// releasing it.
std::optional<RingSlice> takeFrameSound(AudioRing &ring, int bytesPerFrame, int &carry);

// The preview: shows the frames the renderer composes and plays the show's sound, which is the
// clock. One OpenAL buffer holds one video frame of sound; the picture moves on by exactly as
// many frames as buffers have finished playing.
// Play: renderer->drawFrame(currentFrame(), true, player), renderer->startAudio(),
// startPlayback(). Stop: stopPlayback(), renderer->stopAudio(), renderer->wait().
// Sound the audio thread has not delivered yet is queued at a later poll: the GUI thread never
// waits for it longer than a frame. Where the device plays nothing, a clock keeps time.
// Not thread-safe: GUI thread only; the renderer's ring is shared with its audio thread under
// the ring's own lock, taken with AudioRing::TryLock.
class AVPlayer : public GLDrawer
{
    Q_OBJECT

public:
    static constexpr int BufferCount = 256;
    static constexpr int PollMs = 10;
    // A poll that finds more finished buffers than this reports that the GUI thread lagged.
    static constexpr int LagNotice = 10;

    explicit AVPlayer(QWidget *parent = nullptr);
    ~AVPlayer() override;

    // Stops playback, takes the format and opens the drawer at its frame size with a grey
    // letterbox. False when the drawer cannot hold the frame.
    bool open(const MediaFormat &format);
    const MediaFormat &mediaFormat() const { return format; }

    // Not owned; the main window keeps it alive for the player's life.
    void setRenderer(StoryBoardRender *renderer);
    StoryBoardRender *renderer() const { return frameRenderer; }

    // Shows frame k and positions the sound there. Only while stopped.
    void seek(int k);
    // Queues up to BufferCount frames of sound from the ring (waiting at most a frame's time for
    // the audio thread to deliver) and starts the sound and the poll.
    void startPlayback();
    void stopPlayback();
    // Frame 0 with nothing on it but the background.
    void clearDisplay();

    int currentFrame() const { return frameIndex; }
    bool isPlaying() const { return playing; }
    // Bytes (0..3) of the last buffer's share carried into the next buffer.
    int carriedBytes() const { return carry; }
    // True when there is no sound output and a clock paces the sound instead.
    bool usesClock() const;
    // True when the device does not play in real time, and a clock keeps time instead.
    bool clockStandsInForDevice() const;
    // The source's gain and how many buffers it holds.
    float gain() const;
    int queuedBuffers() const;
    // The OpenAL buffer names and their sizes in bytes, for inspection.
    unsigned bufferName(int index) const;
    int bufferBytes(int index) const;

public slots:
    // value 0..100 (the volume slider); gain = value / 100.
    void setVolume(int value);
    // The poll: advance the picture by the finished buffers and refill them as far as the
    // audio thread has delivered.
    void updateVABuffer();

protected:
    void resizeGL(int w, int h) override;

private:
    // Gives buffer name the next frame of sound; false when the audio thread owes it still.
    bool supplySound(unsigned name);

    MediaFormat format;
    QTimer *pollTimer = nullptr;
    StoryBoardRender *frameRenderer = nullptr;
    int frameIndex = 0;
    std::unique_ptr<SourceFeeder> feeder;
    int carry = 0;
    bool playing = false;
    // Silence for buffers that no running audio thread will ever fill; empty normally.
    std::vector<uint8_t> silence;
};
