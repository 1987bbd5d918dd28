// SPDX-License-Identifier: GPL-3.0-or-later
// The reading thread of an import: batch order with several readers, rejected files, stopping.
#include "media/infoparser.h"
#include "tests/media/mediafiles.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class TestInfoParser : public QObject
{
    Q_OBJECT
private slots:
    void readsInBatchOrder_data();
    void readsInBatchOrder();
    void stopEndsAfterFilesBeingRead_data();
    void stopEndsAfterFilesBeingRead();
    void stopBeforeStartIsForgotten();
    void stopRightAfterStartIsKept();
    void readsAudio();
};

void TestInfoParser::readsInBatchOrder_data()
{
    QTest::addColumn<int>("readers");
    QTest::newRow("one reader") << 1;
    QTest::newRow("two readers") << 2;
    QTest::newRow("four readers") << 4;
}

void TestInfoParser::readsInBatchOrder()
{
    QFETCH(int, readers);
    QTemporaryDir dir;
    QStringList paths = MediaFiles::writeBatch(dir, 10, {3, 7});
    QVERIFY(!paths.isEmpty());
    paths[7] = dir.filePath(QStringLiteral("missing.jpg"));

    InfoParser parser(&paths, true);
    parser.setReaderCount(readers);
    parser.start();
    // Collect while the thread runs, as the dialog does: every take continues the last one.
    QList<ImageInfo> photos;
    int lastFinished = 0;
    while (!parser.wait(5)) {
        const int finished = parser.finishedCount();
        QVERIFY(finished >= lastFinished);
        lastFinished = finished;
        photos += parser.takePhotos();
    }
    photos += parser.takePhotos();
    QCOMPARE(parser.finishedCount(), 10);
    QVERIFY(parser.takePhotos().isEmpty());

    QStringList read;
    for (const ImageInfo &photo : std::as_const(photos)) {
        read.append(photo.path);
        QCOMPARE(photo.width, 320);
        QVERIFY(!photo.thumbnail.isNull());
    }
    QStringList expected = paths;
    expected.removeAt(7);
    expected.removeAt(3);
    QCOMPARE(read, expected);
    QCOMPARE(parser.rejectedPaths(), (QStringList {paths[3], paths[7]}));
    // The rejected list is not emptied by reading it.
    QCOMPARE(parser.rejectedPaths().size(), 2);
}

void TestInfoParser::stopEndsAfterFilesBeingRead_data()
{
    QTest::addColumn<int>("readers");
    QTest::newRow("one reader") << 1;
    QTest::newRow("two readers") << 2;
}

void TestInfoParser::stopEndsAfterFilesBeingRead()
{
    // Named pipes hold each reader inside a file until the test writes it, so the stop arrives
    // exactly while the third (and, with two readers, the fourth) file is being read.
    QFETCH(int, readers);
    QTemporaryDir dir;
    QStringList paths = MediaFiles::writeBatch(dir, 10);
    QVERIFY(!paths.isEmpty());
    QList<int> held;
    for (int i = 2; i < 2 + readers; ++i) {
        paths[i] = dir.filePath(QStringLiteral("pipe%1.jpg").arg(i));
        QCOMPARE(mkfifo(QFile::encodeName(paths[i]).constData(), 0600), 0);
    }

    InfoParser parser(&paths, true);
    parser.setReaderCount(readers);
    parser.start();
    // A writer can open a pipe only once its reader is inside it.
    QList<int> writers;
    QElapsedTimer clock;
    clock.start();
    for (int i = 2; i < 2 + readers; ++i) {
        int fd = -1;
        while (fd < 0 && clock.elapsed() < 20000) {
            fd = ::open(QFile::encodeName(paths[i]).constData(), O_WRONLY | O_NONBLOCK);
            QThread::msleep(1);
        }
        QVERIFY(fd >= 0);
        writers.append(fd);
    }
    parser.requestStop();
    for (int fd : std::as_const(writers)) {
        QVERIFY(::write(fd, "not a photo", 11) == 11);
        ::close(fd);
    }
    QVERIFY(parser.wait(20000));

    QCOMPARE(parser.finishedCount(), 2 + readers);
    const QList<ImageInfo> photos = parser.takePhotos();
    QCOMPARE(photos.size(), 2);
    QCOMPARE(photos[0].path, paths[0]);
    QCOMPARE(photos[1].path, paths[1]);
    QCOMPARE(parser.rejectedPaths(), paths.mid(2, readers));
}

