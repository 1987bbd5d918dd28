#include "audio/storyboardrender.h"

namespace {

// How long the audio thread waits for a stop request when the ring has no room.
constexpr int idleWaitMs = 2;

} // namespace

StoryBoardRender::StoryBoardRender(QObject *parent)
    : QThread(parent)
{ }

StoryBoardRender::~StoryBoardRender()
{
    if (isRunning()) {
        stopAudio();
        wait();
    }
}

bool StoryBoardRender::setFormat(const MediaFormat &format)
{
    frames.setFormat(format);
    sound.setFormat(format);
    return true;
}

void StoryBoardRender::setStoryBoard(StoryBoard *board)
{
    frames.setStoryBoard(board);
    sound.setStoryBoard(board);
}

void StoryBoardRender::drawFrame(int k, bool seekAudioFirst, GLDrawer *drawer)
{
    if (seekAudioFirst)
        seekAudio(k);
    frames.drawFrame(k, drawer);
}

void StoryBoardRender::startAudio()
{
    sound.restart();
    // Stop requests left from before are stale. They are dropped here, on the caller's thread,
    // not at the top of run(): a stop made right after this start must not be dropped with them.
    stopSignal.tryAcquire(stopSignal.available());
    start(QThread::InheritPriority);
}

void StoryBoardRender::stopAudio()
{
    stopSignal.release(1);
}

void StoryBoardRender::run()
{
    for (;;) {
        if (stopSignal.tryAcquire(1))
            return;
        // With no room in the ring, wait for a stop request a moment instead of spinning.
        if (!fillAudio() && stopSignal.tryAcquire(1, idleWaitMs))
            return;
    }
}
