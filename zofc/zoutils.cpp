// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zoutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <array>

namespace {

// Linux limits on a whole path and on one name in it, in bytes of the file-system encoding.
constexpr qsizetype maxPathBytes = 4095;
constexpr qsizetype maxNameBytes = 255;

// One axis of a nine-patch: three source spans and the three target spans they are drawn into.
struct Span
{
    int source = 0;
    int sourceLength = 0;
    int target = 0;
    int targetLength = 0;
};

// Shrinks the pair of borders a, b in proportion so that they fit within length.
void fitBorders(int &a, int &b, int length)
{
    a = std::max(a, 0);
    b = std::max(b, 0);
    if (a + b <= length)
        return;
    const int sum = a + b;
    a = static_cast<int>(static_cast<qint64>(a) * length / sum);
    b = length - a;
}

std::array<Span, 3> axisSpans(int sourceLength, int targetLength, int before, int after)
{
    fitBorders(before, after, sourceLength);
    int targetBefore = before;
    int targetAfter = after;
    fitBorders(targetBefore, targetAfter, targetLength);

    std::array<Span, 3> spans;
    spans[0] = {0, before, 0, targetBefore};
    spans[1] = {before, sourceLength - before - after, targetBefore,
                targetLength - targetBefore - targetAfter};
    spans[2] = {sourceLength - after, after, targetLength - targetAfter, targetAfter};
    // Borders that take the whole source leave no middle to stretch: stretch the pixel row or
    // column next to the gap instead, so that the target has no hole.
    Span &middle = spans[1];
    if (middle.sourceLength == 0 && middle.targetLength > 0 && sourceLength > 0) {
        middle.source = std::clamp(before - 1, 0, sourceLength - 1);
        middle.sourceLength = 1;
    }
    return spans;
}

} // namespace

namespace Zo {

void moveCenter(QWidget *widget)
{
    if (!widget)
        return;
    QRect frame = widget->frameGeometry();
    if (!widget->isWindow()) {
        if (const QWidget *parent = widget->parentWidget()) {
            frame.moveCenter(parent->rect().center());
            widget->move(frame.topLeft());
        }
        return;
    }
    const QScreen *screen = widget->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    frame.moveCenter(screen->availableGeometry().center());
    widget->move(frame.topLeft());
}

QString tempPath()
{
    QString path = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    if (path.isEmpty()) {
        // Qt reports no temporary folder when $TMPDIR names one that does not exist yet.
        path = qEnvironmentVariable("TMPDIR");
        if (path.isEmpty() || !QDir::isAbsolutePath(path))
            path = QStringLiteral("/tmp");
    }
    if (!QDir().mkpath(path)) {
        qWarning("Zo::tempPath: cannot create the temporary folder %s", qPrintable(path));
        return QString();
    }
    return QDir::cleanPath(path);
}

bool isFolderNameValid(const QString &path, bool mustExist)
{
    if (path.isEmpty())
        return false;
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    if (!QDir::isAbsolutePath(path))
        return false;
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.size() > maxPathBytes)
        return false;
    for (const QByteArray &name : encoded.split('/')) {
        if (name.size() > maxNameBytes)
            return false;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        return false;
    return !mustExist || info.isDir();
}

bool isFolderWritable(const QString &path)
{
    if (!isFolderNameValid(path, true))
        return false;
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".vellumix-probe-XXXXXX")));
    if (!probe.open())
        return false;
    probe.close();
    return probe.remove();
}

QString labelElidedText(QLabel *label, const QString &text)
{
    if (!label)
        return text;
    const int width = std::max(0, label->contentsRect().width() - 2 * label->margin());
    return label->fontMetrics().elidedText(text, Qt::ElideMiddle, width);
}

QImage scaleBorderImage(const QImage &source, const QSize &size, int left, int top, int right,
                        int bottom)
{
    if (source.isNull() || size.isEmpty())
        return QImage();
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);

    const auto columns = axisSpans(image.width(), size.width(), left, right);
    const auto rows = axisSpans(image.height(), size.height(), top, bottom);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const Span &row : rows) {
        for (const Span &column : columns) {
            if (row.sourceLength <= 0 || column.sourceLength <= 0 || row.targetLength <= 0
                || column.targetLength <= 0)
                continue;
            QImage patch
                = image.copy(column.source, row.source, column.sourceLength, row.sourceLength);
            // Each patch is scaled on its own so that no pixel of a neighbouring patch bleeds in.
            if (patch.width() != column.targetLength || patch.height() != row.targetLength) {
                patch = patch.scaled(column.targetLength, row.targetLength, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
            }
            painter.drawImage(column.target, row.target, patch);
        }
    }
    return result;
}

QPixmap scaleBorderImage(const QPixmap &source, const QSize &size, int left, int top, int right,
                         int bottom)
{
    if (source.isNull() || size.isEmpty())
        return QPixmap();
    return QPixmap::fromImage(scaleBorderImage(source.toImage(), size, left, top, right, bottom));
}

void qSleep(long ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

QString timeText(double seconds)
{
    // Written so that NaN, like a negative time, gives 0.
    const qint64 whole = seconds > 0 ? static_cast<qint64>(std::min(seconds, 1e12)) : 0;
    return QStringLiteral("%1:%2:%3")
        .arg(whole / 3600, 2, 10, QLatin1Char('0'))
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

} // namespace Zo
