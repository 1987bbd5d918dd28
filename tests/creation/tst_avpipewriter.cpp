// SPDX-License-Identifier: GPL-3.0-or-later
// The raw streams the encoders read: captured byte for byte through a real child process.
#include "creation/avpipewriter.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <vector>

namespace {

// A writer whose "encoder" copies its standard input to a file.
QString captureCommand(const QString &path)
{
    return QStringLiteral("\"/bin/dd\" \"of=%1\" bs=65536 status=none").arg(path);
}

QByteArray finishAndRead(AVPipeWriter &writer, const QString &path)
{
    QSignalSpy done(&writer, &AVPipeWriter::finished);
    writer.closeInput();
    if (!done.wait(PatienceMs) || !done.first().first().toBool())
        return QByteArray("<encoder failed>");
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

// A planar 4:2:0 picture with padded rows; byte values follow the plane, row and column.
struct PaddedYuv
{
    PaddedYuv(int w, int h, int seed)
    {
        const int sizes[3][2] = {{w, h}, {w >> 1, h >> 1}, {w >> 1, h >> 1}};
        for (int p = 0; p < 3; ++p) {
            strides[p] = sizes[p][0] + 7;
            planes[p].resize(static_cast<size_t>(strides[p]) * sizes[p][1], 0xEE);
            for (int y = 0; y < sizes[p][1]; ++y) {
                for (int x = 0; x < sizes[p][0]; ++x)
                    planes[p][static_cast<size_t>(y) * strides[p] + x]
                        = static_cast<uint8_t>(seed + p * 50 + y * 3 + x);
                expected.append(reinterpret_cast<const char *>(planes[p].data())
                                    + static_cast<size_t>(y) * strides[p],
                                sizes[p][0]);
            }
            data[p] = planes[p].data();
        }
    }
    std::vector<uint8_t> planes[3];
    const uint8_t *data[4] = {};
    int strides[4] = {};
    QByteArray expected; // the planes without their padding
};

} // namespace

class TestAVPipeWriter : public QObject
{
    Q_OBJECT
private slots:
    void videoStream_data();
    void videoStream();
    void headerLine_data();
    void headerLine();
    void audioStream();
    void refusedStarts();
    void encoderThatGoesAway();
    void logKeepsEncoderOutput();
};

void TestAVPipeWriter::videoStream_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("640x480") << 640 << 480;
    QTest::newRow("odd 35x21: chroma 17x10") << 35 << 21;
}

void TestAVPipeWriter::videoStream()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("video.y4m"));
    MediaFormat format;
    format.width = width;
    format.height = height;
    format.aspect = double(width) / height;
    AVPipeWriter writer(format);
    QVERIFY(writer.start(captureCommand(path)));
    const PaddedYuv first(width, height, 1);
    const PaddedYuv second(width, height, 9);
    QVERIFY(writer.writeVideoFrame(first.data, first.strides));
    QVERIFY(writer.writeVideoFrame(second.data, second.strides));
    // The same frame made in place in the writer's own buffer; a buffer of another size is
    // refused and leaves the stream as it was.
    QByteArray made = writer.videoFrameBuffer();
    QCOMPARE(made.size(), second.expected.size());
    std::memcpy(made.data(), second.expected.constData(), size_t(second.expected.size()));
    QVERIFY(!writer.writeVideoFrame(made.left(made.size() - 1)));
    QVERIFY(writer.writeVideoFrame(made));

    const QByteArray header = QStringLiteral("YUV4MPEG2 W%1 H%2 F2500:100 Ip A1:1 C420mpeg2 "
                                             "XYSCSS=420MPEG2\n")
                                  .arg(width)
                                  .arg(height)
                                  .toLatin1();
    QCOMPARE(first.expected.size(), width * height + 2 * (width >> 1) * (height >> 1));
    const QByteArray expected = header + "FRAME\n" + first.expected + "FRAME\n" + second.expected
        + "FRAME\n" + second.expected;
    const QByteArray stream = finishAndRead(writer, path);
    QCOMPARE(stream.size(), expected.size());
    QVERIFY(stream == expected);
}

void TestAVPipeWriter::headerLine_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<QString>("fields");
    QTest::newRow("25 fps, 4:3") << 640 << 480 << 25.0 << 4.0 / 3.0 << "F2500:100 Ip A1:1";
    QTest::newRow("29.97 fps") << 720 << 480 << 29.97 << 1.5 << "F2997:100 Ip A1:1";
    QTest::newRow("30000/1001 fps")
        << 720 << 480 << 30000.0 / 1001.0 << 1.5 << "F30000:1001 Ip A1:1";
    // A hundredth cannot hold 23.976: over 100 the picture would run 0.025 % slow of its sound.
    QTest::newRow("23.976 fps") << 640 << 480 << 23.976 << 4.0 / 3.0 << "F23976:1000 Ip A1:1";
    // PAL frames shown at 16:9 have wide pixels.
    QTest::newRow("wide pixels") << 720 << 576 << 25.0 << 16.0 / 9.0 << "F2500:100 Ip A142:100";
}

