// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/versionprogress.h"

#include "ui_compileprogress.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopowerstate.h"
#include "zofc/zopref.h"
#include "zofc/zowidgethelper.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

VersionProgress::VersionProgress(QWidget *parent)
    : ZoDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
    , ui(std::make_unique<Ui::CompileProgressClass>())
{
    ui->setupUi(this);
    setMinimumWidth(520);
    ui->outputPath->setTextFormat(Qt::PlainText);
    // The lines take the room they need and no more as the list grows.
    ui->label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    ui->outputPath->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    ui->outputPath->hide();
    ui->play->hide();
    ui->open->hide();
    ui->close->hide();
    connect(&run, &VersionRun::versionStarted, this, &VersionProgress::onVersionStarted);
    connect(&run, &VersionRun::progressChanged, ui->progressBar, &QProgressBar::setValue);
    connect(&run, &VersionRun::phaseChanged, this, [this](CreationJob::Phase phase) {
        ui->pause_resume->setEnabled(phase == CreationJob::Phase::Rendering);
    });
    connect(&run, &VersionRun::versionEnded, this, &VersionProgress::showState);
    connect(&run, &VersionRun::runEnded, this, &VersionProgress::onRunEnded);
    retranslate();
}

VersionProgress::~VersionProgress()
{
    run.disconnect(this);
}

bool VersionProgress::startVersions(StoryBoardRender *renderer,
                                    const QList<VersionRun::Version> &versions)
{
    return run.start(renderer, versions);
}

int VersionProgress::progressValue() const
{
    return ui->progressBar->value();
}

QStringList VersionProgress::resultLines() const
{
    QStringList lines;
    const QList<VersionRun::Version> &versions = run.versions();
    for (int i = 0; i < run.results().size() && i < versions.size(); ++i) {
        const VersionRun::Result &result = run.results().at(i);
        const QString &label = versions.at(i).label;
        if (i > run.current() || (i == run.current() && !run.isFinished()))
            continue;
        if (!result.made) {
            lines.append(tr("%1: not made. %2").arg(label, result.failure));
            continue;
        }
        const QString file = QFileInfo(result.path).fileName();
        if (result.check.items.isEmpty())
            lines.append(tr("%1: %2").arg(label, file));
        else if (result.check.ok())
            lines.append(tr("%1: %2, all checks passed").arg(label, file));
        else
            lines.append(tr("%1: %2, check failed: %3").arg(label, file, result.check.summary()));
    }
    return lines;
}

void VersionProgress::showState()
{
    const QStringList lines = resultLines();
    ui->outputPath->setText(lines.join(QLatin1Char('\n')));
    ui->outputPath->setVisible(!lines.isEmpty());
    if (run.isFinished()) {
        if (run.wasCancelled())
            ui->label->setText(tr("Stopped."));
        else if (run.succeeded())
            ui->label->setText(tr("Created Successfully!"));
        else
            ui->label->setText(tr("Not every version was made as it should be."));
    } else if (run.current() >= 0 && run.current() < run.count()) {
        ui->label->setText(tr("Making version %1 of %2: %3")
                               .arg(run.current() + 1)
                               .arg(run.count())
                               .arg(run.versions().at(run.current()).label));
    }
    setFixedSize(std::max(width(), minimumWidth()), sizeHint().height());
}

void VersionProgress::retranslate()
{
    ui->retranslateUi(this);
    widgetHelper()->setAllWindowTitle(tr("Create Video File"));
    ui->pause_resume->setText(run.job() && run.job()->isPaused() ? tr("Resume") : tr("Pause"));
    showState();
}

void VersionProgress::onVersionStarted(int index)
{
    Q_UNUSED(index)
    ui->pause_resume->setText(tr("Pause"));
    showState();
}

void VersionProgress::onRunEnded(bool ok)
{
    Q_UNUSED(ok)
    ui->pause_resume->hide();
    ui->stop->hide();
    ui->open->show();
    ui->close->show();
    showState();
    // As after one video: the action chosen for the end of a creation, once for the whole run.
    if (run.wasCancelled())
        return;
    const int action
        = ZoPref::value(QStringLiteral("AfterBurnAction"), ZoPowerState::DoNothing).toInt();
    if (ZoPowerState::isAction(action)) {
        ZoPowerState power(action, parentWidget());
        power.exec();
    }
}

void VersionProgress::reject()
{
    if (run.isFinished()) {
        accept();
        return;
    }
    run.cancel();
    ZoDialog::reject();
}

void VersionProgress::on_pause_resume_clicked()
{
    const bool paused = run.setPaused(!(run.job() && run.job()->isPaused()));
    ui->pause_resume->setText(paused ? tr("Resume") : tr("Pause"));
}

void VersionProgress::on_stop_clicked()
{
    reject();
}

void VersionProgress::on_open_clicked()
{
    QString folder;
    for (const VersionRun::Result &result : run.results()) {
        if (result.made) {
            folder = QFileInfo(result.path).absolutePath();
            break;
        }
    }
    if (folder.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        ZoMessageBox::alert(
            tr("Failed to open folder \"%1\".").arg(QDir::toNativeSeparators(folder)), QString(),
            this);
}

void VersionProgress::on_close_clicked()
{
    close();
}
