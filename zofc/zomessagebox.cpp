// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zomessagebox.h"

#include "zofc/zopref.h"

#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <memory>

namespace {

// Lines shown before the list scrolls.
constexpr int visibleLines = 12;

// Puts the box's informative text, a list, into a scrolling area of at most visibleLines lines
// and a third of the screen's width; lines are never wrapped, so a path stays on one line.
void showAsList(QMessageBox &box)
{
    auto *list = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
    if (!list)
        return;
    // Paths are shown as they are, never as markup.
    list->setTextFormat(Qt::PlainText);
    list->setWordWrap(false);
    list->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *area = new QScrollArea;
    area->setObjectName(QStringLiteral("zoMessageList"));
    area->setFrameShape(QFrame::StyledPanel);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The layout gives up the list's old item, and it is ours to delete.
    const std::unique_ptr<QLayoutItem> replaced(box.layout()->replaceWidget(list, area));
    if (!replaced) {
        delete area;
        return;
    }
    area->setWidget(list);
    area->setWidgetResizable(true);
    const QFontMetrics metrics(list->font());
    const int lines = int(list->text().count(QLatin1Char('\n'))) + 1;
    const int rowHeight = metrics.lineSpacing();
    const int frame = 2 * area->frameWidth() + 4;
    const int bar = area->horizontalScrollBar()->sizeHint().height();
    area->setFixedHeight(std::min(lines, visibleLines) * rowHeight + frame + bar);
    int widest = 0;
    for (const QString &line : list->text().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    int limit = 600;
    if (const QScreen *screen = box.screen())
        limit = std::max(limit, screen->availableGeometry().width() / 3);
    area->setMinimumWidth(
        std::min(widest + frame + area->verticalScrollBar()->sizeHint().width(), limit));
}

int run(QMessageBox::Icon icon, const QString &text, const QString &title, QWidget *parent,
        bool okOnly, const QString &details)
{
    const QMessageBox::StandardButtons buttons
        = okOnly ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(icon, title.isEmpty() ? ZoPref::product_name() : title, text, buttons, parent);
    box.setObjectName(QLatin1String(ZoMessageBox::objectName));
    // Messages carry file names, which must show as they are and never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(okOnly ? QMessageBox::Ok : QMessageBox::Cancel);
    if (!details.isEmpty()) {
        box.setInformativeText(details);
        showAsList(box);
    }
    const int result = box.exec();
    return result == QMessageBox::Ok ? QMessageBox::Ok : QMessageBox::Cancel;
}

} // namespace

int ZoMessageBox::info(const QString &text, const QString &title, QWidget *parent, bool okOnly,
                       const QString &details)
{
    return run(QMessageBox::Information, text, title, parent, okOnly, details);
}

bool ZoMessageBox::alert(const QString &text, const QString &title, QWidget *parent, bool okOnly,
                         const QString &details)
{
    return run(QMessageBox::Warning, text, title, parent, okOnly, details) == QMessageBox::Ok;
}
