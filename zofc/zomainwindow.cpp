// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zomainwindow.h"

#include "zofc/zoapplication.h"
#include "zofc/zolangitemmodel.h"
#include "zofc/zopref.h"

#include <QActionGroup>
#include <QDir>
#include <QEvent>
#include <QMenuBar>
#include <QMessageBox>

namespace {
const QString autoUpdateKey = QStringLiteral("auto_check_update_enable");
const QString autoUpdateIntervalKey = QStringLiteral("auto_check_update_interval");
} // namespace

ZoMainWindow::ZoMainWindow(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    setWindowTitle(ZoPref::product_name());
}

ZoMainWindow::~ZoMainWindow() = default;

void ZoMainWindow::initialize()
{
    if (mainMenu_)
        return;
    mainMenu_ = menuBar()->addMenu(QString());
    mainMenu_->setObjectName(QStringLiteral("zoMainMenu"));
    languageMenu_ = mainMenu_->addMenu(QString());
    languageMenu_->setObjectName(QStringLiteral("zoLanguageMenu"));
    skinMenu_ = mainMenu_->addMenu(QString());
    skinMenu_->setObjectName(QStringLiteral("zoSkinMenu"));
    mainMenu_->addSeparator();

    autoUpdateAction_ = mainMenu_->addAction(QString());
    autoUpdateAction_->setObjectName(QStringLiteral("zoAutoUpdateAction"));
    autoUpdateAction_->setCheckable(true);
    autoUpdateAction_->setChecked(ZoPref::value(autoUpdateKey, false).toBool());
    connect(autoUpdateAction_, &QAction::toggled, this, &ZoMainWindow::setAutoCheckUpdate);
    // Nothing checks for updates on this platform, where the package manager updates the
    // program: the setting stays for the stored value's sake, out of the menu.
    autoUpdateAction_->setVisible(false);

    aboutAction_ = mainMenu_->addAction(QString());
    aboutAction_->setObjectName(QStringLiteral("zoAboutAction"));
    connect(aboutAction_, &QAction::triggered, this, &ZoMainWindow::showAbout);
    mainMenu_->addSeparator();
    exitAction_ = mainMenu_->addAction(QString());
    exitAction_->setObjectName(QStringLiteral("zoExitAction"));
    connect(exitAction_, &QAction::triggered, this, &ZoMainWindow::exitProgram);

    rebuildLanguageMenu();
    rebuildSkinMenu();
    ZoMainWindow::retranslate();
}

void ZoMainWindow::rebuildLanguageMenu()
{
    languageMenu_->clear();
    delete languageGroup_;
    languageGroup_ = new QActionGroup(this);
    auto *app = ZoApplication::instance();
    if (!app)
        return;
    const ZoLangItemModel *model = app->langModel();
    const QString current = ZoLangItemModel::currentLangName();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QStandardItem *item = model->item(row);
        const QString code = item->data(ZoLangItemModel::CodeRole).toString();
        QAction *action = languageMenu_->addAction(item->text());
        action->setCheckable(true);
        action->setData(code);
        action->setChecked(code.left(2) == current.left(2));
        languageGroup_->addAction(action);
        connect(action, &QAction::triggered, this, [code] {
            if (auto *application = ZoApplication::instance())
                application->setLanguage(code);
        });
    }
}

// Skins are named by their folders; the one the program brings is named in the user's language.
QString ZoMainWindow::skinTitle(const QString &folder)
{
    return folder == QLatin1String("default") ? tr("Default") : folder;
}

void ZoMainWindow::rebuildSkinMenu()
{
    skinMenu_->clear();
    delete skinGroup_;
    skinGroup_ = new QActionGroup(this);
    const QStringList skins = QDir(ZoPref::appDir() + QLatin1String("/skin"))
                                  .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    const QString current = ZoPref::skinName();
    for (const QString &skin : skins) {
        QAction *action = skinMenu_->addAction(skinTitle(skin));
        action->setData(skin);
        action->setCheckable(true);
        action->setChecked(skin == current);
        skinGroup_->addAction(action);
        connect(action, &QAction::triggered, this, [skin] {
            ZoPref::setSkinName(skin);
            if (auto *application = ZoApplication::instance())
                application->applySkin();
        });
    }
    skinMenu_->setEnabled(!skins.isEmpty());
}

void ZoMainWindow::show(bool activate)
{
    QMainWindow::show();
    if (activate) {
        raise();
        activateWindow();
    }
}

void ZoMainWindow::setAutoCheckUpdate(bool on)
{
    ZoPref::setValue(autoUpdateKey, on);
    if (autoUpdateAction_ && autoUpdateAction_->isChecked() != on)
        autoUpdateAction_->setChecked(on);
}

void ZoMainWindow::setAutoCheckUpdateInterval(int interval)
{
    ZoPref::setValue(autoUpdateIntervalKey, interval);
}

void ZoMainWindow::exitProgram()
{
    close();
}

void ZoMainWindow::showAbout()
{
    QMessageBox::about(
        this, tr("About %1").arg(ZoPref::product_name()),
        tr("<h3>%1</h3><p>Turns your photos and music into a video slide show.</p>")
                .arg(ZoApplication::versionText())
            + tr("<p>%1 is free software under the GNU General Public License, version 3 or "
                 "later, and comes with no warranty.</p>")
                  .arg(ZoPref::product_name()));
}

void ZoMainWindow::retranslate()
{
    if (!mainMenu_)
        return;
    mainMenu_->setTitle(tr("&Options"));
    languageMenu_->setTitle(tr("&Language"));
    skinMenu_->setTitle(tr("S&kins"));
    for (QAction *action : skinMenu_->actions())
        action->setText(skinTitle(action->data().toString()));
    autoUpdateAction_->setText(tr("Check for &Updates Automatically"));
    aboutAction_->setText(tr("&About %1...").arg(ZoPref::product_name()));
    exitAction_->setText(tr("E&xit"));
}

void ZoMainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}
