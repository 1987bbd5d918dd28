// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/avpipewriter.h"

#include "creation/commandline.h"
#include "zofc/zopref.h"

#include <QDebug>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {

// A bigger pipe lets a whole row block of a frame go out per wake-up of the event loop.
constexpr int pipeBytes = 1 << 20;

// Rates exact to a hundredth (25, 29.97) are written over 100; exact NTSC fractions such as
// 30000/1001 over 1001, others such as 23.976 over 1000, so that the picture's clock does not
// drift from the sound's (23.976 over 100 would run 0.025 % slow).
void rateRatio(double rate, int &num, int &den)
{
    for (const int d : {100, 1001, 1000}) {
        const double scaled = rate * d;
        if (std::fabs(scaled - std::round(scaled)) < 1e-6) {
            num = static_cast<int>(std::round(scaled));
            den = d;
            return;
        }
    }
    num = static_cast<int>(rate * 1000.0);
    den = 1000;
}

void putLE(QByteArray &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

AVPipeWriter::AVPipeWriter(const MediaFormat &mediaFormat, QObject *parent)
    : QObject(parent)
    , format(mediaFormat)
{ }

AVPipeWriter::~AVPipeWriter()
{
    close();
}

bool AVPipeWriter::start(const QString &commandLine)
{
    if (process)
        return false;
    process = std::make_unique<QProcess>();
    connect(process.get(), &QProcess::readyReadStandardOutput, this,
            &AVPipeWriter::on_avcProcess_readyReadStandardOutput);
    connect(process.get(), &QProcess::readyReadStandardError, this,
            &AVPipeWriter::on_avcProcess_readyReadStandardError);
    connect(process.get(), &QProcess::bytesWritten, this, &AVPipeWriter::bytesWritten);
    connect(process.get(), &QProcess::finished, this, &AVPipeWriter::onProcessFinished);
    connect(process.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::WriteError)
            inputFailed = true;
    });
    process->setChildProcessModifier([] { fcntl(0, F_SETPIPE_SZ, pipeBytes); });
    inputClosed = inputFailed = exited = exitedCleanly = false;
    if (!startCommandLine(*process, commandLine, ZoPref::appDir())) {
        qWarning() << "AVPipeWriter: cannot start" << commandLine << process->errorString();
        // The process object stays, so that a second start is refused as for a running one.
        exited = true;
        return false;
    }
    return true;
}

void AVPipeWriter::closeInput()
{
    if (process && !inputClosed) {
        inputClosed = true;
        process->closeWriteChannel();
    }
}

void AVPipeWriter::close()
{
    if (!process)
        return;
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
    }
    process.reset();
}

void AVPipeWriter::waitForExit(int ms)
{
    if (process && process->state() != QProcess::NotRunning)
        process->waitForFinished(ms);
}

bool AVPipeWriter::isRunning() const
{
    return process && process->state() == QProcess::Running;
}

qint64 AVPipeWriter::pendingBytes() const
{
    return process ? process->bytesToWrite() : 0;
}

void AVPipeWriter::onProcessFinished(int exitCode, QProcess::ExitStatus status)
{
    exited = true;
    exitedCleanly = inputClosed && !inputFailed && status == QProcess::NormalExit && exitCode == 0;
    if (!exitedCleanly)
        qDebug("AVPipeWriter: the encoder exited with status %d%s", exitCode,
               status == QProcess::CrashExit ? " (crashed)" : "");
    emit finished(exitedCleanly);
}

bool AVPipeWriter::put(const char *data, qint64 length)
{
    if (!isRunning() || inputClosed || inputFailed)
        return false;
    return process->write(data, length) == length;
}

QByteArray AVPipeWriter::videoHeader(int width, int height, int rateNum, int rateDen, int aspectNum,
                                     int aspectDen)
{
    char header[256];
    const int n = std::snprintf(header, sizeof header, "%s W%d H%d F%d:%d I%c A%d:%d%s\n",
                                "YUV4MPEG2", width, height, rateNum, rateDen, 'p', aspectNum,
                                aspectDen, " C420mpeg2 XYSCSS=420MPEG2");
    if (n <= 0 || n >= static_cast<int>(sizeof header))
        return QByteArray();
    return QByteArray(header, n);
}

bool AVPipeWriter::writeVideoHeader(int width, int height, int rateNum, int rateDen, int aspectNum,
                                    int aspectDen)
{
    const QByteArray header = videoHeader(width, height, rateNum, rateDen, aspectNum, aspectDen);
    return !header.isEmpty() && put(header.constData(), header.size());
}

