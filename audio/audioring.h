#pragma once

#include <cstdint>
#include <memory>

// Decoded 16-bit PCM waiting for a consumer: 256 video frames of sound plus a reserve behind
// them that the last decoded block of a fill step may spill into. The producer appends at
// fill; consumers take bytes from readPos (or from the start) and move fill and readPos back.
// Not thread-safe: the owner guards it with one mutex.
class AudioRing
{
public:
    static constexpr int FramesHeld = 256;
    // Room for one decoder output block written past capacity().
    static constexpr int Reserve = 750 * FramesHeld;

    AudioRing() = default;
    AudioRing(const AudioRing &) = delete;
    AudioRing &operator=(const AudioRing &) = delete;

    // capacity() = bytesPerFrame * 256, allocation() = capacity() + Reserve; fill and readPos
    // start at 0. False (and an empty ring) when the size is not positive or not allocatable.
    bool allocate(int bytesPerFrame);
    void release();

    uint8_t *data() const { return storage.get(); }
    int capacity() const { return capacityBytes; }
    int allocation() const { return allocationBytes; }
    // Bytes that can still be written at fill without passing the allocation, counted from
    // fill rounded down to even as every producer writes.
    int room() const { return allocationBytes - (fill & ~1); }

    int fill = 0;
    int readPos = 0;

private:
    std::unique_ptr<uint8_t[]> storage;
    int capacityBytes = 0;
    int allocationBytes = 0;
};
