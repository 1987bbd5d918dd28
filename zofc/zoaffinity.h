// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

// The processor-affinity mask, bit i for processor i. cpuType 0: all processors; 1: one at
// random; 2: cpuInUse at random; anything else: the first. Never 0. processorCount is clamped to
// 1..64; random stands in for rand().
uint64_t affinityMask(int cpuType, int cpuInUse, int processorCount,
                      const std::function<int()> &random);
// The processors the system reports, at least 1.
int processorCount();
// Reads "CPUType" and "CPUInUse" (default: processors), builds the mask for that many processors
// and applies it to this process, so that the encoders started afterwards inherit it. The result
// of the system call is ignored, as a machine may refuse it.
uint64_t applyProcessorAffinity(int processors = processorCount());
// Pins the process to the processors of mask; false when the system refuses.
bool setProcessAffinity(uint64_t mask);
