// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

// Decoded 16-bit PCM waiting for a consumer: 256 video frames of sound plus a reserve behind
// them that the last decoded block of a fill step may spill into. The producer appends at the
// fill position; consumers take bytes from the read position (the preview player) or from the
// start (the writer), and move what is left to the front so the producer has room again.
//
// Threads: allocate() and release() belong to the owner while no other thread uses the ring.
// The producer (the renderer's audio thread) and the consumers (the preview player or the
// writer, on the GUI thread) touch the contents only while holding the ring's lock. Consumers
// take it with a TryLock, which never waits: a consumer that does not get it comes back later.
// The producer waits for it (Lock), and sleeps in waitForRoom() while the ring is full; every
// change of the contents wakes it. clear() waits for the lock; the owner calls it before a
// producer starts. A ring used by one thread alone needs no lock.
class AudioRing
{
public:
    static constexpr int FramesHeld = 256;
    // Room for one decoder output block written past capacity().
    static constexpr int Reserve = 750 * FramesHeld;

    // The ring's lock, tried once on construction and released on destruction.
    class TryLock
    {
    public:
        explicit TryLock(AudioRing &ring)
            : ring(ring)
            , held(ring.mutex.try_lock())
        { }
        ~TryLock()
        {
            if (held)
                ring.mutex.unlock();
        }
        TryLock(const TryLock &) = delete;
        TryLock &operator=(const TryLock &) = delete;
        explicit operator bool() const { return held; }

    private:
        AudioRing &ring;
        bool held;
    };

    // The ring's lock, waited for; the producer's.
    class Lock
    {
    public:
        explicit Lock(AudioRing &ring)
            : locker(ring.mutex)
        { }

    private:
        std::lock_guard<std::mutex> locker;
    };

    AudioRing() = default;
    AudioRing(const AudioRing &) = delete;
    AudioRing &operator=(const AudioRing &) = delete;

    // capacity() = bytesPerFrame * 256, allocation() = capacity() + Reserve; empty. False (and
    // no storage) when the size is not positive or not allocatable.
    bool allocate(int bytesPerFrame);
    void release();
    // Empties the ring under its lock, waiting for it.
    void clear();
    // The producer's wait, without its lock: returns once fill() is below limit, or once stopped()
    // is true. stopped() is asked under the lock, so a wake() after the stop is never missed.
    void waitForRoom(int limit, const std::function<bool()> &stopped);
    // A consumer's wait, without its lock, for at most ms: whether bytes are unread by then.
    bool waitForUnread(int bytes, int ms);
    // Wakes the waits, so that they look again (after a stop request, say).
    void wake();

    bool isAllocated() const { return storage != nullptr; }
    int capacity() const { return capacityBytes; }
    int allocation() const { return allocationBytes; }

    // Everything below only under a TryLock (or with one thread alone).
    const uint8_t *data() const { return storage.get(); }
    int fill() const { return fillBytes; }
    int readPos() const { return readBytes; }
    int unread() const { return fillBytes - readBytes; }

    // The producer's side. Writes go at fill rounded down to even, as every producer writes;
    // room() counts from there to the end of the allocation.
    int writePos() const { return fillBytes & ~1; }
    int room() const { return allocationBytes - writePos(); }
    uint8_t *writeArea() { return storage.get() + writePos(); }
    // bytes have been written at writeArea().
    void wrote(int bytes)
    {
        fillBytes = writePos() + bytes;
        changed.notify_all();
    }

    // The consumers' side.
    // Moves the read position on by bytes; when it reaches fill, both go back to the start.
    void take(int bytes);
    // Moves the unread bytes to the start of the data.
    void compact();
    // Drops the first bytes of the data (all of it when bytes >= fill); what stays moves to
    // the start.
    void discard(int bytes);

private:
    // The standard library's, whose waits the thread sanitizer follows.
    std::mutex mutex;
    std::condition_variable changed;
    std::unique_ptr<uint8_t[]> storage;
    int capacityBytes = 0;
    int allocationBytes = 0;
    int fillBytes = 0;
    int readBytes = 0;
};
