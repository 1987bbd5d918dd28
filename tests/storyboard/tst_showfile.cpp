// SPDX-License-Identifier: GPL-3.0-or-later
// Show files: round trip, relative paths, missing files, damaged and hostile input, and saving
// that never leaves a damaged file behind.
#include "storyboard/photoloader.h"
#include "storyboard/showfile.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(PhotoSettings)

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// A show as a user leaves it after an evening's work: turned photos with their own zoom paths,
// trimmed clips, edited settings and an edited profile.
ShowFile sampleShow(const QString &folder, const QString &outside)
{
    ShowFile show;
    for (int i = 0; i < 3; ++i) {
        ImageInfo photo;
        photo.path = folder + QStringLiteral("/photos/p%1.jpg").arg(i);
        photo.operations = QList<int>(i + 1, i == 2 ? ImageInfo::Mirror : ImageInfo::TurnLeft);
        photo.zoom.kind = i % 2;
        photo.zoom.start = {-25.0f, 12.5f, 50.0f, 0.1f * i};
        photo.zoom.end = {25.0f, -12.5f, 100.0f, 1.0f / 3.0f};
        foldOrientation(photo);
        show.photos.append(photo);
    }
    // Faces: two found on the first photo, none on the second, the third never searched.
    show.photos[0].faces = {QRectF(0.125, 0.25, 0.2, 0.3125), QRectF(0.6, 0.1, 0.0625, 0.1)};
    show.photos[0].facesSearched = true;
    show.photos[1].facesSearched = true;
    // Photo 1 sets everything of its own, photo 2 only its motion.
    PhotoSettings &own = show.photos[1].own;
    own.durationMs = 2500;
    own.transition = TransitionStyle::Wipe;
    own.wipePattern = QStringLiteral("circle.wpt");
    own.transitionMs = 800;
    own.motion = MotionStyle::Custom;
    own.easing = Easing::InOut;
    own.motionStart = QRectF(0, 0, 4000, 2250);
    own.motionEnd = QRectF(1800.5, 600, 1600, 900);
    show.photos[2].own.motion = MotionStyle::PanLeft;
    ImageInfo far;
    far.path = outside + QStringLiteral("/far.png");
    show.photos.append(far);
    AudioInfo clip;
    clip.path = folder + QStringLiteral("/music/song.mp3");
    clip.duration = 241.73;
    clip.clipStart = 3.25;
    clip.clipEnd = 200.5;
    show.audios.append(clip);
    show.photoDurationMs = 4200;
    show.transitionDurationMs = 900;
    show.useTransition = false;
    show.dissolveOnly = true;
    show.useZoom = false;
    show.loopAudio = true;
    show.fadeInOut = true;
    show.framing = Framing::BlurredFit;
    show.profile = ZomProfileData(QStringLiteral("mpeg4h264"));
    show.profile.setValue(QStringLiteral("s"), QStringLiteral("1280x720"));
    show.profile.setValue(QStringLiteral("r"), QStringLiteral("29.97fps"));
    show.profile.setValue(QStringLiteral("b"), 4000);
    show.profile.setValue(QStringLiteral("two_pass"), true);
    show.outputFolder = folder + QStringLiteral("/out");
    show.outputName = QStringLiteral("Summer \"2026\" ünï");
    return show;
}

