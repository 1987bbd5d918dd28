// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <initializer_list>

// What the fuzz targets share: the entry points libFuzzer (or the replay program) calls, the
// per-target limits and the scratch file a reader is given its input in.

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fuzz {

// Puts the target's own limits (libFuzzer flags such as "-timeout=10") in front of the
// arguments, so that a slow or greedy input is reported as a hang or an out-of-memory of that
// input rather than as a time-out of the run; flags given on the command line come later and
// win. Also creates the application object the readers expect.
void initialize(int *argc, char ***argv, std::initializer_list<const char *> limits);

// Writes the input to the target's scratch file "input.<suffix>" and returns its path. The
// file lives in a folder of its own, in memory where the machine has /dev/shm.
QString writeInput(const uint8_t *data, size_t size, const QString &suffix);

// The scratch folder of this process.
QString scratchFolder();

// Ends the process with a message when a reader breaks its own contract: libFuzzer counts an
// abort as a fault and keeps the input.
void require(bool condition, const char *what);

} // namespace fuzz
