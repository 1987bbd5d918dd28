#include "audio/audioring.h"

#include <QDebug>
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
    fill = 0;
    readPos = 0;
}