void compareShows(const ShowFile &a, const ShowFile &b)
{
    QCOMPARE(a.photos.size(), b.photos.size());
    for (int i = 0; i < a.photos.size(); ++i) {
        QCOMPARE(a.photos[i].path, b.photos[i].path);
        QCOMPARE(a.photos[i].operations, b.photos[i].operations);
        QCOMPARE(a.photos[i].orientation, b.photos[i].orientation);
        QCOMPARE(a.photos[i].zoom.kind, b.photos[i].zoom.kind);
        QCOMPARE(a.photos[i].zoom.start, b.photos[i].zoom.start);
        QCOMPARE(a.photos[i].zoom.end, b.photos[i].zoom.end);
        QCOMPARE(a.photos[i].faces, b.photos[i].faces);
        QCOMPARE(a.photos[i].facesSearched, b.photos[i].facesSearched);
        QVERIFY(a.photos[i].own == b.photos[i].own);
        QCOMPARE(a.photos[i].own.motionStart, b.photos[i].own.motionStart);
    }
    QCOMPARE(a.audios.size(), b.audios.size());
    for (int i = 0; i < a.audios.size(); ++i) {
        QCOMPARE(a.audios[i].path, b.audios[i].path);
        QCOMPARE(a.audios[i].duration, b.audios[i].duration);
        QCOMPARE(a.audios[i].clipStart, b.audios[i].clipStart);
        QCOMPARE(a.audios[i].clipEnd, b.audios[i].clipEnd);
    }
    QCOMPARE(a.photoDurationMs, b.photoDurationMs);
    QCOMPARE(a.transitionDurationMs, b.transitionDurationMs);
    QCOMPARE(a.useTransition, b.useTransition);
    QCOMPARE(a.dissolveOnly, b.dissolveOnly);
    QCOMPARE(a.useZoom, b.useZoom);
    QCOMPARE(a.loopAudio, b.loopAudio);
    QCOMPARE(a.fadeInOut, b.fadeInOut);
    QCOMPARE(a.framing, b.framing);
    QVERIFY(a.profile == b.profile);
    QCOMPARE(a.outputFolder, b.outputFolder);
    QCOMPARE(a.outputName, b.outputName);
}

QByteArray validShowText()
{
    return R"({"format": "vellumix-show", "version": 1,
              "album": {"photoDurationMs": 3000, "transitionDurationMs": 1000},
              "photos": [{"path": "a.jpg", "operations": [2]}],
              "audios": [{"path": "b.wav", "duration": 10, "clipStart": 1, "clipEnd": 9}]})";
}

QByteArray withReplaced(const char *from, const char *to)
{
    QByteArray text = validShowText();
    Q_ASSERT(text.contains(from));
    return text.replace(from, to);
}

} // namespace

class TestShowFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip();
    void relativePathsSurviveMovingTheFolder();
    void missingFilesAreKept();
    void badInput_data();
    void badInput();
    void faces_data();
    void faces();
    void ownSettingsRead_data();
    void ownSettingsRead();
    void folderNamedLikeAShow();
    void largeShows();
    void failedSaveKeepsTheOldFile();
    void killedSaveKeepsTheOldFile();
};

void TestShowFile::roundTrip()
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    const ShowFile show = sampleShow(dir.path(), outside.path());
    const QString path = dir.filePath(QStringLiteral("show.vellumix"));
    QString error;
    QVERIFY2(writeShowFile(path, show, &error), qPrintable(error));

    const ShowReadResult first = readShowFile(path);
    QVERIFY2(first.ok(), qPrintable(first.error));
    compareShows(first.show, show);
    // Read back and saved again, the file is the same to the byte.
    const QString again = dir.filePath(QStringLiteral("again.vellumix"));
    QVERIFY(writeShowFile(again, first.show));
    QFile a(path);
    QFile b(again);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());

    // The story board takes every setting and gives it back.
    StoryBoard board;
    first.show.applyTo(board);
    QCOMPARE(board.photoDuration, 4.2);
    QCOMPARE(board.transitionDuration, 0.9);
    ShowFile back;
    back.takeFrom(board);
    back.profile = show.profile;
    back.outputFolder = show.outputFolder;
    back.outputName = show.outputName;
    compareShows(back, show);
}

