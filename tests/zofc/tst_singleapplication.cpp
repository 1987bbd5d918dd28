// SPDX-License-Identifier: GPL-3.0-or-later
// Files handed from a further start to the running instance: the message survives any file
// name, a real second start of the program delivers its files as absolute paths, two starts at
// the same moment end with one instance holding both starts' files, and the lock of a killed
// instance is taken over.
#include "tests/support/testsupport.h"
#include "zofc/qtsingleapplication.h"
#include "zofc/zopref.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

class TestSingleApplication : public QObject
{
    Q_OBJECT
private slots:
    void messageCarriesAnyName_data();
    void messageCarriesAnyName();
    void otherLinesCarryNoFiles();
    void secondStartHandsOverItsFiles();
    void startsAtTheSameMoment();
    void lockOfKilledInstanceTakenOver();

private:
    // This test program started as an instance of its own (see instanceMain()) with files, in
    // a runtime and settings folder of the test's.
    void startInstance(QProcess &process, const QStringList &files, int expectedFiles);
    QTemporaryDir runtime;
    QTemporaryDir config;
};

namespace {

// An instance started by the test: prints "first" or "second"; the first waits until it holds
// the number of files asked for (its own and those handed to it), then prints them, one a line.
int instanceMain(int argc, char **argv)
{
    QtSingleApplication app(QString(), argc, argv);
    ZoPref::setFileName(qEnvironmentVariable("INSTANCE_SETTINGS"));
    app.processCmdLine(argc, argv);
    QTextStream out(stdout);
    if (app.isRunning(QString())) {
        out << "second\n";
        return 0;
    }
    out << "first\n";
    out.flush();
    QStringList files = app.fileArguments();
    const int expected = qEnvironmentVariableIntValue("INSTANCE_EXPECTS");
    QObject::connect(&app, &QtSingleApplication::filesReceived, &app,
                     [&files, expected](const QStringList &paths) {
                         files += paths;
                         if (files.size() >= expected)
                             QCoreApplication::quit();
                     });
    if (files.size() < expected) {
        QTimer::singleShot(PatienceMs, &app, &QCoreApplication::quit);
        app.exec();
    }
    for (const QString &file : files)
        out << file << '\n';
    return 0;
}

} // namespace

void TestSingleApplication::startInstance(QProcess &process, const QStringList &files,
                                          int expectedFiles)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("INSTANCE_SETTINGS"), config.filePath(QStringLiteral("v.conf")));
    env.insert(QStringLiteral("INSTANCE_EXPECTS"), QString::number(expectedFiles));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(config.path());
    process.start(QCoreApplication::applicationFilePath(), QStringList {"--instance"} + files);
}

