// SPDX-License-Identifier: GPL-3.0-or-later
// The import dialog feeding the photo strip: order, rejected files, Cancel, the label.
#include "media/filetypes.h"
#include "media/importprogress.h"
#include "media/infoparser.h"
#include "media/photolistwidget.h"
#include "tests/creation/alertcatcher.h"
#include "tests/media/mediafiles.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

QStringList pathsOf(const QList<ImageInfo> &photos)
{
    QStringList paths;
    for (const ImageInfo &photo : photos)
        paths.append(photo.path);
    return paths;
}

} // namespace

class TestImportProgress : public QObject
{
    Q_OBJECT
private slots:
    void addsReadableInOrderAndNamesTheRest();
    void unreadableOnlyAddsNothing_data();
    void unreadableOnlyAddsNothing();
    void cancelKeepsDelivered();
};

void TestImportProgress::addsReadableInOrderAndNamesTheRest()
{
    QTemporaryDir dir;
    const QStringList paths = MediaFiles::writeBatch(dir, 10, {2, 6});
    QVERIFY(!paths.isEmpty());
    PhotoListWidget list;
    QSignalSpy changed(&list, &PhotoListWidget::photoListChanged);
    AlertCatcher alerts;
    ImportProgress dialog(true, &list);
    dialog.setFiles(paths);
    dialog.exec();

    QVERIFY(dialog.addedAny());
    QStringList expected = paths;
    expected.removeAt(6);
    expected.removeAt(2);
    QCOMPARE(pathsOf(list.photoList()), expected);
    // The dialog only adds; the caller finishes the insertion.
    QCOMPARE(changed.size(), 0);
    list.finishInsertion();
    QCOMPARE(list.count(), 15);
    QCOMPARE(alerts.texts,
             QStringList {QStringLiteral("Some files have not been added to the list:\n"
                                         "%1: damaged, or not a photo that can be read\n"
                                         "%2: damaged, or not a photo that can be read")
                              .arg(paths[2], paths[6])});
}

void TestImportProgress::unreadableOnlyAddsNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("reason");
    QTest::newRow("damaged photo") << "broken.jpg" << QByteArray("no picture here") << true
                                   << "damaged, or not a photo that can be read";
    QTest::newRow("empty file") << "empty.jpg" << QByteArray() << true << "empty";
    QTest::newRow("no permission")
        << "locked.jpg" << QByteArray("x") << false << "no permission to read it";
    QTest::newRow("not a photo") << "notes.txt" << QByteArray("text") << true
                                 << "not a photo file that can be read";
}

// One file that cannot be read: nothing reaches the list, and the message gives its path and
// why, on a line of its own after the sentence.
void TestImportProgress::unreadableOnlyAddsNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, readable);
    QFETCH(QString, reason);
    initFileTypeLists();
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    if (!readable) {
        QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
        if (QFileInfo(path).isReadable())
            QSKIP("the test runs with the right to read every file");
    }
    PhotoListWidget list;
    AlertCatcher alerts;
    ImportProgress dialog(true, &list);
    dialog.setFiles({path});
    dialog.exec();
    QVERIFY(!dialog.addedAny());
    QCOMPARE(list.count(), 0);
    QCOMPARE(alerts.texts,
             QStringList {QStringLiteral("Some files have not been added to the list:\n%1: %2")
                              .arg(path, reason)});
}

void TestImportProgress::cancelKeepsDelivered()
{
    QTemporaryDir dir;
    const QStringList paths = MediaFiles::writeBatch(dir, 300, {}, 1600, 1200);
    QVERIFY(!paths.isEmpty());
    PhotoListWidget list;
    ImportProgress dialog(true, &list);
    dialog.setFiles(paths);

    // While the dialog runs, the label names the file being read, never one already in the
    // list; once three photos are in, Cancel is clicked.
    QStringList wrongLabels;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, &dialog, [&] {
        const int delivered = int(list.photoList().size());
        const QString label = dialog.findChild<QLabel *>(QStringLiteral("label"))->text();
        if (delivered > 0 && label.contains(QFileInfo(paths[delivered - 1]).fileName()))
            wrongLabels.append(label);
        if (delivered >= 3)
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Cancel")),
                              Qt::LeftButton);
    });
    watcher.start(15);
    dialog.exec();

    const QStringList delivered = pathsOf(list.photoList());
    QVERIFY2(delivered.size() >= 3 && delivered.size() < paths.size(),
             qPrintable(QString::number(delivered.size())));
    QCOMPARE(delivered, paths.mid(0, delivered.size()));
    QVERIFY(dialog.addedAny());
    QVERIFY(dialog.infoParser()->isFinished());
    QVERIFY2(wrongLabels.isEmpty(), qPrintable(wrongLabels.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestImportProgress)
#include "tst_importprogress.moc"
