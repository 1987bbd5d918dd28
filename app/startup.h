#pragma once

#include <QStringList>
#include <cstdint>
#include <functional>

class ZoMainWindow;

// Process-wide lists of importable file types, filled once by the main window.
extern QStringList photoPatterns;
extern QStringList audioPatterns;
// Per-type filters of the open-file dialogs.
extern const QString photoTypeFilters;
extern const QString audioTypeFilters;

void initFileTypeLists();

// The processor-affinity mask, bit i for processor i. cpuType 0: all processors; 1: one at
// random; 2: cpuInUse at random; anything else: the first. Never 0. processorCount is clamped to
// 1..64; random stands in for rand().
uint64_t affinityMask(int cpuType, int cpuInUse, int processorCount,
                      const std::function<int()> &random);
// The processors the system reports, at least 1.
int processorCount();
// Reads "CPUType" and "CPUInUse", builds the mask and applies it to this process. The result of
// the system call is ignored, as a machine may refuse it.
uint64_t applyProcessorAffinity();
// Pins the process to the processors of mask; false when the system refuses.
bool setProcessAffinity(uint64_t mask);

// On the first start, switches on the automatic update check (every day) and records that the
// first start has run.
void runFirstStart(ZoMainWindow *window);
