// Files handed from a further start to the running instance: the message survives any file
// name, and a real second start of the program delivers its files as absolute paths.
#include "tests/support/testsupport.h"
#include "zofc/qtsingleapplication.h"
#include "zofc/zopref.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestSingleApplication : public QObject
{
    Q_OBJECT
private slots:
    void messageCarriesAnyName_data();
    void messageCarriesAnyName();
    void otherLinesCarryNoFiles();
    void secondStartHandsOverItsFiles();
};

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
    QtSingleApplication app(QString(), argc, argv);
    TestSingleApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleapplication.moc"
