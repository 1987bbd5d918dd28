// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/durationspinbox.h"

#include <algorithm>

namespace {

// Enough digits for any value of an int, so that a typed number always fits one.
constexpr int maxDigits = 9;

// The number typed, or -1 when the text is not a plain number of at most maxDigits digits.
int typedNumber(const QString &input)
{
    const QString digits = input.trimmed();
    if (digits.isEmpty() || digits.size() > maxDigits)
        return -1;
    for (const QChar c : digits) {
        if (!c.isDigit())
            return -1;
    }
    return digits.toInt();
}

} // namespace

DurationSpinBox::DurationSpinBox(QWidget *parent)
    : QSpinBox(parent)
{ }

QValidator::State DurationSpinBox::validate(QString &input, int &pos) const
{
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid)
        return state;
    // Too large is not wrong, only not finished: confirming it corrects it to the maximum.
    return typedNumber(input) > maximum() ? QValidator::Intermediate : state;
}

void DurationSpinBox::fixup(QString &input) const
{
    const int typed = typedNumber(input);
    if (typed < 0)
        input = textFromValue(value());
    else
        input = textFromValue(std::clamp(typed, minimum(), maximum()));
}
