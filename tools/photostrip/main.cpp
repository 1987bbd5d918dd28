// SPDX-License-Identifier: GPL-3.0-or-later
// photostrip [options] file-or-folder...: shows the photo strip with the photos given and, under
// it, the audio strip with the audio files given, both imported through the import dialog as a
// drop would, lined up on one time scale as in the main window, in a window with the strips' edit
// commands. Every change of the photo list prints the paths in strip order to stdout, one line per
// photo and an empty line after each list; every change of the audio list does the same with each
// line starting with "audio ".
#include "media/adjustaudioorder.h"
#include "media/audiolistwidget.h"
#include "media/filetypes.h"
#include "media/importprogress.h"
#include "media/mediaimport.h"
#include "media/photolistwidget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <type_traits>

namespace {

void printList(const QList<ImageInfo> &photos)
{
    for (const ImageInfo &photo : photos)
        std::fputs(qPrintable(photo.path + QLatin1Char('\n')), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

void printAudioList(const QList<AudioInfo> &clips)
{
    for (const AudioInfo &clip : clips)
        std::fputs(qPrintable(QStringLiteral("audio ") + clip.path + QLatin1Char('\n')), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

// The main window drives both strips' scrolling with a bar of its own, sized by the wider one.
void updateScrollRange(PhotoListWidget *strip, AudioListWidget *audio, QScrollBar *bar)
{
    const int width = std::max(strip->contentWidth(), audio->contentWidth());
    const int hidden = std::max(0, width - strip->viewport()->width() + 260);
    bar->setRange(0, hidden);
    bar->setPageStep(strip->viewport()->width());
}

// The audio strip measures its clips against the photos: the photo strip's width stands for the
// show's length.
void updateTimeScale(const StoryBoard &board, PhotoListWidget *strip, AudioListWidget *audio)
{
    const int width = strip->contentWidth();
    const double total = board.totalDuration();
    audio->setTimelineScale(width, total > 0 && width > 0 ? total / width : 0.0);
}

// Reads the photos, or the audio files, among the paths into a strip as a drop would.
template<typename Strip> void importInto(Strip *strip, bool photos, const QList<QUrl> &urls)
{
    const QStringList paths = expandImportPaths(urls, photos ? photoPatterns : audioPatterns, true);
    if (paths.isEmpty())
        return;
    ImportProgress dialog(photos, strip);
    dialog.setFiles(paths);
    dialog.exec();
    if (!dialog.addedAny())
        return;
    if constexpr (std::is_same_v<Strip, PhotoListWidget>)
        strip->finishInsertion();
    else
        strip->finishAudioInsertion();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the photo and audio strips with the photos and audio files given."));
    parser.addHelpOption();
    const QCommandLineOption noRotateOption(QStringLiteral("no-auto-rotate"),
                                            QStringLiteral("Ignore the cameras' orientation."));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"), QStringLiteral("Save the window as a picture and quit."),
        QStringLiteral("file"));
    parser.addOptions({noRotateOption, screenshotOption});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Photo, audio file or folder."),
                                 QStringLiteral("file..."));
    parser.process(app);
    initFileTypeLists();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Photo and audio strips"));
    auto *layout = new QVBoxLayout(&window);
    auto *strip = new PhotoListWidget(&window);
    strip->setObjectName(QStringLiteral("photoListWidget"));
    strip->setAutoRotate(!parser.isSet(noRotateOption));
    auto *audio = new AudioListWidget(&window);
    audio->setObjectName(QStringLiteral("audioListWidget"));
    auto *scrollBar = new QScrollBar(Qt::Horizontal, &window);
    layout->addWidget(strip);
    layout->addWidget(audio);
    layout->addWidget(scrollBar);

    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    const auto addButton = [&](const QString &text, auto action) {
        auto *button = new QPushButton(text, &window);
        QObject::connect(button, &QPushButton::clicked, strip, action);
        buttons->addWidget(button);
    };
    addButton(QStringLiteral("Remove"), [strip] { strip->removeSelected(false); });
    addButton(QStringLiteral("Move Left"), [strip] { strip->moveSelectedLeft(); });
    addButton(QStringLiteral("Move Right"), [strip] { strip->moveSelectedRight(); });
    addButton(QStringLiteral("Turn Left"), [strip] { strip->rotateSelected(ImageInfo::TurnLeft); });
    addButton(QStringLiteral("Turn Right"),
              [strip] { strip->rotateSelected(ImageInfo::TurnRight); });
    addButton(QStringLiteral("Mirror"), [strip] { strip->rotateSelected(ImageInfo::Mirror); });
    addButton(QStringLiteral("Upright"), [strip] { strip->resetSelectedOrientation(); });
    addButton(QStringLiteral("Sort by Name"),
              [strip] { strip->sortPhotos(PhotoListWidget::SortByPath, true); });
    addButton(QStringLiteral("Sort by Size"),
              [strip] { strip->sortPhotos(PhotoListWidget::SortByFileSize, true); });

    auto *audioButtons = new QHBoxLayout;
    layout->addLayout(audioButtons);
    const auto addAudioButton = [&](const QString &text, auto action) {
        auto *button = new QPushButton(text, &window);
        QObject::connect(button, &QPushButton::clicked, audio, action);
        audioButtons->addWidget(button);
    };
    addAudioButton(QStringLiteral("Remove Clips"), [audio] { audio->removeSelected(false); });
    addAudioButton(QStringLiteral("Clips Left"), [audio] { audio->moveSelectedLeft(); });
    addAudioButton(QStringLiteral("Clips Right"), [audio] { audio->moveSelectedRight(); });
    addAudioButton(QStringLiteral("Sort Clips by Name"),
                   [audio] { audio->sortAudio(AudioListWidget::SortByPath, true); });
    addAudioButton(QStringLiteral("Edit Audio..."), [audio] {
        AdjustAudioOrder dialog(audio->audioList(), audio);
        if (dialog.exec() == QDialog::Accepted)
            audio->setAudioList(dialog.editedClips());
    });
    audioButtons->addStretch();

    // The show's model, for its length: the main window keeps one the same way.
    StoryBoard board;

    QObject::connect(strip, &PhotoListWidget::photoListChanged, &window, printList);
    QObject::connect(audio, &AudioListWidget::audioListChanged, &window, printAudioList);
    const auto refresh = [strip, audio, scrollBar, &board] {
        updateTimeScale(board, strip, audio);
        updateScrollRange(strip, audio, scrollBar);
    };
    QObject::connect(strip, &PhotoListWidget::photoListChanged, &window,
                     [&board, refresh](const QList<ImageInfo> &photos) {
                         board.setPhotos(photos);
                         refresh();
                     });
    QObject::connect(audio, &AudioListWidget::audioListChanged, &window,
                     [&board, refresh](const QList<AudioInfo> &clips) {
                         board.setAudios(clips);
                         refresh();
                     });
    QObject::connect(strip, &PhotoListWidget::sizeChanged, scrollBar, refresh);
    QObject::connect(scrollBar, &QScrollBar::valueChanged, strip, [strip, audio](int value) {
        strip->horizontalScrollBar()->setValue(value);
        audio->horizontalScrollBar()->setValue(value);
    });

    window.resize(900, 220);
    window.show();

    // Folders give both kinds; a file goes to the strip whose types name it.
    QList<QUrl> photoUrls;
    QList<QUrl> audioUrls;
    for (const QString &argument : parser.positionalArguments()) {
        const QFileInfo info(argument);
        const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
        const bool audioFile = QDir::match(audioPatterns, info.fileName());
        if (info.isDir() || !audioFile)
            photoUrls.append(url);
        if (info.isDir() || audioFile)
            audioUrls.append(url);
    }
    importInto(strip, true, photoUrls);
    importInto(audio, false, audioUrls);

    if (parser.isSet(screenshotOption)) {
        const QString file = parser.value(screenshotOption);
        QTimer::singleShot(300, &window, [&window, file] {
            const bool saved = window.grab().save(file);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
