// SPDX-License-Identifier: GPL-3.0-or-later
// Which messages reach standard error at each level, with messages the toolkit and the program
// really produce.
#include "zofc/zomessagefilter.h"
#include "zofc/zoutils.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Message
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<Message> received;

void record(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    received.append({type, QByteArray(context.category), text});
}

enum Source {
    RuntimeFolderNotice,
    PainterWithoutDevice,
    ConnectToMissingSignal,
    OwnWarning,
    OwnDebugNotice,
    OwnFailure,
};

// What the source reports, caught by a recording handler.
QList<Message> produce(Source source)
{
    received.clear();
    const QtMessageHandler previous = qInstallMessageHandler(record);
    switch (source) {
    case RuntimeFolderNotice: {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_RUNTIME_DIR");
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        qputenv("XDG_RUNTIME_DIR", runtime);
        break;
    }
    case PainterWithoutDevice: {
        QImage none;
        QPainter painter(&none);
        break;
    }
    case ConnectToMissingSignal: {
        QObject sender;
        QObject::connect(&sender, SIGNAL(missing()), &sender, SLOT(deleteLater()));
        break;
    }
    case OwnWarning: {
        // A temporary folder that cannot be made: its parent is a file.
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("file")));
        file.open(QIODevice::WriteOnly);
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", dir.filePath(QStringLiteral("file/tmp")).toLocal8Bit());
        Zo::tempPath();
        qputenv("TMPDIR", tmp);
        break;
    }
    case OwnDebugNotice:
        qDebug("Notice: Processed %d buffers!", 3);
        break;
    case OwnFailure:
        qCritical("Audio: out of memory");
        break;
    }
    qInstallMessageHandler(previous);
    return received;
}

} // namespace

class TestZoMessageFilter : public QObject
{
    Q_OBJECT
private slots:
    void levels_data();
    void levels();
    void installedFilterPassesOn();
};

void TestZoMessageFilter::levels_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("normal");
    QTest::addColumn<bool>("verbose");
    QTest::newRow("toolkit: runtime folder notice")
        << int(RuntimeFolderNotice) << false << false << true;
    QTest::newRow("toolkit: painter without a device")
        << int(PainterWithoutDevice) << false << false << true;
    QTest::newRow("toolkit: categorised connect warning")
        << int(ConnectToMissingSignal) << false << false << true;
    QTest::newRow("own warning") << int(OwnWarning) << false << true << true;
    QTest::newRow("own debug notice") << int(OwnDebugNotice) << false << false << true;
    QTest::newRow("failure") << int(OwnFailure) << true << true << true;
}

void TestZoMessageFilter::levels()
{
    using Level = ZoMessageFilter::Level;
    QFETCH(int, source);
    QFETCH(bool, quiet);
    QFETCH(bool, normal);
    QFETCH(bool, verbose);
    const QList<Message> messages = produce(Source(source));
    QVERIFY(!messages.isEmpty());
    const std::pair<Level, bool> expected[]
        = {{Level::Quiet, quiet}, {Level::Normal, normal}, {Level::Verbose, verbose}};
    for (const Message &message : messages) {
        for (const auto &[level, shown] : expected) {
            QVERIFY2(
                ZoMessageFilter::shows(level, message.type, message.category.constData(),
                                       message.text)
                    == shown,
                qPrintable(QStringLiteral("%1 at level %2").arg(message.text).arg(int(level))));
        }
    }
}

void TestZoMessageFilter::installedFilterPassesOn()
{
    received.clear();
    const QtMessageHandler previous = qInstallMessageHandler(record);
    ZoMessageFilter::install();
    // Installing again must not make the filter its own successor.
    ZoMessageFilter::install();
    ZoMessageFilter::setLevel(ZoMessageFilter::Level::Quiet);
    qWarning("AVPipeWriter: the encoder exited with status 1");
    qCritical("Audio: out of memory");
    ZoMessageFilter::setLevel(ZoMessageFilter::Level::Normal);
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set");
    qWarning("AVPipeWriter: the encoder exited with status 2");
    qInstallMessageHandler(previous);
    ZoMessageFilter::setLevel(ZoMessageFilter::Level::Normal);

    QCOMPARE(received.size(), 2);
    QCOMPARE(received.at(0).text, QStringLiteral("Audio: out of memory"));
    QCOMPARE(received.at(1).text, QStringLiteral("AVPipeWriter: the encoder exited with status 2"));
}

QTEST_MAIN(TestZoMessageFilter)
#include "tst_zomessagefilter.moc"