QByteArray AVPipeWriter::videoHeader(const MediaFormat &format)
{
    int rateNum = 0;
    int rateDen = 1;
    rateRatio(format.frameRate, rateNum, rateDen);
    // The A field is the shape of one pixel. Frames are drawn with square pixels for the frame's
    // own aspect; a value that differs (aspect other than width / height) is passed on.
    const double pixelAspect = format.width > 0 && format.height > 0
        ? format.aspect * format.height / format.width
        : 1.0;
    int aspectNum = 1;
    int aspectDen = 1;
    if (std::fabs(pixelAspect - 1.0) > 1e-3) {
        aspectNum = static_cast<int>(pixelAspect * 100.0);
        aspectDen = 100;
    }
    return videoHeader(format.width, format.height, rateNum, rateDen, aspectNum, aspectDen);
}

bool AVPipeWriter::startFrame()
{
    if (videoHeaderPending) {
        videoHeaderPending = false;
        const QByteArray header = videoHeader(format);
        if (header.isEmpty() || !put(header.constData(), header.size()))
            return false;
    }
    return put("FRAME\n", 6);
}

bool AVPipeWriter::writeVideoFrame(const uint8_t *const planes[4], const int strides[4])
{
    if (!startFrame())
        return false;

    int shiftW = 1;
    int shiftH = 1;
    av_pix_fmt_get_chroma_sub_sample(AV_PIX_FMT_YUV420P, &shiftW, &shiftH);
    const int widths[3] = {format.width, format.width >> shiftW, format.width >> shiftW};
    const int heights[3] = {format.height, format.height >> shiftH, format.height >> shiftH};
    for (int p = 0; p < 3; ++p) {
        const char *row = reinterpret_cast<const char *>(planes[p]);
        if (strides[p] == widths[p]) {
            // Rows without padding follow each other: the plane goes out in one piece.
            if (!put(row, qint64 {widths[p]} * heights[p]))
                return false;
            continue;
        }
        for (int y = 0; y < heights[p]; ++y, row += strides[p]) {
            if (!put(row, widths[p]))
                return false;
        }
    }
    return true;
}

namespace {

qsizetype frameBufferSize(const MediaFormat &format)
{
    return qsizetype {format.width} * format.height
        + 2 * qsizetype {format.width / 2} * (format.height / 2);
}

} // namespace

QByteArray AVPipeWriter::videoFrameBuffer() const
{
    return QByteArray(frameBufferSize(format), Qt::Uninitialized);
}

bool AVPipeWriter::writeVideoFrame(const QByteArray &buffer)
{
    if (buffer.size() != frameBufferSize(format))
        return false;
    if (!startFrame())
        return false;
    // Written as the array it is, the frame is queued by reference rather than copied.
    return process->write(buffer) == buffer.size();
}

QByteArray AVPipeWriter::audioHeader(int channels, int sampleRate, int bitsPerSample)
{
    QByteArray out;
    out.reserve(44);
    out.append("RIFF", 4);
    putLE(out, 0, 4);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    putLE(out, 16, 4);
    putLE(out, 1, 2);
    putLE(out, static_cast<uint32_t>(channels), 2);
    putLE(out, static_cast<uint32_t>(sampleRate), 4);
    putLE(out, static_cast<uint32_t>(qint64 {channels} * sampleRate * bitsPerSample / 8), 4);
    putLE(out, static_cast<uint32_t>(channels * bitsPerSample / 8), 2);
    putLE(out, static_cast<uint32_t>(bitsPerSample), 2);
    out.append("data", 4);
    putLE(out, 0, 4);
    return out;
}

bool AVPipeWriter::writeAudioHeader(int channels, int sampleRate, int bitsPerSample)
{
    const QByteArray header = audioHeader(channels, sampleRate, bitsPerSample);
    return put(header.constData(), header.size());
}

bool AVPipeWriter::writeAudio(const uint8_t *data, qint64 length)
{
    if (audioHeaderPending) {
        audioHeaderPending = false;
        if (!writeAudioHeader(format.channels, format.sampleRate, format.bitsPerSample))
            return false;
    }
    return put(reinterpret_cast<const char *>(data), length);
}

void AVPipeWriter::setLogFile(const QString &path)
{
    log = std::make_unique<QFile>(path);
    if (!log->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qDebug() << "AVPipeWriter: no log file" << path << log->errorString();
        log.reset();
    }
}

void AVPipeWriter::logOutput(const QByteArray &text)
{
    if (log) {
        log->write(text);
        // Flushed at once, so that the log can be read while the encoder runs or after it died.
        log->flush();
    }
    qDebug().noquote() << "avc:" << QString::fromLocal8Bit(text).trimmed();
}

void AVPipeWriter::on_avcProcess_readyReadStandardOutput()
{
    const QByteArray text = process->readAllStandardOutput();
    if (!text.isEmpty())
        logOutput(text);
}

void AVPipeWriter::on_avcProcess_readyReadStandardError()
{
    const QByteArray text = process->readAllStandardError();
    if (text.isEmpty())
        return;
    logOutput(text);
    const QString last
        = QString::fromLocal8Bit(text).trimmed().section(QLatin1Char('\n'), -1).trimmed();
    if (!last.isEmpty())
        lastLine = last;
}
