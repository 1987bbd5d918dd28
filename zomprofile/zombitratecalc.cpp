// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zombitratecalc.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
constexpr int maxKbps = 100000;
}

ZomBitrateCalc::ZomBitrateCalc(QWidget *parent, int durationMs, double sizeMB, int audioKbps,
                               int videoKbps)
    : QDialog(parent)
    , calculator(durationMs, sizeMB, audioKbps, videoKbps)
{
    setObjectName(QStringLiteral("ZomBitrateCalc"));
    setWindowTitle(tr("Bit Rate Calculator"));

    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(
        tr("Set the length of the video and the file size you want, or set the bit rates."), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    duration = new QTimeEdit(this);
    duration->setObjectName(QStringLiteral("duration"));
    duration->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    duration->setMinimumTime(QTime(0, 0, 1));
    form->addRow(tr("Duration:"), duration);

    size = new QDoubleSpinBox(this);
    size->setObjectName(QStringLiteral("fileSize"));
    size->setDecimals(2);
    size->setRange(0.0, 1024.0 * 1024.0);
    size->setSuffix(QStringLiteral(" MB"));
    form->addRow(tr("File Size:"), size);

    audio = new QSpinBox(this);
    audio->setObjectName(QStringLiteral("audioBitrate"));
    audio->setRange(0, maxKbps);
    audio->setSuffix(QStringLiteral(" kbps"));
    form->addRow(tr("Audio Bit Rate:"), audio);

    video = new QSpinBox(this);
    video->setObjectName(QStringLiteral("videoBitrate"));
    video->setRange(0, maxKbps);
    video->setSuffix(QStringLiteral(" kbps"));
    form->addRow(tr("Video Bit Rate:"), video);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    showValues();
    connect(duration, &QTimeEdit::timeChanged, this, [this](QTime time) {
        calculator.setDuration(QTime(0, 0).msecsTo(time));
        showValues();
    });
    connect(size, &QDoubleSpinBox::valueChanged, this, [this](double megabytes) {
        calculator.setSize(megabytes);
        showValues();
    });
    connect(audio, &QSpinBox::valueChanged, this, [this](int kbps) {
        calculator.setAudioBitrate(kbps);
        showValues();
    });
    connect(video, &QSpinBox::valueChanged, this, [this](int kbps) {
        calculator.setVideoBitrate(kbps);
        showValues();
    });
}

void ZomBitrateCalc::showValues()
{
    const QSignalBlocker b1(duration);
    const QSignalBlocker b2(size);
    const QSignalBlocker b3(audio);
    const QSignalBlocker b4(video);
    duration->setTime(QTime(0, 0).addMSecs(calculator.durationMs()));
    size->setValue(calculator.sizeInMB());
    audio->setValue(calculator.audioBitrateInKBPS());
    video->setValue(std::min(calculator.videoBitrateInKBPS(), maxKbps));
}
