// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audioring.h"

#include <QDebug>
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

bool AudioRing::allocate(int bytesPerFrame)
{
    release();
    const qint64 capacity = qint64(bytesPerFrame) * FramesHeld;
    if (bytesPerFrame <= 0 || capacity + Reserve > std::numeric_limits<int>::max()) {
        qWarning("AudioRing: cannot hold %d bytes per frame", bytesPerFrame);
        return false;
    }
    storage.reset(new (std::nothrow) uint8_t[capacity + Reserve]());
    if (!storage) {
        qWarning("AudioRing: out of memory for %lld bytes", capacity + Reserve);
        return false;
    }
    capacityBytes = int(capacity);
    allocationBytes = int(capacity + Reserve);
    return true;
}

void AudioRing::release()
{
    storage.reset();
    capacityBytes = 0;
    allocationBytes = 0;
    fillBytes = 0;
    readBytes = 0;
}

void AudioRing::clear()
{
    const std::lock_guard lock(mutex);
    fillBytes = 0;
    readBytes = 0;
    changed.notify_all();
}

void AudioRing::waitForRoom(int limit, const std::function<bool()> &stopped)
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return (storage && fillBytes < limit) || stopped(); });
}

bool AudioRing::waitForUnread(int bytes, int ms)
{
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return unread() >= bytes; });
}

void AudioRing::wake()
{
    const std::lock_guard lock(mutex);
    changed.notify_all();
}

void AudioRing::take(int bytes)
{
    readBytes += bytes;
    if (readBytes == fillBytes)
        fillBytes = readBytes = 0;
    changed.notify_all();
}

void AudioRing::compact()
{
    if (readBytes == 0)
        return;
    const int rest = fillBytes - readBytes;
    std::memmove(storage.get(), storage.get() + readBytes, static_cast<size_t>(rest));
    fillBytes = rest;
    readBytes = 0;
    changed.notify_all();
}

void AudioRing::discard(int bytes)
{
    const int rest = std::max(fillBytes - bytes, 0);
    if (rest > 0)
        std::memmove(storage.get(), storage.get() + bytes, static_cast<size_t>(rest));
    fillBytes = rest;
    readBytes = 0;
    changed.notify_all();
}
