// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/preferences.h"

#include "creation/outputfolder.h"
#include "ui_preferences.h"
#include "zofc/zoaffinity.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopowerstate.h"
#include "zofc/zopref.h"
#include "zofc/zoutils.h"
#include "zofc/zowidgethelper.h"

#include <QDesktopServices>
#include <QDir>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <array>

namespace {

// "AfterBurnAction" values in the order of the post-task combo box.
constexpr std::array<int, 5> afterBurnValues
    = {ZoPowerState::DoNothing, ZoPowerState::ExitProgram, ZoPowerState::ShutDown,
       ZoPowerState::Hibernate, ZoPowerState::StandBy};
// "auto_check_update_interval" days in the order of the update frequency combo box.
constexpr std::array<int, 3> updateIntervals = {1, 7, 30};

} // namespace

Preferences::Preferences(QWidget *parent, int processorsOverride)
    : ZoDialog(parent, Qt::WindowFlags(0x100))
    , ui(std::make_unique<Ui::PreferencesClass>())
    , processors(std::clamp(processorsOverride > 0 ? processorsOverride : processorCount(), 1, 64))
{
    ui->setupUi(this);
    widgetHelper()->setAllWindowTitle(tr("Preferences"));
    setFixedSize(550, 480);

    ui->lineEdit->setText(
        outputFolderOrDefault(ZoPref::value(QStringLiteral("OutputPath"), QString()).toString()));

    ui->checkUpdate->setChecked(
        ZoPref::value(QStringLiteral("auto_check_update_enable"), true).toBool());
    const int interval = ZoPref::value(QStringLiteral("auto_check_update_interval"), 1).toInt();
    const auto day = std::find(updateIntervals.begin(), updateIntervals.end(), interval);
    ui->updateFreq->setCurrentIndex(
        day == updateIntervals.end() ? 1 : static_cast<int>(day - updateIntervals.begin()));
    ui->updateFreq->setEnabled(ui->checkUpdate->isChecked());
    connect(ui->checkUpdate, &QCheckBox::toggled, ui->updateFreq, &QWidget::setEnabled);

    for (int i = 1; i <= processors; ++i)
        ui->cpuNumber->addItem(QString::number(i));
    const int cpuType = std::clamp(ZoPref::value(QStringLiteral("CPUType"), 0).toInt(), 0, 2);
    ui->radioButton->setChecked(cpuType == 0);
    ui->radioButton_2->setChecked(cpuType == 1);
    ui->radioButton_3->setChecked(cpuType == 2);
    const int inUse
        = std::clamp(ZoPref::value(QStringLiteral("CPUInUse"), processors).toInt(), 1, processors);
    ui->cpuNumber->setCurrentIndex(inUse - 1);
    ui->cpuNumber->setEnabled(ui->radioButton_3->isChecked());
    connect(ui->radioButton_3, &QRadioButton::toggled, ui->cpuNumber, &QWidget::setEnabled);

    ui->afterBurnAction->setCurrentIndex(indexForAfterBurnAction(
        ZoPref::value(QStringLiteral("AfterBurnAction"), ZoPowerState::DoNothing).toInt()));

    connect(ui->lineEdit, &QLineEdit::editingFinished, this, &Preferences::on_Settings_Changed);
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(ui->checkUpdate),
                                    static_cast<QAbstractButton *>(ui->radioButton),
                                    static_cast<QAbstractButton *>(ui->radioButton_2),
                                    static_cast<QAbstractButton *>(ui->radioButton_3)}) {
        connect(button, &QAbstractButton::toggled, this, &Preferences::on_Settings_Changed);
    }
    for (QComboBox *combo : {ui->updateFreq, ui->cpuNumber, ui->afterBurnAction}) {
        connect(combo, &QComboBox::currentIndexChanged, this, &Preferences::on_Settings_Changed);
    }
    connect(ui->resetToDefault, &QPushButton::clicked, this, &Preferences::on_Settings_Changed);
    connect(ui->resetToDefault_2, &QPushButton::clicked, this, &Preferences::on_Settings_Changed);

    ui->groupBox_3->hide();
    ui->buttonBox->button(QDialogButtonBox::Apply)->setEnabled(false);
}