void TestShowFile::relativePathsSurviveMovingTheFolder()
{
    QTemporaryDir root;
    QTemporaryDir outside;
    const QString before = root.filePath(QStringLiteral("trip"));
    const ShowFile show = sampleShow(before, outside.path());
    for (const ImageInfo &photo : show.photos)
        touch(photo.path);
    touch(show.audios[0].path);
    QVERIFY(writeShowFile(before + QStringLiteral("/show.vellumix"), show));

    QFile file(before + QStringLiteral("/show.vellumix"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("\"photos/p0.jpg\""));
    QVERIFY(text.contains("\"music/song.mp3\""));
    QVERIFY(
        text.contains(QFileInfo(outside.filePath(QStringLiteral("far.png"))).filePath().toUtf8()));
    file.close();

    const QString after = root.filePath(QStringLiteral("moved/trip"));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("moved"))));
    QVERIFY(QDir().rename(before, after));
    const ShowReadResult read = readShowFile(after + QStringLiteral("/show.vellumix"));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.show.photos[1].path, after + QStringLiteral("/photos/p1.jpg"));
    QCOMPARE(read.show.audios[0].path, after + QStringLiteral("/music/song.mp3"));
    QCOMPARE(read.show.photos[3].path, outside.filePath(QStringLiteral("far.png")));
    QCOMPARE(read.show.outputFolder, after + QStringLiteral("/out"));
    QVERIFY(missingFiles(read.show.photos, read.show.audios).isEmpty());
}

void TestShowFile::missingFilesAreKept()
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    ShowFile show = sampleShow(dir.path(), outside.path());
    touch(show.photos[0].path);
    touch(show.photos[2].path);
    const QString path = dir.filePath(QStringLiteral("show.vellumix"));
    QVERIFY(writeShowFile(path, show));

    ShowReadResult read = readShowFile(path);
    QVERIFY(read.ok());
    QCOMPARE(read.show.photos.size(), 4);
    QCOMPARE(missingFiles(read.show.photos, read.show.audios),
             QStringList({show.photos[1].path, show.photos[3].path, show.audios[0].path}));
    QVERIFY(!read.show.photos[0].missing && read.show.photos[1].missing);

    // Saved again, the missing ones are still there with all their settings.
    QVERIFY(writeShowFile(path, read.show));
    const ShowReadResult again = readShowFile(path);
    compareShows(again.show, show);
}

