// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/storyboardrender.h"
#include "tests/support/testsupport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QVector>
#include <algorithm>
#include <cstring>

// What the audio thread produces from frame `from` on, for `frames` frames, taken out of the ring
// as the writer takes it: everything there is, each time the lock is free.
inline QVector<int16_t> producedSound(StoryBoard &board, int from, int frames,
                                      const MediaFormat &format = MediaFormat {})
{
    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&board);
    render.seekAudio(from);
    QByteArray taken;
    const qsizetype wanted = qsizetype {frames} * render.bytesPerFrame();
    render.startAudio();
    QElapsedTimer timer;
    timer.start();
    while (taken.size() < wanted && timer.elapsed() < PatienceMs) {
        AudioRing &ring = render.ring();
        if (const AudioRing::TryLock lock(ring); lock) {
            taken.append(reinterpret_cast<const char *>(ring.data()), ring.fill());
            ring.discard(ring.fill());
        }
    }
    render.stopAudio();
    render.wait();
    QVector<int16_t> pcm(wanted / 2);
    std::memcpy(pcm.data(), taken.constData(), std::min(taken.size(), wanted));
    return pcm;
}
