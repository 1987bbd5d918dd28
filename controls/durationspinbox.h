// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSpinBox>

// A spin box for a duration in whole units: a number typed past the largest value is taken as
// that value once confirmed, and one below the smallest is raised to it, instead of the keys
// past the range being refused. GUI thread only.
class DurationSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit DurationSpinBox(QWidget *parent = nullptr);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    // Past either end: the end; nothing at all: the value as it was.
    void fixup(QString &input) const override;
};
