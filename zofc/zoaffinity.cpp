// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zoaffinity.h"

#include "zofc/zopref.h"

#include <QDir>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <sched.h>
#include <unistd.h>
#include <vector>

uint64_t affinityMask(int cpuType, int cpuInUse, int processorCount,
                      const std::function<int()> &random)
{
    const int n = std::clamp(processorCount, 1, 64);
    uint64_t mask = 0;
    switch (cpuType) {
    case 0:
        mask = n == 64 ? ~uint64_t {0} : (uint64_t {1} << n) - 1;
        break;
    case 1:
        mask = uint64_t {1} << (random() % n);
        break;
    case 2: {
        std::vector<int> pool(n);
        for (int i = 0; i < n; ++i)
            pool[i] = i;
        for (int k = 0; k < cpuInUse && !pool.empty(); ++k) {
            const auto at = static_cast<size_t>(random()) % pool.size();
            mask |= uint64_t {1} << pool[at];
            pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(at));
        }
        break;
    }
    default:
        mask = 1;
        break;
    }
    return mask == 0 ? 1 : mask;
}

int processorCount()
{
    const long count = ::sysconf(_SC_NPROCESSORS_ONLN);
    return count < 1 ? 1 : static_cast<int>(std::min<long>(count, 64));
}

bool setProcessAffinity(uint64_t mask)
{
    cpu_set_t set;
    CPU_ZERO(&set);
    for (int i = 0; i < 64; ++i) {
        if (mask & (uint64_t {1} << i))
            CPU_SET(i, &set);
    }
    // The call binds one thread; apply it to every thread the process has, so that threads
    // started earlier (and processes they start) follow the choice too.
    bool ok = ::sched_setaffinity(0, sizeof(set), &set) == 0;
    const QStringList tasks
        = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        const pid_t tid = static_cast<pid_t>(task.toInt());
        if (tid > 0)
            ok = ::sched_setaffinity(tid, sizeof(set), &set) == 0 && ok;
    }
    return ok;
}

uint64_t applyProcessorAffinity(int processors)
{
    const int n = std::clamp(processors, 1, 64);
    const int cpuType = ZoPref::value(QStringLiteral("CPUType"), 0).toInt();
    const int cpuInUse = ZoPref::value(QStringLiteral("CPUInUse"), n).toInt();
    const uint64_t mask = affinityMask(cpuType, cpuInUse, n, [] { return std::rand(); });
    setProcessAffinity(mask);
    return mask;
}
