// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/compileprogress.h"

#include "ui_compileprogress.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopowerstate.h"
#include "zofc/zopref.h"
#include "zofc/zowidgethelper.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <algorithm>

CompileProgress::CompileProgress(QWidget *parent)
    : ZoDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
    , ui(std::make_unique<Ui::CompileProgressClass>())
{
    ui->setupUi(this);
    setFixedSize(450, 120);
    ui->outputPath->hide();
    ui->play->hide();
    ui->open->hide();
    ui->close->hide();
    connect(&creation, &CreationJob::progressChanged, this, &CompileProgress::onProgressChanged);
    connect(&creation, &CreationJob::phaseChanged, this, &CompileProgress::onPhaseChanged);
    connect(&creation, &CreationJob::jobEnded, this, &CompileProgress::onJobEnded);
    retranslate();
}

CompileProgress::~CompileProgress()
{
    // The job stops and cleans up as it is destroyed; the dialog no longer listens.
    creation.disconnect(this);
}

void CompileProgress::retranslate()
{
    ui->retranslateUi(this);
    widgetHelper()->setAllWindowTitle(tr("Create Video File"));
    if (creation.isFinished())
        ui->label->setText(creation.succeeded() ? tr("Created Successfully!")
                                                : tr("Failed to create video."));
    ui->pause_resume->setText(creation.isPaused() ? tr("Resume") : tr("Pause"));
}

int CompileProgress::progressValue() const
{
    return ui->progressBar->value();
}

bool CompileProgress::startCreation(StoryBoardRender *renderer, const ZomProfileData &profile,
                                    const QString &outputName)
{
    if (creation.start(renderer, profile, outputName))
        return true;
    if (interactive)
        ZoMessageBox::alert(creation.failureReason(), QString(), parentWidget());
    return false;
}

void CompileProgress::onProgressChanged(int value)
{
    ui->progressBar->setValue(value);
    emit progressChanged(value);
}

void CompileProgress::onPhaseChanged(Phase phase)
{
    if (phase == Phase::Settling) {
        ui->pause_resume->setEnabled(false);
    } else if (phase == Phase::Done) {
        ui->label->setText(creation.succeeded() ? tr("Created Successfully!")
                                                : tr("Failed to create video."));
        ui->pause_resume->hide();
        ui->stop->hide();
        ui->open->show();
        ui->close->show();
        if (creation.succeeded()) {
            // Where the video is, to be copied or found again.
            ui->outputPath->setText(QDir::toNativeSeparators(creation.outputPath()));
            ui->outputPath->show();
            ui->play->show();
            setFixedSize(width(), std::max(height(), sizeHint().height()));
        }
    }
    emit phaseChanged(phase);
}

void CompileProgress::onJobEnded(bool ok)
{
    emit jobEnded(ok);
    // The label says that the video failed; the box says why (a full disk, a removed folder,
    // the encoder's complaint).
    if (interactive && creation.phase() == Phase::Done && !ok)
        ZoMessageBox::alert(creation.failureReason(), QString(), this);
    if (interactive && creation.phase() == Phase::Done) {
        const int action
            = ZoPref::value(QStringLiteral("AfterBurnAction"), ZoPowerState::DoNothing).toInt();
        if (ZoPowerState::isAction(action)) {
            ZoPowerState power(action, parentWidget());
            power.exec();
        }
    }
}

void CompileProgress::reject()
{
    if (creation.isFinished()) {
        accept();
        return;
    }
    creation.cancel();
    ZoDialog::reject();
}

void CompileProgress::on_pause_resume_clicked()
{
    if (creation.phase() != Phase::Rendering)
        return;
    const bool paused = creation.setPaused(!creation.isPaused());
    ui->pause_resume->setText(paused ? tr("Resume") : tr("Pause"));
}

void CompileProgress::on_stop_clicked()
{
    reject();
}

void CompileProgress::on_open_clicked()
{
    const QString folder = creation.outputFolder();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        ZoMessageBox::alert(
            tr("Failed to open folder \"%1\".").arg(QDir::toNativeSeparators(folder)), QString(),
            this);
}

void CompileProgress::on_play_clicked()
{
    const QString video = creation.outputPath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(video)))
        ZoMessageBox::alert(
            tr("No program could be started to play \"%1\".").arg(QDir::toNativeSeparators(video)),
            QString(), this);
}

void CompileProgress::on_close_clicked()
{
    creation.releaseWriters();
    close();
}
