// SPDX-License-Identifier: GPL-3.0-or-later
// Import path expansion, the preparation of newly imported photos, and the faces of photos read
// again when a show opens.
#include "media/mediaimport.h"
#include "media/showmedia.h"
#include "storyboard/storyboard.h"
#include "tests/storyboard/facefixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

const QStringList photos {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
                          QStringLiteral("*.png")};

} // namespace

class TestMediaImport : public QObject
{
    Q_OBJECT
private slots:
    void expandsFolders();
    void stopsAtFolderWhenNotExpanding();
    void newPhotosCycleAndTurn();
    void showPhotoFaces_data();
    void showPhotoFaces();
};

void TestMediaImport::expandsFolders()
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("b.png")));
    touch(dir.filePath(QStringLiteral("A.JPG")));
    touch(dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("c")));
    touch(dir.filePath(QStringLiteral("c/inner.jpg")));

    const QString loose = QStringLiteral("/somewhere/song.mp3");
    const QStringList paths = expandImportPaths(
        {QUrl::fromLocalFile(loose), QUrl::fromLocalFile(dir.path())}, photos, true);
    // Files pass unchanged (even unmatched and missing ones), folders give their matching
    // entries by name ignoring case, sub-folders are not entered.
    QCOMPARE(paths,
             (QStringList {loose, dir.filePath(QStringLiteral("A.JPG")),
                           dir.filePath(QStringLiteral("b.png"))}));
    QVERIFY(expandImportPaths({}, photos, true).isEmpty());
}

void TestMediaImport::stopsAtFolderWhenNotExpanding()
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("x.jpg")));
    const QStringList paths = expandImportPaths({QUrl::fromLocalFile(QStringLiteral("/a.jpg")),
                                                 QUrl::fromLocalFile(dir.path()),
                                                 QUrl::fromLocalFile(QStringLiteral("/b.jpg"))},
                                                photos, false);
    QCOMPARE(paths, QStringList {QStringLiteral("/a.jpg")});
}

void TestMediaImport::newPhotosCycleAndTurn()
{
    ImageInfo turned;
    turned.exifRotation = 90; // the camera was held upright, turned right
    turned.operations = {ImageInfo::Mirror};
    prepareNewPhoto(turned, true);
    QCOMPARE(turned.operations, QList<int> {ImageInfo::TurnRight});
    QCOMPARE(turned.orientation, 6);

    ImageInfo kept = turned;
    kept.operations = {};
    prepareNewPhoto(kept, false);
    QCOMPARE(kept.orientation, 0);
    // Successive photos move in different directions.
    QVERIFY(kept.zoom.start != turned.zoom.start || kept.zoom.end != turned.zoom.end);
}

void TestMediaImport::showPhotoFaces_data()
{
    QTest::addColumn<bool>("searched");
    QTest::addColumn<QList<QRectF>>("kept");
    QTest::addColumn<int>("expected");
    QTest::newRow("never searched (a show from before): searched on opening")
        << false << QList<QRectF> {} << 1;
    QTest::newRow("searched, none found: not searched again") << true << QList<QRectF> {} << 0;
    QTest::newRow("searched: the kept faces stay")
        << true << QList<QRectF> {QRectF(0.1, 0.1, 0.2, 0.2), QRectF(0.7, 0.6, 0.1, 0.1)} << 2;
}

void TestMediaImport::showPhotoFaces()
{
    QFETCH(bool, searched);
    QFETCH(QList<QRectF>, kept);
    QFETCH(int, expected);
    QTemporaryDir dir;
    QRectF drawn;
    ImageInfo photo;
    photo.path = dir.filePath(QStringLiteral("face.jpg"));
    QVERIFY(photoWithFace(QSize(1200, 900), QPointF(0.5, 0.5), 0.5, &drawn).save(photo.path));
    photo.operations = {ImageInfo::TurnRight};
    photo.faces = kept;
    photo.facesSearched = searched;

    QVERIFY(rereadShowPhoto(photo));
    QVERIFY(photo.facesSearched);
    QCOMPARE(photo.faces.size(), expected);
    if (searched)
        QCOMPARE(photo.faces, kept);
    else
        QVERIFY(drawn.contains(photo.faces.first().center()));
    QCOMPARE(photo.orientation, 6);
}

QTEST_GUILESS_MAIN(TestMediaImport)
#include "tst_mediaimport.moc"