void TestInfoParser::stopBeforeStartIsForgotten()
{
    QTemporaryDir dir;
    const QStringList paths = MediaFiles::writeBatch(dir, 3);
    InfoParser parser(&paths, true);
    parser.requestStop();
    parser.start();
    QVERIFY(parser.wait(20000));
    QCOMPARE(parser.finishedCount(), 3);
    QCOMPARE(parser.takePhotos().size(), 3);
}

void TestInfoParser::stopRightAfterStartIsKept()
{
    // The stop usually arrives before the new thread has begun to run; it must not be taken
    // for a stale one then, or the caller waits for the whole batch. Every file is a named pipe
    // that the test writes only after the stop, so no reader can get past its first file
    // before the stop, however the threads happen to be scheduled.
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < InfoParser::maxReaders + 4; ++i) {
        paths.append(dir.filePath(QStringLiteral("pipe%1.jpg").arg(i)));
        QCOMPARE(mkfifo(QFile::encodeName(paths.last()).constData(), 0600), 0);
    }
    for (int round = 0; round < 5; ++round) {
        InfoParser parser(&paths, true);
        parser.start();
        parser.requestStop();
        // Feed each pipe once its reader is inside it, until the parser is done. Had the stop
        // been dropped, this would feed the whole batch.
        QList<bool> fed(paths.size(), false);
        QElapsedTimer clock;
        clock.start();
        while (!parser.wait(1) && clock.elapsed() < 20000) {
            for (int i = 0; i < paths.size(); ++i) {
                if (fed[i])
                    continue;
                const int fd
                    = ::open(QFile::encodeName(paths[i]).constData(), O_WRONLY | O_NONBLOCK);
                if (fd < 0)
                    continue;
                fed[i] = true;
                QVERIFY(::write(fd, "not a photo", 11) == 11);
                ::close(fd);
            }
        }
        QVERIFY(parser.isFinished());
        QVERIFY2(parser.finishedCount() <= parser.readerCount(),
                 qPrintable(QString::number(parser.finishedCount())));
    }
}

void TestInfoParser::readsAudio()
{
    QTemporaryDir dir;
    const QString tone = dir.filePath(QStringLiteral("tone.wav"));
    const QString video = dir.filePath(QStringLiteral("clip.mkv"));
    QVERIFY(writeToneWav(tone, {{440.0, 1.5}}, 44100, 2));
    // A video with a sound track counts as audio.
    QVERIFY(runFfmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                       QStringLiteral("testsrc=size=64x48:duration=1"), QStringLiteral("-f"),
                       QStringLiteral("lavfi"), QStringLiteral("-i"),
                       QStringLiteral("sine=frequency=300:duration=1:sample_rate=22050"),
                       QStringLiteral("-shortest"), video}));
    const QString photo = dir.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(MediaFiles::writePhoto(photo));
    const QStringList paths {tone, photo, video};

    InfoParser parser(&paths, false);
    parser.start();
    QVERIFY(parser.wait(20000));
    const QList<AudioInfo> audios = parser.takeAudios();
    QCOMPARE(audios.size(), 2);
    QCOMPARE(audios[0].path, tone);
    QCOMPARE(audios[0].sampleRate, 44100);
    QCOMPARE(audios[0].channels, 2);
    QVERIFY(qAbs(audios[0].duration - 1.5) < 0.05);
    QCOMPARE(audios[0].clipEnd, audios[0].duration);
    QCOMPARE(audios[1].path, video);
    QCOMPARE(audios[1].sampleRate, 22050);
    QCOMPARE(parser.rejectedPaths(), QStringList {photo});
    QVERIFY(parser.takePhotos().isEmpty());
}

QTEST_GUILESS_MAIN(TestInfoParser)
#include "tst_infoparser.moc"
