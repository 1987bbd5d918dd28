// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zomprofile/zombitratecalculator.h"

#include <QDialog>

class QDoubleSpinBox;
class QSpinBox;
class QTimeEdit;

// The bit-rate calculator: the user sets a clip's duration and either its file size or its bit
// rates, and the other values follow. Run modally; read the rates after acceptance.
class ZomBitrateCalc : public QDialog
{
    Q_OBJECT

public:
    // durationMs and sizeMB describe a sample clip at the given audio and video kilobits per
    // second.
    ZomBitrateCalc(QWidget *parent, int durationMs, double sizeMB, int audioKbps, int videoKbps);

    int videoBitrateInKBPS() const { return calculator.videoBitrateInKBPS(); }
    int audioBitrateInKBPS() const { return calculator.audioBitrateInKBPS(); }
    int durationMs() const { return calculator.durationMs(); }
    double sizeInMB() const { return calculator.sizeInMB(); }

private:
    void showValues();

    ZomBitrateCalculator calculator;
    QTimeEdit *duration = nullptr;
    QDoubleSpinBox *size = nullptr;
    QSpinBox *audio = nullptr;
    QSpinBox *video = nullptr;
};
