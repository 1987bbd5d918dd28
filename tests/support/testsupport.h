#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

// Points the settings store at a fresh file in a temporary folder for the life of the object.
class TempSettings
{
public:
    TempSettings();
    ~TempSettings();
    QString folder() const { return dir.path(); }
    QString file() const { return dir.filePath(QStringLiteral("settings.conf")); }

private:
    QTemporaryDir dir;
};

// The build's application folder (patterns, profiles, skin, the encoder launcher).
QString testAppDir();

// Runs the ffmpeg program (quiet, overwriting) with arguments; false, with its messages logged,
// when it fails.
bool runFfmpeg(const QStringList &arguments, int timeoutMs = 120000);
// A WAV file of 16-bit tones played one after another: each entry is (frequency Hz, seconds).
bool writeToneWav(const QString &path, const QList<QPair<double, double>> &tones,
                  int sampleRate = 48000, int channels = 2);

// Zero crossings (rising and falling) of channel 0 in interleaved 16-bit PCM, samples
// [from, to) of each channel; a tone of f Hz gives 2 f crossings a second.
int zeroCrossings(const int16_t *pcm, int channels, int from, int to);
