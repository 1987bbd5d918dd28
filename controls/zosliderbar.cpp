// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/zosliderbar.h"

#include "controls/waveformpainter.h"
#include "zofc/zoutils.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardPaths>
#include <QWheelEvent>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Border widths of the bar images that stay unscaled when a bar is stretched.
constexpr int barBorderX = 2;
constexpr int barBorderY = 3;
// A log larger than this is renamed to ".2.log", and the next line starts a new one.
constexpr qint64 logRotateThreshold = 8191;
// The source name the diagnostics carry.
constexpr const char *sourceName = "./zosliderbar";

QPixmap loadImage(const QString &path)
{
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

QString programFilePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

} // namespace

ZoSliderBar::ZoSliderBar(QWidget *parent)
    : QWidget(parent)
{ }

QSize ZoSliderBar::sizeHint() const
{
    return {200, 30};
}

QSize ZoSliderBar::minimumSizeHint() const
{
    return {200, 20};
}

void ZoSliderBar::setHoriMargin(int value)
{
    margin = value;
    update();
}

void ZoSliderBar::setForeTop(int value)
{
    foreY = value;
    update();
}

void ZoSliderBar::setFore(const QString &path)
{
    forePath = path;
    foreImage = loadImage(path);
    update();
}

void ZoSliderBar::setClipForeTop(int value)
{
    clipForeY = value;
    update();
}

void ZoSliderBar::setClipFore(const QString &path)
{
    clipForePath = path;
    clipForeImage = loadImage(path);
    update();
}

void ZoSliderBar::setClipForeSelected(const QString &path)
{
    clipForeSelectedPath = path;
    clipForeSelectedImage = loadImage(path);
    update();
}

void ZoSliderBar::setDisableClipFore(const QString &path)
{
    clipForeDisabledPath = path;
    clipForeDisabledImage = loadImage(path);
    update();
}

void ZoSliderBar::setGoneTop(int value)
{
    goneY = value;
}

void ZoSliderBar::setGone(const QString &path)
{
    gonePath = path;
    goneImage = loadImage(path);
}

void ZoSliderBar::setClipTagTop(int value)
{
    clipTagY = value;
    update();
}

void ZoSliderBar::setClipStart(const QString &path)
{
    clipStartPath = path;
    clipStartImage = loadImage(path);
    update();
}

void ZoSliderBar::setClipEnd(const QString &path)
{
    clipEndPath = path;
    clipEndImage = loadImage(path);
    update();
}

void ZoSliderBar::setThumbTop(int value)
{
    thumbY = value;
    update();
}

void ZoSliderBar::setThumb(const QString &path)
{
    thumbPath = path;
    thumbImage = loadImage(path);
    update();
}

void ZoSliderBar::setDisabaleThumb(const QString &path)
{
    thumbDisabledPath = path;
    thumbDisabledImage = loadImage(path);
    update();
}

void ZoSliderBar::setType(int flags)
{
    shown = flags;
    update();
}

void ZoSliderBar::setIsThumbCenter(bool on)
{
    tagsCentred = on;
    update();
}

void ZoSliderBar::setRange(int minimum, int maximum)
{
    if (minimum < 0 || minimum >= maximum)
        return;
    rangeMin = minimum;
    rangeMax = maximum;
    if (startValue < rangeMin)
        startValue = rangeMin;
    if (endValue < 0 || endValue > rangeMax)
        endValue = rangeMax;
    update();
}

void ZoSliderBar::setValue(int value)
{
    if (holdingThumb)
        return;
    current = value;
    update();
}

void ZoSliderBar::setClipStartValue(int value)
{
    startValue = value;
    update();
}

void ZoSliderBar::setClipEndValue(int value)
{
    endValue = value;
    update();
}

void ZoSliderBar::setMinClipGap(int gap)
{
    clipGap = gap;
}

void ZoSliderBar::setClipSelected(bool on)
{
    selected = on;
    update();
}

void ZoSliderBar::setThumbEnabled(bool on)
{
    if (thumbActive == on)
        return;
    thumbActive = on;
    update();
}

