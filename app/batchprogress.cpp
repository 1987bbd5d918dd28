// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batchoptions.h"

#include <QCoreApplication>
#include <QTextStream>
#include <unistd.h>

QTextStream &batchErr()
{
    static QTextStream stream(stderr);
    return stream;
}

QTextStream &batchOut()
{
    static QTextStream stream(stdout);
    return stream;
}

ProgressBar::ProgressBar()
    : terminal(::isatty(STDERR_FILENO) == 1)
{ }

void ProgressBar::show(int percent)
{
    if (percent == last)
        return;
    last = percent;
    if (!clock.isValid())
        clock.start();
    if (!terminal) {
        const int tenth = percent / 10 * 10;
        if (tenth > lastLine) {
            lastLine = tenth;
            batchErr()
                << QCoreApplication::translate("BatchCreate", "Creating video: %1%").arg(tenth)
                << '\n';
            batchErr().flush();
        }
        return;
    }
    constexpr int width = 30;
    const int filled = percent * width / 100;
    QString left = QStringLiteral("--:--");
    if (percent > 0 && percent < 100) {
        const qint64 remaining = clock.elapsed() * (100 - percent) / percent / 1000;
        left = QStringLiteral("%1:%2")
                   .arg(remaining / 60)
                   .arg(remaining % 60, 2, 10, QLatin1Char('0'));
    } else if (percent >= 100) {
        left = QStringLiteral("0:00");
    }
    // The same length at every step, so that each drawing covers the one before.
    batchErr() << '\r'
               << QCoreApplication::translate("BatchCreate", "Creating [%1] %2%  %3 left ")
                      .arg(QString(filled, QLatin1Char('#'))
                           + QString(width - filled, QLatin1Char('-')))
                      .arg(percent, 3)
                      .arg(left);
    batchErr().flush();
    shown = true;
}
void ProgressBar::end()
{
    if (shown) {
        batchErr() << "\n";
        batchErr().flush();
        shown = false;
    }
}