void TestShowFile::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault");
    // Each case below differs from this text in one fault only.
    QVERIFY(parseShow(validShowText(), QStringLiteral("/shows")).ok());

    const QByteArray valid = validShowText();
    QTest::newRow("zero bytes") << QByteArray() << "empty";
    QTest::newRow("only blanks") << QByteArray("  \n ") << "empty";
    QTest::newRow("truncated") << valid.left(valid.size() / 2) << "cut short";
    QTest::newRow("garbage") << QByteArray("{\"format\": \x01\xff\xfe garbage}") << "damaged";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << "damaged";
    QTest::newRow("a list") << QByteArray("[1, 2]") << "not a show file";
    QTest::newRow("other json") << QByteArray(R"({"photos": []})") << "not a show file";
    QTest::newRow("no version") << withReplaced(R"("version": 1,)", "") << "version";
    QTest::newRow("newer version") << withReplaced(R"("version": 1)", R"("version": 2)")
                                   << "newer version of Vellumix (show format 2";
    QTest::newRow("version as text")
        << withReplaced(R"("version": 1)", R"("version": "1")") << "whole number";
    QTest::newRow("fractional version")
        << withReplaced(R"("version": 1)", R"("version": 1.5)") << "whole number";
    QTest::newRow("photo duration too short")
        << withReplaced("3000", "10") << "\"photoDurationMs\" is 10, outside 1000 to 999000";
    QTest::newRow("transition too long")
        << withReplaced("\"transitionDurationMs\": 1000", "\"transitionDurationMs\": 1e12")
        << "transitionDurationMs";
    QTest::newRow("switch as text") << withReplaced(R"("photoDurationMs": 3000)",
                                                    R"("photoDurationMs": 3000, "useZoom": "yes")")
                                    << "\"useZoom\" must be true or false";
    QTest::newRow("unknown framing") << withReplaced(
        R"("photoDurationMs": 3000)", R"("photoDurationMs": 3000, "framing": "zoom")")
                                     << "\"framing\" must be";
    QTest::newRow("photos not a list")
        << withReplaced(R"("photos": [{"path": "a.jpg", "operations": [2]}])", R"("photos": {})")
        << "\"photos\" must be a list";
    QTest::newRow("photo not an object")
        << withReplaced(R"({"path": "a.jpg", "operations": [2]})", "7")
        << "photo 1: must be an object";
    QTest::newRow("unknown step") << withReplaced("[2]", "[7]") << "photo 1: \"operations\"";
    QTest::newRow("step as text") << withReplaced("[2]", R"(["left"])") << "whole number";
    QTest::newRow("no photo path")
        << withReplaced(R"("path": "a.jpg", )", "") << "\"path\" is missing";
    QTest::newRow("empty photo path") << withReplaced(R"("a.jpg")", R"("")") << "\"path\" is empty";
    QTest::newRow("path with a zero") << withReplaced(R"("a.jpg")", R"("a\u0000.jpg")") << "zero";
    QTest::newRow("short zoom") << withReplaced(
        R"("operations": [2])", R"("operations": [2], "zoom": {"start": [1, 2, 3]})")
                                << "\"start\" must be a list of 4 numbers";
    QTest::newRow("huge zoom") << withReplaced(
        R"("operations": [2])", R"("operations": [2], "zoom": {"end": [1, 2, 3, 1e300]})")
                               << "\"end\" must be a list of 4 numbers";
    const auto withOwn = [](const char *own) {
        return withReplaced(R"("operations": [2])",
                            (QByteArray(R"("operations": [2], "own": )") + own).constData());
    };
    QTest::newRow("own duration too short")
        << withOwn(R"({"durationMs": 999})") << "photo 1.own: \"durationMs\" is 999";
    QTest::newRow("own transition as a number")
        << withOwn(R"({"transition": 2})") << "\"transition\" must be a text";
    QTest::newRow("pattern with a folder")
        << withOwn(R"({"transition": "wipe", "pattern": "../../etc/x.wpt"})") << "file name";
    QTest::newRow("rectangle of 3 numbers")
        << withOwn(R"({"motion": "custom", "start": [1, 2, 3], "end": [0, 0, 4, 3]})")
        << "\"start\" must be a list of 4 numbers";
    QTest::newRow("rectangle without width")
        << withOwn(R"({"motion": "custom", "start": [0, 0, 4, 3], "end": [0, 0, 0, 3]})")
        << "\"end\" must be a list of 4 numbers";
    QTest::newRow("own not an object") << withOwn("[]") << "\"own\" must be an object";
    QTest::newRow("negative clip start") << withReplaced(R"("clipStart": 1)", R"("clipStart": -1)")
                                         << "audio clip 1: \"clipStart\" is -1";
    QTest::newRow("clip backwards")
        << withReplaced(R"("clipEnd": 9)", R"("clipEnd": 0.5)") << "ends (0.5 s) before it starts";
    QTest::newRow("clip past the file")
        << withReplaced(R"("clipEnd": 9)", R"("clipEnd": 11)") << "after the file";
    QTest::newRow("duration as text") << withReplaced(R"("duration": 10)", R"("duration": "10")")
                                      << "\"duration\" must be a number";
    QTest::newRow("profile value list")
        << withReplaced(R"("version": 1,)", R"("version": 1, "output": {"values": {"s": [1]}},)")
        << "profile value \"s\"";
    QTest::newRow("output name number")
        << withReplaced(R"("version": 1,)", R"("version": 1, "output": {"name": 5},)")
        << "\"name\" must be a text";
}

void TestShowFile::ownSettingsRead_data()
{
    QTest::addColumn<QByteArray>("own");
    QTest::addColumn<PhotoSettings>("expected");

    PhotoSettings cut;
    cut.transition = TransitionStyle::Cut;
    cut.durationMs = 1000;
    PhotoSettings zoom;
    zoom.motion = MotionStyle::ZoomIn;
    zoom.easing = Easing::InOut;
    QTest::newRow("a show from before") << QByteArray() << PhotoSettings();
    QTest::newRow("cut and duration")
        << QByteArray(R"({"transition": "cut", "durationMs": 1000})") << cut;
    QTest::newRow("preset eased") << QByteArray(R"({"motion": "zoomIn", "easing": "inOut"})")
                                  << zoom;
    // What a later version may add is read as the album's choice, the rest as written.
    QTest::newRow("names of a later version")
        << QByteArray(R"({"transition": "spin", "motion": "orbit", "easing": "bounce",
                          "durationMs": 1000, "sparkle": true})")
        << [] {
               PhotoSettings s;
               s.durationMs = 1000;
               return s;
           }();
    QTest::newRow("custom without rectangles")
        << QByteArray(R"({"motion": "custom"})") << PhotoSettings();
}

