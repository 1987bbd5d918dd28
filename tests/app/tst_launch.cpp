// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user starts it: splash lines, single instance, signals, settings across runs.
#include "tests/support/testsupport.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

const QByteArray splash = QByteArrayLiteral("command:close splash screen");

class Launcher
{
public:
    explicit Launcher(const QString &configHome, bool withDisplay = true)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (!withDisplay) {
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        }
        process.setProcessEnvironment(env);
        process.setProgram(testAppDir() + QStringLiteral("/vellumix"));
    }
    ~Launcher()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    void start(const QStringList &arguments = {})
    {
        process.setArguments(arguments);
        process.start();
        QVERIFY(process.waitForStarted());
    }
    bool waitForSplash(int timeoutMs = PatienceMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (!output.contains(splash) && timer.elapsed() < timeoutMs) {
            process.waitForReadyRead(100);
            output += process.readAllStandardOutput();
            if (process.state() == QProcess::NotRunning)
                break;
        }
        return output.contains(splash);
    }
    // Asks the program to end as the system does at log-out, then waits for it.
    bool terminate(int signalNumber = SIGTERM)
    {
        ::kill(static_cast<pid_t>(process.processId()), signalNumber);
        return finish();
    }
    bool finish(int timeoutMs = PatienceMs)
    {
        const bool done = process.waitForFinished(timeoutMs);
        output += process.readAllStandardOutput();
        return done;
    }

    QProcess process;
    QByteArray output;
};

} // namespace

class TestLaunch : public QObject
{
    Q_OBJECT
private slots:
    void signalEndsRunCleanly_data();
    void signalEndsRunCleanly();
    void secondInstanceLeavesSilently();
    void commandLineHandledWithoutWindow_data();
    void commandLineHandledWithoutWindow();
    void settingsSurviveRuns();
};

void TestLaunch::signalEndsRunCleanly_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("withDisplay");
    QTest::newRow("SIGTERM") << int(SIGTERM) << true;
    QTest::newRow("SIGINT") << int(SIGINT) << true;
    QTest::newRow("SIGTERM without a display") << int(SIGTERM) << false;
}

void TestLaunch::signalEndsRunCleanly()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, withDisplay);
    QTemporaryDir config;
    Launcher run(config.path(), withDisplay);
    run.start();
    QVERIFY2(run.waitForSplash(), run.process.readAllStandardError().constData());
    QCOMPARE(run.output, splash);

    QVERIFY(run.terminate(signalNumber));
    QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.process.exitCode(), 0);
    QCOMPARE(run.output, splash + splash);
}

void TestLaunch::secondInstanceLeavesSilently()
{
    QTemporaryDir config;
    Launcher first(config.path());
    first.start();
    QVERIFY(first.waitForSplash());

    Launcher second(config.path());
    second.start();
    QVERIFY(second.finish());
    QCOMPARE(second.process.exitCode(), 0);
    QVERIFY(second.output.isEmpty());
    QCOMPARE(first.process.state(), QProcess::Running);

    // A different settings folder is a different user set-up: it gets its own instance.
    QTemporaryDir otherConfig;
    Launcher other(otherConfig.path());
    other.start();
    QVERIFY(other.waitForSplash());

    QVERIFY(first.terminate());
    QVERIFY(other.terminate());
    QCOMPARE(first.output, splash + splash);
}

void TestLaunch::commandLineHandledWithoutWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("version") << QStringList {QStringLiteral("--version")} << 0
                             << QByteArrayLiteral("Vellumix " VELLUMIX_VERSION
                                                  "\nLicense GPLv3+: GNU GPL version 3 or later");
    QTest::newRow("help") << QStringList {QStringLiteral("--help")} << 0
                          << QByteArrayLiteral("Usage: vellumix");
    QTest::newRow("unknown option")
        << QStringList {QStringLiteral("--frobnicate")} << 2 << QByteArray();
}

void TestLaunch::commandLineHandledWithoutWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, expected);
    QTemporaryDir config;
    Launcher run(config.path());
    run.start(arguments);
    QVERIFY(run.finish());
    QCOMPARE(run.process.exitCode(), status);
    QVERIFY(!run.output.contains(splash));
    QVERIFY(run.output.startsWith(expected));
}

void TestLaunch::settingsSurviveRuns()
{
    QTemporaryDir config;
    const QString file = config.filePath(QStringLiteral("Vellumix/Vellumix.conf"));
    {
        Launcher run(config.path());
        run.start();
        QVERIFY(run.waitForSplash());
        QVERIFY(run.terminate());
    }
    {
        QSettings stored(file, QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("FirstStart")).toBool(), false);
        QCOMPARE(stored.value(QStringLiteral("auto_check_update_enable")).toBool(), true);
        QCOMPARE(stored.value(QStringLiteral("auto_check_update_interval")).toInt(), 1);
        // The user switches the update check off; later starts must leave that alone.
        stored.setValue(QStringLiteral("auto_check_update_enable"), false);
    }
    {
        Launcher run(config.path());
        run.start();
        QVERIFY(run.waitForSplash());
        QVERIFY(run.terminate());
    }
    QSettings stored(file, QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("auto_check_update_enable")).toBool(), false);
}

QTEST_GUILESS_MAIN(TestLaunch)
#include "tst_launch.moc"
