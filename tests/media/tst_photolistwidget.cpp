// SPDX-License-Identifier: GPL-3.0-or-later
// The photo strip: its alternating rows, drops of files and of its own photos, removal, moves,
// orientation pictures, sorting and tool tips. Drags are real: pressed, moved and released.
#include "media/filetypes.h"
#include "media/photolistwidget.h"
#include "storyboard/photoloader.h"
#include "tests/media/mediafiles.h"
#include "tests/zomexif/photofixture.h"

#include <QApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <libexif/exif-tag.h>

namespace {

// A record as the import would deliver it, without touching the disk.
ImageInfo record(const QString &path, int seed = 0, qint64 fileSize = 1000)
{
    ImageInfo info;
    info.path = path;
    info.width = 320;
    info.height = 240;
    info.depth = 32;
    info.fileSize = fileSize;
    info.thumbnail = QImage(ThumbnailWidth, ThumbnailHeight, QImage::Format_RGB32);
    info.thumbnail.fill(QColor::fromHsv((seed * 61) % 360, 255, 255));
    info.thumbnailRotated = info.thumbnail.transformed(QTransform().rotate(90));
    return info;
}

QStringList pathsOf(const QList<ImageInfo> &photos)
{
    QStringList paths;
    for (const ImageInfo &photo : photos)
        paths.append(photo.path);
    return paths;
}

QStringList names(const QString &letters)
{
    QStringList list;
    for (QChar c : letters)
        list.append(QStringLiteral("/p/%1.jpg").arg(c));
    return list;
}

// Fills a strip with photos named /p/A.jpg, /p/B.jpg, ...
void fill(PhotoListWidget &list, const QString &letters)
{
    int seed = 0;
    for (const QString &path : names(letters))
        list.addPhoto(record(path, seed++), true);
    list.finishInsertion();
}

// Photos on even rows with their decorations, transitions on odd rows, and no stray row.
void verifyRows(const PhotoListWidget &list)
{
    const int photos = int(list.photoList().size());
    QCOMPARE(list.count(), photos == 0 ? 0 : 2 * photos - 1);
    for (int row = 0; row < list.count(); ++row) {
        const QListWidgetItem *item = list.item(row);
        if (row % 2 == 0) {
            QCOMPARE(item->sizeHint(), QSize(88, 66));
            QCOMPARE(item->data(Qt::DecorationRole).value<QImage>(),
                     PhotoListWidget::orientedThumbnail(list.photoList().at(row / 2)));
            QVERIFY(!item->toolTip().isEmpty());
        } else {
            QCOMPARE(item->sizeHint(), QSize(44, 33));
            QVERIFY(item->toolTip().isEmpty());
        }
    }
}

QPoint centreOf(const PhotoListWidget &list, int row)
{
    if (row >= list.count())
        return list.visualItemRect(list.item(list.count() - 1)).center() + QPoint(80, 0);
    return list.visualItemRect(list.item(row)).center();
}

// A real drag inside the strip: press on the selection, move past the start distance, and,
// from within the drag's own loop, move to the target and release there.
void dragWithin(PhotoListWidget &list, int fromRow, int toRow, Qt::KeyboardModifiers modifiers)
{
    QWidget *viewport = list.viewport();
    const QPoint from = centreOf(list, fromRow);
    const QPoint to = centreOf(list, toRow);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTimer::singleShot(50, viewport, [viewport, to, modifiers] {
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, modifiers, to);
    });
    QTest::mouseMove(viewport, from + QPoint(QApplication::startDragDistance() + 8, 0));
}

// A drop as the window system delivers one: enter, move, drop at the centre of a row. Returns
// whether the strip accepted the drop.
bool dropOn(PhotoListWidget &list, QMimeData *mime, int row)
{
    const QPoint at = centreOf(list, row);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &enter);
    QDragMoveEvent move(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QDropEvent drop(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &drop);
    return drop.isAccepted();
}

} // namespace

class TestPhotoListWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initFileTypeLists(); }
    void threePhotosAlternate();
    void droppedFilesLandBeforeTheNextPhoto();
    void removal_data();
    void removal();
    void moves_data();
    void moves();
    void dragWithinMovesOrCopies_data();
    void dragWithinMovesOrCopies();
    void foreignPayloadIgnored();
    void cameraQuarterTurn();
    void sortIsStableWith64BitSizes();
    void earlierListPutBackAsItWas();
    void toolTipShowsNamesAsTyped();
};

void TestPhotoListWidget::threePhotosAlternate()
{
    PhotoListWidget list;
    QSignalSpy changed(&list, &PhotoListWidget::photoListChanged);
    fill(list, QStringLiteral("ABC"));
    verifyRows(list);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(pathsOf(changed.first().first().value<QList<ImageInfo>>()),
             names(QStringLiteral("ABC")));
    QCOMPARE(list.contentWidth(), centreOf(list, 4).x() + 44);
}

void TestPhotoListWidget::droppedFilesLandBeforeTheNextPhoto()
{
    QTemporaryDir dir;
    const QStringList files = MediaFiles::writeBatch(dir, 2);
    PhotoListWidget list;
    list.resize(800, 72);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    fill(list, QStringLiteral("ABC"));
    QSignalSpy aboutToChange(&list, &PhotoListWidget::photoListAboutToChange);
    QSignalSpy changed(&list, &PhotoListWidget::photoListChanged);

    auto *mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(files[0]), QUrl::fromLocalFile(files[1])});
    QVERIFY(dropOn(list, mime, 1));
    delete mime;

    const QStringList abc = names(QStringLiteral("ABC"));
    QCOMPARE(pathsOf(list.photoList()), (QStringList {abc[0], files[0], files[1], abc[1], abc[2]}));
    verifyRows(list);
    QCOMPARE(aboutToChange.size(), 1);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(list.currentRow(), 2);
}

void TestPhotoListWidget::removal_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("left");
    QTest::newRow("first photo") << 0 << 0 << "BCD";
    QTest::newRow("first two and the transition after") << 0 << 3 << "CD";
    QTest::newRow("last photo") << 6 << 6 << "ABC";
    QTest::newRow("from a transition to the last") << 3 << 6 << "AB";
    QTest::newRow("middle") << 2 << 4 << "AD";
    QTest::newRow("everything") << 0 << 6 << "";
    QTest::newRow("a transition alone") << 3 << 3 << "ABCD";
}

void TestPhotoListWidget::removal()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, left);
    PhotoListWidget list;
    fill(list, QStringLiteral("ABCD"));
    QSignalSpy changed(&list, &PhotoListWidget::photoListChanged);
    list.selectionModel()->select(
        QItemSelection(list.model()->index(first, 0), list.model()->index(last, 0)),
        QItemSelectionModel::ClearAndSelect);
    list.removeSelected(false);
    QCOMPARE(pathsOf(list.photoList()), names(left));
    verifyRows(list);
    QCOMPARE(changed.size(), left.size() == 4 ? 0 : 1);
}

void TestPhotoListWidget::moves_data()
{
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("selectedFirst");
    QTest::newRow("left") << false << 4 << 4 << "ACBD" << 2;
    QTest::newRow("two left") << false << 2 << 5 << "BCAD" << 0;
    QTest::newRow("left at the first photo") << false << 0 << 0 << "ABCD" << 0;
    QTest::newRow("right") << true << 2 << 2 << "ACBD" << 4;
    QTest::newRow("one right to the end") << true << 3 << 4 << "ABDC" << 6;
    QTest::newRow("two right to the end") << true << 2 << 4 << "ADBC" << 4;
    QTest::newRow("two right") << true << 0 << 2 << "CABD" << 2;
    QTest::newRow("right at the last photo") << true << 6 << 6 << "ABCD" << 6;
}

