// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up duties that need no window: processor-affinity masks and the file-type lists.
#include "app/startup.h"

#include <QTest>
#include <deque>

namespace {

// A fixed sequence standing in for rand().
struct Sequence
{
    std::deque<int> values;
    int operator()()
    {
        const int v = values.front();
        values.pop_front();
        return v;
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void affinityMask_data();
    void affinityMask();
    void affinityUsesEachProcessorOnce();
    void fileTypeLists();
};

void TestStartup::affinityMask_data()
{
    QTest::addColumn<int>("cpuType");
    QTest::addColumn<int>("cpuInUse");
    QTest::addColumn<int>("processors");
    QTest::addColumn<QList<int>>("random");
    QTest::addColumn<quint64>("mask");

    QTest::newRow("all of 4") << 0 << 4 << 4 << QList<int> {} << quint64 {0xF};
    QTest::newRow("all when none reported") << 0 << 1 << 0 << QList<int> {} << quint64 {1};
    QTest::newRow("all of 64") << 0 << 64 << 64 << QList<int> {} << ~quint64 {0};
    QTest::newRow("one at random, rand 7 of 4") << 1 << 4 << 4 << QList<int> {7} << quint64 {8};
    QTest::newRow("one on a single processor") << 1 << 1 << 1 << QList<int> {12345} << quint64 {1};
    QTest::newRow("two at random") << 2 << 2 << 4 << QList<int> {1, 1} << quint64 {0b0110};
    QTest::newRow("in use 0 becomes 1") << 2 << 0 << 8 << QList<int> {} << quint64 {1};
    QTest::newRow("in use negative becomes 1") << 2 << -3 << 8 << QList<int> {} << quint64 {1};
    QTest::newRow("more in use than processors")
        << 2 << 9 << 3 << QList<int> {5, 5, 5} << quint64 {0b111};
    QTest::newRow("unknown type pins to the first") << 7 << 4 << 4 << QList<int> {} << quint64 {1};
    QTest::newRow("type -1 pins to the first") << -1 << 4 << 4 << QList<int> {} << quint64 {1};
}

void TestStartup::affinityMask()
{
    QFETCH(int, cpuType);
    QFETCH(int, cpuInUse);
    QFETCH(int, processors);
    QFETCH(QList<int>, random);
    QFETCH(quint64, mask);

    Sequence sequence {std::deque<int>(random.begin(), random.end())};
    QCOMPARE(quint64 {::affinityMask(cpuType, cpuInUse, processors, std::ref(sequence))}, mask);
    QVERIFY2(sequence.values.empty(), "every random draw the rule calls for is used");
}

void TestStartup::affinityUsesEachProcessorOnce()
{
    // Drawing from a shrinking pool never picks a processor twice, whatever rand() gives.
    unsigned state = 1;
    const auto lcg = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) & 0x7fff);
    };
    for (int inUse = 1; inUse <= 8; ++inUse) {
        const uint64_t mask = ::affinityMask(2, inUse, 8, lcg);
        QCOMPARE(__builtin_popcountll(mask), inUse);
        QVERIFY(mask < 256);
    }
}

void TestStartup::fileTypeLists()
{
    initFileTypeLists();
    QCOMPARE(photoPatterns.size(), 12);
    QCOMPARE(photoPatterns.first(), QStringLiteral("*.jpg"));
    QCOMPARE(photoPatterns.mid(7), QStringList({"*.xpm", "*.heic", "*.heif", "*.webp", "*.tif"}));
    QCOMPARE(audioPatterns.size(), 15);
    QCOMPARE(audioPatterns.indexOf(QStringLiteral("*.mp3")), 9);
    // Every pattern is offered by its open-file filter.
    for (const QString &pattern : std::as_const(photoPatterns))
        QVERIFY2(photoTypeFilters.contains(pattern), qPrintable(pattern));
    for (const QString &pattern : std::as_const(audioPatterns))
        QVERIFY2(audioTypeFilters.contains(pattern), qPrintable(pattern));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
