// photostrip [options] file-or-folder...: shows the photo strip with the photos given, imported
// through the import dialog as a drop would, in a window with the strip's edit commands. Every
// change of the list prints the paths in strip order to stdout, one line per photo and an empty
// line after each list.
#include "media/filetypes.h"
#include "media/importprogress.h"
#include "media/mediaimport.h"
#include "media/photolistwidget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

namespace {

void printList(const QList<ImageInfo> &photos)
{
    for (const ImageInfo &photo : photos)
        std::fputs(qPrintable(photo.path + QLatin1Char('\n')), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

// The main window drives the strip's scrolling with a bar of its own, sized by contentWidth().
void updateScrollRange(PhotoListWidget *strip, QScrollBar *bar)
{
    const int hidden = std::max(0, strip->contentWidth() - strip->viewport()->width() + 260);
    bar->setRange(0, hidden);
    bar->setPageStep(strip->viewport()->width());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the photo strip with the photos given."));
    parser.addHelpOption();
    const QCommandLineOption noRotateOption(QStringLiteral("no-auto-rotate"),
                                            QStringLiteral("Ignore the cameras' orientation."));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"), QStringLiteral("Save the window as a picture and quit."),
        QStringLiteral("file"));
    parser.addOptions({noRotateOption, screenshotOption});
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Photo or folder."),
                                 QStringLiteral("file..."));
    parser.process(app);
    initFileTypeLists();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Photo strip"));
    auto *layout = new QVBoxLayout(&window);
    auto *strip = new PhotoListWidget(&window);
    strip->setObjectName(QStringLiteral("photoListWidget"));
    strip->setAutoRotate(!parser.isSet(noRotateOption));
    auto *scrollBar = new QScrollBar(Qt::Horizontal, &window);
    layout->addWidget(strip);
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

    QObject::connect(strip, &PhotoListWidget::photoListChanged, &window, printList);
    QObject::connect(strip, &PhotoListWidget::photoListChanged, scrollBar,
                     [strip, scrollBar] { updateScrollRange(strip, scrollBar); });
    QObject::connect(strip, &PhotoListWidget::sizeChanged, scrollBar,
                     [strip, scrollBar] { updateScrollRange(strip, scrollBar); });
    QObject::connect(scrollBar, &QScrollBar::valueChanged, strip,
                     [strip](int value) { strip->horizontalScrollBar()->setValue(value); });

    window.resize(900, 150);
    window.show();

    QList<QUrl> urls;
    for (const QString &argument : parser.positionalArguments())
        urls.append(QUrl::fromLocalFile(QFileInfo(argument).absoluteFilePath()));
    const QStringList paths = expandImportPaths(urls, photoPatterns, true);
    if (!paths.isEmpty()) {
        ImportProgress dialog(true, strip);
        dialog.setFiles(paths);
        dialog.exec();
        if (dialog.addedAny())
            strip->finishInsertion();
    }

    if (parser.isSet(screenshotOption)) {
        const QString file = parser.value(screenshotOption);
        QTimer::singleShot(300, &window, [&window, file] {
            const bool saved = window.grab().save(file);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