void TestPhotoListWidget::moves()
{
    QFETCH(bool, right);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, order);
    QFETCH(int, selectedFirst);
    PhotoListWidget list;
    fill(list, QStringLiteral("ABCD"));
    list.selectionModel()->select(
        QItemSelection(list.model()->index(first, 0), list.model()->index(last, 0)),
        QItemSelectionModel::ClearAndSelect);
    right ? list.moveSelectedRight() : list.moveSelectedLeft();
    QCOMPARE(pathsOf(list.photoList()), names(order));
    verifyRows(list);
    // The moved photos stay selected.
    QList<int> rows;
    for (const QModelIndex &index : list.selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.first(), selectedFirst);
}

void TestPhotoListWidget::dragWithinMovesOrCopies_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("control");
    QTest::addColumn<QString>("order");
    // The row of the photo the drop brought in, which is then current and alone selected.
    QTest::addColumn<int>("dropped");
    QTest::newRow("first onto the last") << 0 << 4 << false << "BCA" << 4;
    QTest::newRow("last onto the first") << 4 << 0 << false << "CAB" << 0;
    QTest::newRow("first past the end") << 0 << 5 << false << "BCA" << 4;
    QTest::newRow("onto itself") << 2 << 2 << false << "ABC" << 2;
    QTest::newRow("copy of the first to the end") << 0 << 5 << true << "ABCA" << 6;
    QTest::newRow("copy onto a transition") << 4 << 1 << true << "ACBC" << 2;
}

void TestPhotoListWidget::dragWithinMovesOrCopies()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, control);
    QFETCH(QString, order);
    PhotoListWidget list;
    list.resize(800, 72);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    fill(list, QStringLiteral("ABC"));
    QSignalSpy changed(&list, &PhotoListWidget::photoListChanged);
    dragWithin(list, from, to, control ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(pathsOf(list.photoList()), names(order));
    verifyRows(list);
    // A copy changes the list once, a move twice (the drop, then the removal at the source).
    QCOMPARE(changed.size(), control ? 1 : 2);
    QFETCH(int, dropped);
    QCOMPARE(list.currentRow(), dropped);
    const QList<QListWidgetItem *> selected = list.selectedItems();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(list.row(selected.first()), dropped);
}

void TestPhotoListWidget::foreignPayloadIgnored()
{
    PhotoListWidget list;
    list.resize(800, 72);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    fill(list, QStringLiteral("ABC"));
    QSignalSpy changed(&list, &PhotoListWidget::photoListChanged);
    const QList<QByteArray> payloads {QByteArray("1\0"
                                                 "0\0",
                                                 4),
                                      QByteArray("2\0"
                                                 "0\0",
                                                 4),
                                      QByteArray("1\0"
                                                 "140737488355328\0",
                                                 18),
                                      QByteArray("garbage")};
    for (const QByteArray &payload : payloads) {
        auto *mime = new QMimeData;
        mime->setData(QLatin1String(PhotoListWidget::dragFormat), payload);
        QVERIFY(!dropOn(list, mime, 4));
        delete mime;
    }
    QCOMPARE(pathsOf(list.photoList()), names(QStringLiteral("ABC")));
    QCOMPARE(changed.size(), 0);
}

void TestPhotoListWidget::cameraQuarterTurn()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("upright.jpg"));
    // Tag 6: the picture must be turned a quarter right to stand upright.
    const QByteArray block = ExifBuilder().setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 6).block();
    QVERIFY(writeFile(path, jpegWithExif(quadrantImage(320, 240), block)));
    ImageInfo info;
    info.path = path;
    QVERIFY(readPhotoInfo(info));

    for (const bool autoRotate : {true, false}) {
        PhotoListWidget list;
        list.setAutoRotate(autoRotate);
        list.addPhoto(info, true);
        list.finishInsertion();
        const QImage shown = list.item(0)->data(Qt::DecorationRole).value<QImage>();
        QCOMPARE(shown, autoRotate ? info.thumbnailRotated : info.thumbnail);
    }
}