Preferences::~Preferences() = default;

void Preferences::retranslate()
{
    ui->retranslateUi(this);
    widgetHelper()->setAllWindowTitle(tr("Preferences"));
}

int Preferences::afterBurnActionForIndex(int index)
{
    return index >= 0 && index < static_cast<int>(afterBurnValues.size()) ? afterBurnValues[index]
                                                                          : ZoPowerState::DoNothing;
}

int Preferences::indexForAfterBurnAction(int action)
{
    const auto it = std::find(afterBurnValues.begin(), afterBurnValues.end(), action);
    return it == afterBurnValues.end() ? 0 : static_cast<int>(it - afterBurnValues.begin());
}

void Preferences::on_browse_clicked()
{
    const QString chosen = browseForOutputFolder(this, ui->lineEdit->text());
    if (!chosen.isEmpty())
        ui->lineEdit->setText(chosen);
}

void Preferences::on_open_clicked()
{
    const QDir dir(QDir::fromNativeSeparators(ui->lineEdit->text()));
    if (!dir.exists())
        QDir().mkpath(dir.absolutePath());
    const QString message
        = tr("Failed to open folder \"%1\".").arg(QDir::toNativeSeparators(dir.absolutePath()));
    if (!dir.exists()) {
        ZoMessageBox::alert(message, QString(), this, true);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(dir.absolutePath())))
        ZoMessageBox::alert(message, QString(), this, true);
}

void Preferences::on_resetToDefault_clicked()
{
    ui->lineEdit->setText(defaultOutputFolder());
    ui->checkUpdate->setChecked(true);
    ui->updateFreq->setCurrentIndex(0);
}

void Preferences::on_resetToDefault_2_clicked()
{
    ui->radioButton->setChecked(true);
    ui->cpuNumber->setCurrentIndex(processors - 1);
    ui->afterBurnAction->setCurrentIndex(0);
}

void Preferences::on_buttonBox_clicked(QAbstractButton *button)
{
    switch (ui->buttonBox->standardButton(button)) {
    case QDialogButtonBox::Ok:
        if (store())
            accept();
        break;
    case QDialogButtonBox::Apply:
        if (store())
            ui->buttonBox->button(QDialogButtonBox::Apply)->setEnabled(false);
        break;
    case QDialogButtonBox::Cancel:
        reject();
        break;
    default:
        break;
    }
}

void Preferences::on_Settings_Changed()
{
    ui->buttonBox->button(QDialogButtonBox::Apply)->setEnabled(true);
}

bool Preferences::store()
{
    const QString folder = ui->lineEdit->text();
    const QString path = QDir::fromNativeSeparators(folder);
    makeMoviesFolderIfOffered(path);
    if (!Zo::isFolderNameValid(path, true)) {
        ui->tabWidget->setCurrentIndex(0);
        ZoMessageBox::alert(tr("The output folder is unavailable. Please choose another one."),
                            QString(), this, true);
        return false;
    }
    if (!Zo::isFolderWritable(path)) {
        ui->tabWidget->setCurrentIndex(0);
        ZoMessageBox::alert(tr("The output folder is read-only, please select other folder."),
                            QString(), this, true);
        return false;
    }
    ZoPref::setValue(QStringLiteral("OutputPath"), folder);
    ZoPref::setValue(QStringLiteral("auto_check_update_enable"), ui->checkUpdate->isChecked());
    ZoPref::setValue(QStringLiteral("auto_check_update_interval"),
                     updateIntervals.at(std::clamp(ui->updateFreq->currentIndex(), 0, 2)));
    const int cpuType = ui->radioButton->isChecked() ? 0 : ui->radioButton_2->isChecked() ? 1 : 2;
    ZoPref::setValue(QStringLiteral("CPUType"), cpuType);
    ZoPref::setValue(QStringLiteral("CPUInUse"), ui->cpuNumber->currentIndex() + 1);
    ZoPref::setValue(QStringLiteral("AfterBurnAction"),
                     afterBurnActionForIndex(ui->afterBurnAction->currentIndex()));
    applyProcessorAffinity(processors);
    return true;
}