void TestAVPipeWriter::headerLine()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, rate);
    QFETCH(double, aspect);
    QFETCH(QString, fields);
    MediaFormat format;
    format.width = width;
    format.height = height;
    format.frameRate = rate;
    format.aspect = aspect;
    QCOMPARE(QString::fromLatin1(AVPipeWriter::videoHeader(format)),
             QStringLiteral("YUV4MPEG2 W%1 H%2 %3 C420mpeg2 XYSCSS=420MPEG2\n")
                 .arg(width)
                 .arg(height)
                 .arg(fields));
}

void TestAVPipeWriter::audioStream()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("audio.wav"));
    MediaFormat format;
    format.channels = 2;
    format.sampleRate = 44100;
    AVPipeWriter writer(format);
    QVERIFY(writer.start(captureCommand(path)));
    const uint8_t first[4] = {1, 2, 3, 4};
    const uint8_t second[6] = {5, 6, 7, 8, 9, 10};
    QVERIFY(writer.writeAudio(first, 4));
    QVERIFY(writer.writeAudio(second, 6));
    const QByteArray stream = finishAndRead(writer, path);
    QCOMPARE(stream.size(), 44 + 4 + 6);

    const auto le = [&stream](int offset, int bytes) {
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= uint32_t(uint8_t(stream[offset + i])) << (8 * i);
        return value;
    };
    QCOMPARE(stream.left(4), QByteArray("RIFF"));
    QCOMPARE(le(4, 4), 0u);
    QCOMPARE(stream.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(le(16, 4), 16u);
    QCOMPARE(le(20, 2), 1u);
    QCOMPARE(le(22, 2), 2u);
    QCOMPARE(le(24, 4), 44100u);
    QCOMPARE(le(28, 4), 176400u);
    QCOMPARE(le(32, 2), 4u);
    QCOMPARE(le(34, 2), 16u);
    QCOMPARE(stream.mid(36, 4), QByteArray("data"));
    QCOMPARE(le(40, 4), 0u);
    QCOMPARE(stream.mid(44), QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a", 10));
}

void TestAVPipeWriter::refusedStarts()
{
    QTemporaryDir dir;
    AVPipeWriter writer {MediaFormat {}};
    QVERIFY(writer.start(captureCommand(dir.filePath(QStringLiteral("a")))));
    QVERIFY(!writer.start(captureCommand(dir.filePath(QStringLiteral("b")))));
    QVERIFY(writer.isRunning()); // the first encoder is left alone
    const uint8_t bytes[2] = {7, 7};
    QVERIFY(writer.writeAudio(bytes, 2));

    AVPipeWriter missing {MediaFormat {}};
    QVERIFY(!missing.start(QStringLiteral("\"%1\" -@").arg(dir.filePath(QStringLiteral("none")))));
    QVERIFY(!missing.writeAudio(bytes, 2));
}

void TestAVPipeWriter::encoderThatGoesAway()
{
    // An encoder that reads a little and exits: writing on must fail, not kill the program
    // with SIGPIPE or hang, and its end is reported as a failure.
    MediaFormat format;
    format.width = 320;
    format.height = 240;
    AVPipeWriter writer(format);
    QSignalSpy done(&writer, &AVPipeWriter::finished);
    QVERIFY(writer.start(QStringLiteral("\"/usr/bin/head\" -c 100")));
    const PaddedYuv frame(320, 240, 3);
    bool refused = false;
    for (int i = 0; i < 2000 && !refused; ++i) {
        refused = !writer.writeVideoFrame(frame.data, frame.strides);
        QTest::qWait(2);
    }
    QVERIFY(refused);
    QTRY_VERIFY_WITH_TIMEOUT(writer.hasExited(), PatienceMs);
    QVERIFY(!writer.succeeded());
    QCOMPARE(done.size(), 1);
    QCOMPARE(done.first().first().toBool(), false);
}

void TestAVPipeWriter::logKeepsEncoderOutput()
{
    // Both of the encoder's outputs go to the log file, not to the program's standard error.
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("video.log"));
    QFile stale(log);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("an earlier run\n");
    stale.close();
    AVPipeWriter writer {MediaFormat {}};
    writer.setLogFile(log);
    QCOMPARE(writer.logFile(), log);
    QSignalSpy done(&writer, &AVPipeWriter::finished);
    QVERIFY(writer.start(QStringLiteral(
        "\"/bin/sh\" -c \"echo Stream mapping:; echo Unknown encoder >&2; exit 1\"")));
    QVERIFY(done.wait(PatienceMs));
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.contains("Stream mapping:") && text.contains("Unknown encoder"), text);
    QVERIFY(!text.contains("an earlier run"));
    QCOMPARE(writer.lastMessage(), QStringLiteral("Unknown encoder"));
}

QTEST_GUILESS_MAIN(TestAVPipeWriter)
#include "tst_avpipewriter.moc"