// Both directions measure from the range's minimum, so that the value drawn at x is the value a
// press at x gives, whatever the minimum.
int ZoSliderBar::positionOf(int value) const
{
    const double span = rangeMax - rangeMin;
    return static_cast<int>(trackLeft() + double(value - rangeMin) * trackWidth() / span);
}

int ZoSliderBar::valueAt(int x) const
{
    const int w = trackWidth();
    if (w <= 0)
        return rangeMin;
    return static_cast<int>(double(x - trackLeft()) * (rangeMax - rangeMin) / w + rangeMin);
}

void ZoSliderBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = trackWidth();

    if (!foreImage.isNull()) {
        painter.save();
        painter.setClipRect(QRect(trackLeft(), 0, std::max(w, 0), height()));
        painter.drawPixmap(trackLeft(), foreY,
                           Zo::scaleBorderImage(foreImage, QSize(w, foreImage.height()), barBorderX,
                                                barBorderY, barBorderX, barBorderY));
        painter.restore();
    } else {
        diagnose(93, "ZoSliderBar::paintEvent");
    }

    int xs = 0;
    int xe = 0;
    if (shown & (ShowClipRegion | ShowClipTags)) {
        xs = positionOf(startValue);
        xe = positionOf(endValue);
    }

    if ((shown & ShowClipRegion) && !clipForeImage.isNull()) {
        const QPixmap *image = &clipForeImage;
        if (!isEnabled())
            image = &clipForeDisabledImage;
        else if (selected)
            image = &clipForeSelectedImage;
        if (!image->isNull() && xe > xs) {
            painter.save();
            painter.setClipRect(QRect(xs, clipForeY, xe - xs, image->height()));
            painter.drawPixmap(xs, clipForeY,
                               Zo::scaleBorderImage(*image, QSize(xe - xs, image->height()),
                                                    barBorderX, barBorderY, barBorderX,
                                                    barBorderY));
            painter.restore();
        }
    }

    paintWaveform(painter, QRect(trackLeft(), 0, w, height()), waveformPairs, QColor(0, 0, 0, 90));

    if (shown & ShowClipTags) {
        if (!clipStartImage.isNull()) {
            const int x
                = tagsCentred ? xs - clipStartImage.width() / 2 : xs - clipStartImage.width();
            painter.drawPixmap(x, clipTagY, clipStartImage);
        } else {
            diagnose(147, "ZoSliderBar::paintEvent");
        }
        if (!clipEndImage.isNull()) {
            const int x = tagsCentred ? xe - clipEndImage.width() / 2 : xe;
            painter.drawPixmap(x, clipTagY, clipEndImage);
        } else {
            diagnose(158, "ZoSliderBar::paintEvent");
        }
    }

    if (shown & ShowThumb) {
        // A disabled bar shows the thumb as not interactive too.
        const bool interactive = thumbActive && isEnabled();
        const QPixmap &image = interactive ? thumbImage : thumbDisabledImage;
        if (!image.isNull())
            painter.drawPixmap(positionOf(current) - image.width() / 2, thumbY, image);
        else
            diagnose(interactive ? 172 : 179, "ZoSliderBar::paintEvent");
    }
}

void ZoSliderBar::mousePressEvent(QMouseEvent *event)
{
    grabbed = DragNothing;
    const QPoint point = event->position().toPoint();

    if ((shown & ShowThumb) && thumbActive) {
        const QRect thumbRect(positionOf(current) - thumbImage.width() / 2, thumbY,
                              thumbImage.width(), thumbImage.height());
        if (thumbRect.contains(point)) {
            grabbed = DragThumb;
            holdingThumb = true;
        }
    }
    if (grabbed == DragNothing && (shown & ShowClipTags)) {
        const QRect startRect(QPoint(positionOf(startValue) - clipStartImage.width(), clipTagY),
                              clipStartImage.size());
        const QRect endRect(QPoint(positionOf(endValue), clipTagY), clipEndImage.size());
        if (startRect.contains(point))
            grabbed = DragStartTag;
        else if (endRect.contains(point))
            grabbed = DragEndTag;
    }
    if (grabbed != DragNothing || trackWidth() <= 0)
        return;

    const int value = valueAt(point.x());
    if (value < rangeMin || value > rangeMax || !thumbActive)
        return;
    setValue(value);
    emit valueChanged(value);
}

