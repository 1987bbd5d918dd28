// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/mediainfowidget.h"

#include "zofc/zowidgethelper.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString row(const QString &label, const QString &value)
{
    return QStringLiteral("<tr><td>") + label.toHtmlEscaped() + QStringLiteral("</td><td>")
        + value.toHtmlEscaped() + QStringLiteral("</td></tr>");
}

} // namespace

MediaInfoWidget::MediaInfoWidget(QWidget *parent)
    : ZoDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("MediaInfoWidget"));
    textView = new QTextEdit(this);
    textView->setObjectName(QStringLiteral("textEdit"));
    textView->setReadOnly(true);
    textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse
                                      | Qt::LinksAccessibleByKeyboard);
    // A file name breaks at a space or a hyphen, never inside a word: the table then gives the
    // name's column the room of its longest part.
    textView->setWordWrapMode(QTextOption::WordWrap);
    buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::rejected, this, &MediaInfoWidget::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textView);
    layout->addWidget(buttons);

    updateTitle();
    // As tall as the main window, but never taller than the screen can show.
    int height = parent ? parent->height() : 480;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        height = std::min(height, screen->availableGeometry().height() * 4 / 5);
    setFixedSize(280, std::max(height, 240));
}

void MediaInfoWidget::setMediaInfo(const MediaInfo &record)
{
    info = MediaInfo();
    info.mode = record.mode;
    if (record.mode != MediaInfo::Photo && record.mode != MediaInfo::Audio)
        return;
    info.fileName = record.fileName;
    info.format = record.format;
    info.size = record.size;
    if (record.mode == MediaInfo::Photo) {
        info.resolution = record.resolution;
        info.modified = record.modified;
        info.make = record.make;
        info.model = record.model;
        info.software = record.software;
        info.compressedBitsPerPixel = record.compressedBitsPerPixel;
        info.exposureTime = record.exposureTime;
        info.fNumber = record.fNumber;
        info.exposureMode = record.exposureMode;
        info.exposureBias = record.exposureBias;
        info.maxAperture = record.maxAperture;
    } else {
        info.channels = record.channels;
        info.sampleRate = record.sampleRate;
        info.duration = record.duration;
    }
}

QString MediaInfoWidget::html() const
{
    QString rows;
    if (info.mode == MediaInfo::Photo) {
        rows = row(tr("File Name:"), info.fileName) + row(tr("Format:"), info.format)
            + row(tr("Resolution:"), info.resolution) + row(tr("Size:"), info.size)
            + row(tr("Modified:"), info.modified)
            + QStringLiteral("<tr><td>-------------------------</td><td>----------------</td></tr>")
            + row(tr("Equipment Make:"), info.make) + row(tr("Camera Model:"), info.model)
            + row(tr("Software:"), info.software)
            + row(tr("Compressed Bit-Per-Pixel:"), info.compressedBitsPerPixel)
            + row(tr("Exposure Time:"), info.exposureTime) + row(tr("F-Number:"), info.fNumber)
            + row(tr("Exposure Mode:"), info.exposureMode)
            + row(tr("Exposure Bias:"), info.exposureBias)
            + row(tr("Max Aperture:"), info.maxAperture);
    } else if (info.mode == MediaInfo::Audio) {
        rows = row(tr("File Name:"), info.fileName) + row(tr("Format:"), info.format)
            + row(tr("Size:"), info.size) + row(tr("Channels:"), info.channels)
            + row(tr("Sample Rate:"), info.sampleRate) + row(tr("Duration:"), info.duration);
    } else {
        return {};
    }
    // The padding keeps each label apart from its value.
    return QStringLiteral("<html><body><table border=\"0\" cellspacing=\"0\" cellpadding=\"3\">")
        + rows + QStringLiteral("</table></body></html>");
}

void MediaInfoWidget::updateView()
{
    const QString text = html();
    if (text.isEmpty())
        textView->clear();
    else
        textView->setHtml(text);
    updateTitle();
}

void MediaInfoWidget::updateTitle()
{
    const bool shown = info.mode == MediaInfo::Photo || info.mode == MediaInfo::Audio;
    widgetHelper()->setAllWindowTitle(shown && !info.fileName.isEmpty()
                                          ? tr("%1 - Properties").arg(info.fileName)
                                          : tr("Properties"));
}

void MediaInfoWidget::retranslate()
{
    ZoDialog::retranslate();
    updateView();
}