// Undo hands back an earlier list: turned photos keep their turns (not re-applied from the
// camera, and with no new move and zoom), and the rows alternate again.
void TestPhotoListWidget::earlierListPutBackAsItWas()
{
    PhotoListWidget list;
    fill(list, QStringLiteral("ABC"));
    list.setCurrentRow(2);
    list.rotateSelected(ImageInfo::TurnRight);
    const QList<ImageInfo> earlier = list.photoList();
    list.setCurrentRow(0);
    list.removeSelected(false);
    list.sortPhotos(PhotoListWidget::SortByPath, false);
    QCOMPARE(pathsOf(list.photoList()), names(QStringLiteral("CB")));

    QSignalSpy changed(&list, &PhotoListWidget::photoListChanged);
    list.setPhotoList(earlier);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(pathsOf(list.photoList()), names(QStringLiteral("ABC")));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list.photoList().at(i).operations, earlier.at(i).operations);
        QCOMPARE(list.photoList().at(i).orientation, earlier.at(i).orientation);
        QCOMPARE(list.photoList().at(i).zoom.start, earlier.at(i).zoom.start);
    }
    QVERIFY(earlier.at(1).orientation != 0);
    verifyRows(list);

    // New photos still go to the end afterwards.
    list.addPhoto(record(QStringLiteral("/p/D.jpg")), true);
    list.finishInsertion();
    QCOMPARE(pathsOf(list.photoList()), names(QStringLiteral("ABCD")));
    verifyRows(list);

    list.setPhotoList({});
    QCOMPARE(list.count(), 0);
}

void TestPhotoListWidget::sortIsStableWith64BitSizes()
{
    const qint64 gb = 1024LL * 1024 * 1024;
    PhotoListWidget list;
    list.addPhoto(record(QStringLiteral("/p/big.jpg"), 0, 3 * gb), false);
    list.addPhoto(record(QStringLiteral("/p/twoA.jpg"), 1, 2 * gb), false);
    list.addPhoto(record(QStringLiteral("/p/small.jpg"), 2, 10), false);
    list.addPhoto(record(QStringLiteral("/p/twoB.jpg"), 3, 2 * gb), false);
    list.finishInsertion();
    QSignalSpy changed(&list, &PhotoListWidget::photoListChanged);

    list.sortPhotos(PhotoListWidget::SortByFileSize, true);
    QCOMPARE(pathsOf(list.photoList()),
             (QStringList {"/p/small.jpg", "/p/twoA.jpg", "/p/twoB.jpg", "/p/big.jpg"}));
    verifyRows(list);
    list.sortPhotos(PhotoListWidget::SortByFileSize, false);
    QCOMPARE(pathsOf(list.photoList()),
             (QStringList {"/p/big.jpg", "/p/twoA.jpg", "/p/twoB.jpg", "/p/small.jpg"}));
    list.sortPhotos(PhotoListWidget::SortByPath, true);
    QCOMPARE(pathsOf(list.photoList()),
             (QStringList {"/p/big.jpg", "/p/small.jpg", "/p/twoA.jpg", "/p/twoB.jpg"}));
    verifyRows(list);
    QCOMPARE(changed.size(), 3);
}

void TestPhotoListWidget::toolTipShowsNamesAsTyped()
{
    PhotoListWidget list;
    list.addPhoto(record(QStringLiteral("/p/<b>x&y.jpg")), false);
    list.finishInsertion();
    const QString tip = list.item(0)->toolTip();
    QVERIFY2(tip.contains(QStringLiteral(":&nbsp;<b>&lt;b&gt;x&amp;y.jpg</b>")), qPrintable(tip));
    QVERIFY(tip.contains(QStringLiteral("320 x 240")));
    QVERIFY(tip.contains(QStringLiteral("32Bits")));
}

QTEST_MAIN(TestPhotoListWidget)
#include "tst_photolistwidget.moc"
