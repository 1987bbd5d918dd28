#include "zofc/zomessagebox.h"

#include "zofc/zopref.h"

#include <QMessageBox>

namespace {

int run(QMessageBox::Icon icon, const QString &text, const QString &title, QWidget *parent,
        bool okOnly)
{
    const QMessageBox::StandardButtons buttons
        = okOnly ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(icon, title.isEmpty() ? ZoPref::product_name() : title, text, buttons, parent);
    box.setObjectName(QLatin1String(ZoMessageBox::objectName));
    // Messages carry file names, which must show as they are and never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(okOnly ? QMessageBox::Ok : QMessageBox::Cancel);
    const int result = box.exec();
    return result == QMessageBox::Ok ? QMessageBox::Ok : QMessageBox::Cancel;
}

} // namespace

int ZoMessageBox::info(const QString &text, const QString &title, QWidget *parent, bool okOnly)
{
    return run(QMessageBox::Information, text, title, parent, okOnly);
}

bool ZoMessageBox::alert(const QString &text, const QString &title, QWidget *parent, bool okOnly)
{
    return run(QMessageBox::Warning, text, title, parent, okOnly) == QMessageBox::Ok;
}