void TestSingleApplication::startsAtTheSameMoment()
{
    // Each round starts two instances together; which one wins differs from round to round.
    QVERIFY(runtime.isValid() && config.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QStringList mine {"a.jpg", "b.mp3"};
    const QStringList yours {"c.png"};
    for (int round = 0; round < 4; ++round) {
        QProcess one;
        QProcess two;
        startInstance(one, mine, 3);
        startInstance(two, yours, 3);
        QVERIFY(one.waitForFinished(2 * PatienceMs) && two.waitForFinished(2 * PatienceMs));
        QCOMPARE(one.exitCode(), 0);
        QCOMPARE(two.exitCode(), 0);
        const QStringList a = QString::fromLocal8Bit(one.readAllStandardOutput()).split('\n');
        const QStringList b = QString::fromLocal8Bit(two.readAllStandardOutput()).split('\n');
        QVERIFY2((a.first() == "first") != (b.first() == "first"),
                 qPrintable(a.first() + " / " + b.first()));
        QStringList held = a.first() == "first" ? a.mid(1) : b.mid(1);
        held.removeAll(QString());
        held.sort();
        QStringList all;
        for (const QString &file : mine + yours)
            all.append(QDir(config.path()).filePath(file));
        all.sort();
        QCOMPARE(held, all);
    }
}

void TestSingleApplication::lockOfKilledInstanceTakenOver()
{
    QVERIFY(runtime.isValid() && config.isValid());
    QProcess killed;
    startInstance(killed, {}, 1);
    QVERIFY(killed.waitForReadyRead(PatienceMs));
    QCOMPARE(killed.readLine().trimmed(), QByteArray("first"));
    killed.kill();
    QVERIFY(killed.waitForFinished(PatienceMs));
    // Its lock file and its socket file are left behind.
    QVERIFY(!QDir(runtime.path()).entryList({"*.lock"}, QDir::Files).isEmpty());

    QProcess next;
    startInstance(next, {"d.jpg"}, 1);
    QVERIFY(next.waitForFinished(PatienceMs));
    QCOMPARE(next.readAllStandardOutput(),
             "first\n" + QDir(config.path()).filePath("d.jpg").toLocal8Bit() + '\n');
}

void TestSingleApplication::messageCarriesAnyName_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("plain") << QStringList {"/home/u/a.jpg", "/home/u/song.mp3"};
    QTest::newRow("blanks and percent") << QStringList {"/home/u/my photo 100%.jpg"};
    QTest::newRow("new line in a name") << QStringList {"/tmp/two\nlines.png", "/tmp/b.png"};
    QTest::newRow("url characters") << QStringList {"/tmp/a#b?c=d&e.jpg"};
    QTest::newRow("non-latin") << QStringList {QString::fromUtf8("/tmp/Überfahrt/日本.jpg")};
    QTest::newRow("folder") << QStringList {"/tmp/Summer 2024"};
}

void TestSingleApplication::messageCarriesAnyName()
{
    QFETCH(QStringList, paths);
    const QByteArray line = QtSingleApplication::openMessage(paths);
    QVERIFY(line.endsWith('\n'));
    QCOMPARE(line.count('\n'), 1);
    // The receiver reads lines as text and trims them.
    const QString received = QString::fromUtf8(line).trimmed();
    QCOMPARE(QtSingleApplication::filesInMessage(received), paths);
}

void TestSingleApplication::otherLinesCarryNoFiles()
{
    QVERIFY(QtSingleApplication::filesInMessage(QStringLiteral("activate")).isEmpty());
    QVERIFY(QtSingleApplication::filesInMessage(QStringLiteral("open")).isEmpty());
    QVERIFY(QtSingleApplication::filesInMessage(QStringLiteral("open http://example.invalid/x.jpg"))
                .isEmpty());
}

void TestSingleApplication::secondStartHandsOverItsFiles()
{
    QTemporaryDir config;
    TempSettings settings;
    // The program finds its settings (and so its instance's socket) under XDG_CONFIG_HOME.
    ZoPref::setFileName(config.filePath(QStringLiteral("Vellumix/Vellumix.conf")));
    auto *app = qobject_cast<QtSingleApplication *>(QCoreApplication::instance());
    QVERIFY(app);
    QVERIFY(!app->isRunning(QString()));
    QSignalSpy received(app, &QtSingleApplication::filesReceived);

    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir(QStringLiteral("Summer 2024")));
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(work.path());
    second.start(testAppDir() + QStringLiteral("/vellumix"),
                 {QStringLiteral("a photo.jpg"), QStringLiteral("Summer 2024"),
                  QStringLiteral("--"), QStringLiteral("-dash.mp3")});
    QVERIFY(second.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, PatienceMs);
    // The second start may already have ended while the event loop waited for its files.
    QVERIFY(second.state() == QProcess::NotRunning || second.waitForFinished(PatienceMs));
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(second.readAllStandardOutput().isEmpty()); // no window, no splash line
    const QStringList expected {work.filePath(QStringLiteral("a photo.jpg")),
                                work.filePath(QStringLiteral("Summer 2024")),
                                work.filePath(QStringLiteral("-dash.mp3"))};
    QCOMPARE(received.at(0).at(0).toStringList(), expected);
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--instance") == 0) {
        argv[1] = argv[0];
        return instanceMain(argc - 1, argv + 1);
    }
    QtSingleApplication app(QString(), argc, argv);
    TestSingleApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleapplication.moc"
