// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/importprogress.h"

#include "media/filetypes.h"
#include "media/infoparser.h"
#include "media/photolistwidget.h"
#include "zofc/zomessagebox.h"
#include "zofc/zoutils.h"
#include "zofc/zowidgethelper.h"

#include "ui_importprogress.h"

#include <QDir>
#include <QMetaObject>
#include <QTimer>

namespace {

// How often the dialog collects what the reading thread has produced.
constexpr int pollMs = 40;

} // namespace

ImportProgress::ImportProgress(bool isPhoto, QWidget *parent)
    : ZoDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , ui(std::make_unique<Ui::ImportProgressClass>())
    , isPhoto(isPhoto)
{
    ui->setupUi(this);
    retranslate();
    setFixedSize(450, 100);
}

ImportProgress::~ImportProgress()
{
    stopReading();
}

void ImportProgress::retranslate()
{
    ui->retranslateUi(this);
    widgetHelper()->setAllWindowTitle(tr("Import Progress"));
}

void ImportProgress::setFiles(const QStringList &paths)
{
    if (parser || paths.isEmpty())
        return;
    files = paths;
    showFileBeingRead(0);
    parser = std::make_unique<InfoParser>(&files, isPhoto);
    parser->start(QThread::InheritPriority);
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &ImportProgress::updateProgress);
    timer->start(pollMs);
}

void ImportProgress::showFileBeingRead(int index)
{
    ui->label->setText(Zo::labelElidedText(
        ui->label, tr("Importing %1...").arg(QDir::toNativeSeparators(files.at(index)))));
}

void ImportProgress::handOver()
{
    QWidget *list = parentWidget();
    if (isPhoto) {
        const QList<ImageInfo> records = parser->takePhotos();
        if (records.isEmpty())
            return;
        anyAdded = true;
        auto *photoList = qobject_cast<PhotoListWidget *>(list);
        for (const ImageInfo &record : records) {
            if (photoList)
                photoList->addPhoto(record, true);
        }
        if (!photoList)
            qWarning() << "Import: the dialog's parent is not a photo list; photos dropped";
    } else {
        const QList<AudioInfo> records = parser->takeAudios();
        if (records.isEmpty())
            return;
        anyAdded = true;
        for (const AudioInfo &record : records) {
            if (!list
                || !QMetaObject::invokeMethod(list, "addAudio", Qt::DirectConnection,
                                              Q_ARG(AudioInfo, record))) {
                qWarning() << "Import: the dialog's parent takes no audio records";
                break;
            }
        }
    }
}

void ImportProgress::updateProgress()
{
    if (!parser || complete)
        return;
    const int done = parser->finishedCount();
    const int total = int(files.size());
    handOver();
    ui->progressBar->setValue(done * 100 / total);
    if (done < total) {
        showFileBeingRead(done);
        return;
    }

    complete = true;
    timer->stop();
    const QStringList rejected = parser->rejectedPaths();
    if (!rejected.isEmpty()) {
        ZoMessageBox::info(tr("Some files have not been added to the list:"), QString(), this, true,
                           unreadableFileList(rejected, isPhoto));
    }
    close();
}

void ImportProgress::stopReading()
{
    if (timer)
        timer->stop();
    if (parser) {
        parser->requestStop();
        parser->wait();
    }
}

void ImportProgress::on_Cancel_clicked()
{
    stopReading();
    close();
}

void ImportProgress::reject()
{
    // Whatever was handed over stays in the list; what was read but not yet taken is dropped.
    stopReading();
    ZoDialog::reject();
}