void ZoSliderBar::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || grabbed == DragNothing)
        return;
    dragTo(event->position().toPoint().x());
}

void ZoSliderBar::dragTo(int x)
{
    if (x <= trackLeft()) {
        if ((grabbed == DragStartTag && startValue == rangeMin)
            || (grabbed == DragThumb && current == rangeMin))
            return;
        x = trackLeft();
    } else if (x >= trackRight()) {
        if ((grabbed == DragEndTag && endValue == rangeMax)
            || (grabbed == DragThumb && current == rangeMax))
            return;
        x = trackRight();
    }
    if (trackWidth() <= 0)
        return;

    int value = x == trackRight() ? rangeMax : valueAt(x);
    switch (grabbed) {
    case DragThumb:
        if (value != current) {
            current = value;
            emit valueChanged(value);
        }
        break;
    case DragStartTag:
        // A fast drag past the end tag still stops right at the gap.
        value = std::min(value, endValue - clipGap);
        if (value != startValue && value >= rangeMin) {
            startValue = value;
            emit clipStartChanged(value);
        }
        break;
    case DragEndTag:
        value = std::max(value, startValue + clipGap);
        if (value != endValue && value <= rangeMax) {
            endValue = value;
            emit clipEndChanged(value);
        }
        break;
    default:
        break;
    }
    update();
}

void ZoSliderBar::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    holdingThumb = false;
    const int value = std::clamp(valueAt(event->position().toPoint().x()), rangeMin, rangeMax);
    switch (grabbed) {
    case DragNothing:
    case DragThumb:
        emit thumbMouseRelease(value);
        break;
    case DragStartTag:
        emit startTagMouseRelease(value);
        break;
    case DragEndTag:
        emit endTagMouseRelease(value);
        break;
    default:
        diagnose(283, "ZoSliderBar::mouseReleaseEvent");
        break;
    }
}

void ZoSliderBar::wheelEvent(QWheelEvent *event)
{
    event->accept();
    const int value = current - event->angleDelta().y() / 120;
    if (value < rangeMin || value > rangeMax)
        return;
    setValue(value);
    emit valueChanged(value);
}

QString ZoSliderBar::logPath()
{
    const QString program = programFilePath();
    const qsizetype slash = program.lastIndexOf(QLatin1Char('/'));
    if (slash < 1 || slash == program.size() - 1)
        return QString();
    // The user's own cache folder: a shared temporary folder would let anyone plant a file or a
    // link under the predictable name.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty())
        return QString();
    return folder + program.mid(slash) + QStringLiteral(".1.log");
}

void ZoSliderBar::diagnose(int line, const char *function)
{
    const int error = errno;
    const QByteArray now = QDateTime::currentDateTime()
                               .toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"))
                               .toLocal8Bit();
    char text[1024];
    std::snprintf(text, sizeof text, "%s(%d): in %s : %s %08x", sourceName, line, function,
                  now.constData(), static_cast<unsigned>(error));
    // Written from the event loop: a paint does no file work.
    const QByteArray entry = QByteArray(text) + "\n\n";
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [entry] { appendLog(entry); }, Qt::QueuedConnection);
    else
        appendLog(entry);
}

void ZoSliderBar::writeLog(const char *format, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    appendLog(QByteArray(text) + '\n');
}

void ZoSliderBar::appendLog(const QByteArray &lines)
{
    const QString path = logPath();
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return;
    // Only a plain file of our own is appended to; a link put in its place is not followed.
    const int fd
        = ::open(QFile::encodeName(path).constData(),
                 O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    struct stat info;
    qint64 size = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
        && ::write(fd, lines.constData(), size_t(lines.size())) == lines.size()
        && ::fstat(fd, &info) == 0)
        size = info.st_size;
    ::close(fd);

    if (size > logRotateThreshold) {
        QString older = path;
        older[older.lastIndexOf(QLatin1Char('1'))] = QLatin1Char('2');
        // A rename replaces the older log (or whatever stands at its name) in one step.
        ::rename(QFile::encodeName(path).constData(), QFile::encodeName(older).constData());
    }
}

void ZoSliderBar::setWaveform(const QByteArray &pairs)
{
    waveformPairs = pairs;
    update();
}