void TestShowFile::ownSettingsRead()
{
    QFETCH(QByteArray, own);
    QFETCH(PhotoSettings, expected);
    const QByteArray text = own.isEmpty()
        ? validShowText()
        : withReplaced(R"("operations": [2])",
                       (QByteArray(R"("operations": [2], "own": )") + own).constData());
    const ShowReadResult read = parseShow(text, QStringLiteral("/shows"));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QVERIFY(read.show.photos.at(0).own == expected);
    // A photo that follows the album is written as before, without the key.
    const QByteArray written = serializeShow(read.show, QStringLiteral("/shows"));
    QCOMPARE(written.contains("\"own\""), !expected.isAlbum());
}

void TestShowFile::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad show.vellumix"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const ShowReadResult read = readShowFile(path);
    QVERIFY(!read.ok());
    QVERIFY2(read.error.contains(QStringLiteral("\"%1\"").arg(path)), qPrintable(read.error));
    QVERIFY2(read.error.contains(fault), qPrintable(read.error));
}

void TestShowFile::faces_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("searched");
    QTest::addColumn<int>("count");
    const auto withFaces = [](const QByteArray &faces) {
        return withReplaced(R"("operations": [2]})",
                            "\"operations\": [2], \"faces\": " + faces + "}");
    };
    QByteArray tooMany = "[";
    for (int i = 0; i < 33; ++i)
        tooMany += QByteArray(i ? "," : "") + "[0.1, 0.1, 0.1, 0.1]";
    tooMany += "]";
    // A file from before faces were kept: searched when the show opens.
    QTest::newRow("no faces key") << validShowText() << false << 0;
    QTest::newRow("searched, none found") << withFaces("[]") << true << 0;
    QTest::newRow("two faces") << withFaces("[[0.1, 0.2, 0.3, 0.4], [0.6, 0, 0.4, 1]]") << true
                               << 2;
    QTest::newRow("rounded just past the edge")
        << withFaces("[[0.6667, 0, 0.3334, 1]]") << true << 1;
    // Damaged lists leave the photo to be searched again and never stop the show from opening.
    QTest::newRow("more boxes than a photo keeps") << withFaces(tooMany) << false << 0;
    QTest::newRow("box of three numbers") << withFaces("[[0.1, 0.2, 0.3]]") << false << 0;
    QTest::newRow("box past the picture") << withFaces("[[0.9, 0.1, 0.2, 0.1]]") << false << 0;
    QTest::newRow("negative box") << withFaces("[[-0.1, 0.1, 0.2, 0.1]]") << false << 0;
    QTest::newRow("empty box") << withFaces("[[0.1, 0.1, 0, 0.1]]") << false << 0;
    QTest::newRow("numbers as text") << withFaces(R"([["0.1", 0.1, 0.2, 0.1]])") << false << 0;
    QTest::newRow("not a list") << withFaces(R"("none")") << false << 0;
}

void TestShowFile::faces()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, searched);
    QFETCH(int, count);
    const ShowReadResult read = parseShow(bytes, QStringLiteral("/shows"));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.show.photos.size(), 1);
    QCOMPARE(read.show.photos[0].facesSearched, searched);
    QCOMPARE(read.show.photos[0].faces.size(), count);
    // What is written back is read back the same.
    const ShowReadResult again
        = parseShow(serializeShow(read.show, QStringLiteral("/shows")), QStringLiteral("/shows"));
    QVERIFY(again.ok());
    QCOMPARE(again.show.photos[0].facesSearched, searched);
    QCOMPARE(again.show.photos[0].faces, read.show.photos[0].faces);
}

