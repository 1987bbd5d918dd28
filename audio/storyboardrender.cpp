// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/storyboardrender.h"

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
    // The thread may be asleep waiting for room in the ring.
    sound.ring().wake();
}

void StoryBoardRender::run()
{
    const auto stopAsked = [this] {
        return stopSignal.available() > 0;
    };
    for (;;) {
        if (stopSignal.tryAcquire(1))
            return;
        // With no room in the ring, sleep until a consumer takes some or a stop is asked for.
        if (!fillAudio())
            sound.ring().waitForRoom(bytesPerFrame() * AudioRing::FramesHeld, stopAsked);
    }
}
