// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/loudness.h"
#include "clib/handles.h"
#include "storyboard/gldrawer.h"
#include "storyboard/picture.h"

#include <QElapsedTimer>
#include <QtGlobal>
#include <memory>
#include <vector>

class AVPipeWriter;
class QTimer;
class StoryBoardRender;

// Feeds the encoders of one video: an off-screen drawer that, one frame per tick of a
// zero-interval timer, has the renderer draw the next frame into it, converts it to planar YUV
// 4:2:0 with the matrix the stream is tagged with (videoColourFor), reads it back and hands it
// to the video writer; on the same tick it moves the sound the
// renderer's thread has produced to the audio writer, cut at the end of the last video frame.
// While the video encoder has a few frames (at least 32 MB) queued, the ticks wait for it: memory
// stays bounded and the encoder, not the timer, sets the pace.
// GUI thread only (the renderer's ring is shared with its audio thread under the ring's lock).
class AVWriterManager : public GLDrawer
{
    Q_OBJECT

public:
    // Where a run's time went, in nanoseconds summed over its frames: what lies between the
    // encoder's pace and ours.
    struct StageTimes
    {
        qint64 preparing = 0; // the frame's photos decoded and uploaded, its layers set
        qint64 painting = 0; // GL's drawing of the frame, to its end
        qint64 readingBack = 0;
        qint64 converting = 0; // to YUV 4:2:0
        qint64 writing = 0; // handed to the video pipe
        qint64 sound = 0; // moved from the renderer's ring to the audio pipe
        qint64 waiting = 0; // held back while the video encoder's queue was full
    };

    // How frames become YUV 4:2:0: read back as they are painted and converted by libswscale, or
    // converted by GL as they are read back. libswscale is the default: on Mesa's software
    // rasterizer the GL conversion costs several times its processor time. A drawer that cannot
    // convert leaves the frames to libswscale.
    enum class Conversion { Gl, Scaler };

    explicit AVWriterManager(QWidget *parent = nullptr);
    ~AVWriterManager() override;

    // Drops any previous run and prepares a drawer and buffers for frames of format's size.
    // False when no off-screen GL context or buffer can be had.
    bool open(const MediaFormat &format);
    void setRenderer(StoryBoardRender *renderer) { render = renderer; }
    // Before startWriting(); Scaler unless set.
    void setConversion(Conversion how) { conversion = how; }
    // The conversion the frames written so far went through.
    Conversion usedConversion() const { return glFailed ? Conversion::Scaler : conversion; }
    // Take ownership of started writers; the manager keeps watching their backlog.
    void setVideoWriter(std::unique_ptr<AVPipeWriter> writer);
    void setAudioWriter(std::unique_ptr<AVPipeWriter> writer);
    AVPipeWriter *videoWriter() const { return video.get(); }
    AVPipeWriter *audioWriter() const { return audio.get(); }

    // Counters to 0, starts the renderer's audio thread and the ticks.
    void startWriting();
    // Stops the ticks and the renderer's audio thread, and waits for the thread to end.
    void stopWriting();
    void pause();
    void resume();
    bool isPaused() const { return paused; }
    bool isWriting() const { return running; }
    // Ends both streams; the encoders finish their files and exit (AVPipeWriter::finished()).
    void closeWriters();
    // Destroys both writers; an encoder still running is killed.
    void deleteWriters();
    void close() override;

    quint32 videoFrames() const { return videoFrameCount; }
    quint32 audioFrames() const { return audioFrameCount; }
    qint64 audioBytes() const { return audioBytesWritten; }
    // Frames to write: the renderer's total.
    quint32 frameTotal() const;
    // Audio bytes a complete stream holds: one video frame of sound per frame, in whole samples.
    qint64 audioByteTotal() const;
    // Since startWriting().
    const StageTimes &stageTimes() const { return stages; }
    // The integrated loudness (LUFS) and true peak (dBTP) of the sound written so far.
    double writtenLoudness() const { return writtenMeter.integratedLufs(); }
    double writtenTruePeak() const { return writtenMeter.truePeakDb(); }
    bool soundMeasured() const { return writtenMeter.frames() > 0; }

public slots:
    // One tick: the next frame, the pending sound, the progress, and the end test.
    void writeVideoAudio();

signals:
    // Percent of the frames written (0-100).
    void progressChanged(int percent);
    // Every frame and all the sound have gone to the writers; the ticks have stopped. Once.
    void compileEnd();
    // A writer refused data (its encoder has gone away); the ticks have stopped.
    void writeFailed();

private:
    bool writeNextVideoFrame();
    bool writeGlConvertedFrame(const QByteArray &frame);
    bool writeScaledFrame();
    bool movePendingAudio();
    void updateTimer();
    void onWriterDrained();
    void fail();
    qint64 backlogLimit() const;

    QTimer *timer = nullptr;
    StoryBoardRender *render = nullptr;
    Picture capturePicture;
    std::unique_ptr<AVPipeWriter> video;
    std::unique_ptr<AVPipeWriter> audio;
    quint32 videoFrameCount = 0;
    quint32 audioFrameCount = 0;
    qint64 audioBytesWritten = 0;
    Picture yuvPicture;
    ScalerPtr scaler;
    Conversion conversion = Conversion::Scaler;
    bool glFailed = false;
    GLDrawer::YuvRows yuvRows {};
    std::vector<uint8_t> yuvFrame;
    MediaFormat format;
    bool running = false;
    bool paused = false;
    bool throttled = false;
    bool ended = false;
    bool failed = false;
    int lastProgress = -1;
    bool cacheLimited = false;
    int previousCacheLimit = 0;
    StageTimes stages;
    QElapsedTimer throttledSince;
    LoudnessMeter writtenMeter;
};