void TestShowFile::folderNamedLikeAShow()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("folder.vellumix"));
    QVERIFY(QDir().mkpath(path));
    const ShowReadResult read = readShowFile(path);
    QVERIFY(read.error.contains(QStringLiteral("folder")));
    QVERIFY(read.error.contains(path));
    QVERIFY(readShowFile(dir.filePath(QStringLiteral("nowhere.vellumix")))
                .error.contains(QStringLiteral("no such file")));
}

void TestShowFile::largeShows()
{
    // A show of 100 000 photos is read, and in bounded time; one photo more is refused before
    // any record is made.
    QByteArray text = R"({"format": "vellumix-show", "version": 1, "photos": [)";
    const QByteArray entry = R"({"path": "photos/IMG_000000.jpg", "operations": [3, 3],
        "zoom": {"kind": 0, "start": [-25, -12.5, 50, 0], "end": [25, 12.5, 100, 0]}},)";
    for (int i = 0; i < ShowMaxPhotos; ++i)
        text += entry;
    text.chop(1);
    QByteArray tooMany = text + "," + entry.chopped(1) + "]}";
    text += "]}";

    QElapsedTimer clock;
    clock.start();
    const ShowReadResult read = parseShow(text, QStringLiteral("/shows"));
    const qint64 readMs = clock.elapsed();
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.show.photos.size(), ShowMaxPhotos);
    QCOMPARE(read.show.photos.last().orientation, read.show.photos.first().orientation);
    qInfo("100000 photos read in %lld ms", readMs);
    QVERIFY(readMs < 30000);

    const ShowReadResult refused = parseShow(tooMany, QStringLiteral("/shows"));
    QVERIFY(refused.error.contains(QStringLiteral("at most 100000 photos")));
    QVERIFY(refused.show.photos.isEmpty());

    // A file beyond the size limit is refused by its size, without being read.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.vellumix"));
    QFile huge(path);
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(ShowFileMaxBytes + 1));
    huge.close();
    QVERIFY(readShowFile(path).error.contains(QStringLiteral("larger than 64 MB")));
}

void TestShowFile::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    const ShowFile show = sampleShow(dir.path(), outside.path());
    QString error;
    const QString nowhere = dir.filePath(QStringLiteral("gone/show.vellumix"));
    QVERIFY(!writeShowFile(nowhere, show, &error));
    QVERIFY2(error.contains(QStringLiteral("cannot be saved")) && error.contains(nowhere),
             qPrintable(error));

    if (::geteuid() == 0)
        QSKIP("a read-only folder does not stop root");
    const QString path = dir.filePath(QStringLiteral("show.vellumix"));
    QVERIFY(writeShowFile(path, show));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    ShowFile changed = show;
    changed.photos.clear();
    const bool written = writeShowFile(path, changed, &error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    compareShows(readShowFile(path).show, show);
}

void TestShowFile::killedSaveKeepsTheOldFile()
{
    // A child saves shows of alternating size without pause and is killed at some moment; the
    // file on disk is always one whole show. Writing in place would leave a cut file behind
    // in most runs.
    QTemporaryDir dir;
    QTemporaryDir outside;
    const QString path = dir.filePath(QStringLiteral("show.vellumix"));
    ShowFile small = sampleShow(dir.path(), outside.path());
    ShowFile large = small;
    for (int i = 0; i < 20000; ++i)
        large.photos.append(small.photos[i % 3]);
    QVERIFY(writeShowFile(path, small));

    for (int round = 0; round < 3; ++round) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                writeShowFile(path, i % 2 ? small : large);
        }
        QTest::qSleep(150 + round * 170);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        QVERIFY(WIFSIGNALED(status));
        const ShowReadResult read = readShowFile(path);
        QVERIFY2(read.ok(), qPrintable(read.error));
        QVERIFY(read.show.photos.size() == small.photos.size()
                || read.show.photos.size() == large.photos.size());
    }
}

QTEST_GUILESS_MAIN(TestShowFile)
#include "tst_showfile.moc"
