// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/storyboard.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <cstdint>
#include <memory>

// Runs one encoder and feeds it a raw stream through its standard input: a YUV4MPEG2 video
// stream or a WAV audio stream of the format given at construction. Writes queue inside the
// process object and go out as the encoder reads them; pendingBytes() tells how much still
// waits, so that a producer can hold back. GUI thread only.
class AVPipeWriter : public QObject
{
    Q_OBJECT

public:
    explicit AVPipeWriter(const MediaFormat &format, QObject *parent = nullptr);
    // Kills an encoder that is still running: a writer destroyed before closeInput() leaves no
    // half-written stream behind to be finished as if it were whole.
    ~AVPipeWriter() override;

    // Keeps what the encoder reports on its standard output and error in this file (made anew)
    // instead of on the program's; before start(). Shown on standard error only at the verbose
    // message level.
    void setLogFile(const QString &path);
    QString logFile() const { return log ? log->fileName() : QString(); }
    // Starts the encoder command line in the application folder. False when an encoder was
    // already started or this one cannot be started.
    bool start(const QString &commandLine);
    // Ends the stream: the standard input closes once everything queued has been written, and
    // the encoder finishes its file and exits on its own (finished()).
    void closeInput();
    // Kills the encoder if it still runs and waits for it; the writer then holds no process.
    void close();

    bool isRunning() const;
    // True once the encoder has exited after closeInput() with status 0.
    bool succeeded() const { return exitedCleanly; }
    bool hasExited() const { return exited; }
    // The encoder no longer takes input: it exited, or its end of the pipe is closed.
    bool inputBroken() const { return exited || inputFailed; }
    // Gives an encoder whose input broke up to ms to exit, so that everything it reported on the
    // way out has been read (and logged).
    void waitForExit(int ms);
    // The last line the encoder reported on its standard error (its reason, when it failed).
    QString lastMessage() const { return lastLine; }
    // Bytes written to the writer that the encoder has not taken yet.
    qint64 pendingBytes() const;

    // A planar YUV 4:2:0 frame: plane pointers and line strides for Y, U and V. Writes the
    // stream header before the first frame. False when the encoder no longer takes input.
    bool writeVideoFrame(const uint8_t *const planes[4], const int strides[4]);
    // The same for a frame made in place: videoFrameBuffer() gives room for one frame's Y, U and V
    // planes, tightly packed; the filled buffer is handed over whole and goes out to the encoder
    // without being copied again.
    QByteArray videoFrameBuffer() const;
    bool writeVideoFrame(const QByteArray &buffer);
    // PCM bytes, after the WAV header on the first call. False when the encoder no longer takes
    // input.
    bool writeAudio(const uint8_t *data, qint64 length);
    bool writeVideoHeader(int width, int height, int rateNum, int rateDen, int aspectNum,
                          int aspectDen);
    bool writeAudioHeader(int channels, int sampleRate, int bitsPerSample);

    // The stream header line, line feed included; empty when it does not fit 256 bytes.
    static QByteArray videoHeader(int width, int height, int rateNum, int rateDen, int aspectNum,
                                  int aspectDen);
    // The header line for a format: the frame rate over 100 (over 1001 or 1000 when a hundredth
    // does not hold it exactly) and the pixel shape (1:1 for frames of aspect width / height).
    static QByteArray videoHeader(const MediaFormat &format);
    // The 44-byte WAV header with both sizes left 0 (unknown: the stream ends at end of input).
    static QByteArray audioHeader(int channels, int sampleRate, int bitsPerSample);

signals:
    // The encoder has exited; ok when it exited normally with status 0 after closeInput().
    void finished(bool ok);
    // Queued input went out to the encoder.
    void bytesWritten();

private slots:
    void on_avcProcess_readyReadStandardOutput();
    void on_avcProcess_readyReadStandardError();

private:
    bool put(const char *data, qint64 length);
    // Writes the stream header before the first frame, then a frame's own header.
    bool startFrame();
    void onProcessFinished(int exitCode, QProcess::ExitStatus status);

    MediaFormat format;
    bool videoHeaderPending = true;
    bool audioHeaderPending = true;
    void logOutput(const QByteArray &text);

    std::unique_ptr<QProcess> process;
    std::unique_ptr<QFile> log;
    bool inputClosed = false;
    bool inputFailed = false;
    bool exited = false;
    bool exitedCleanly = false;
    QString lastLine;
};
