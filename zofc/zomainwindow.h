// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class QAction;
class QActionGroup;
class QMenu;

// Base of the program's main window: the window title, the framework's own menu (language,
// skin, update check, About, Exit) and re-translation on a language change. GUI thread only.
class ZoMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit ZoMainWindow(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~ZoMainWindow() override;

    // Builds the framework's menu at the end of the menu bar; the program may append to it.
    void initialize();
    QMenu *mainMenu() const { return mainMenu_; }

    void show(bool activate);
    using QMainWindow::show;
    // The frame that wraps the window; here the window is its own frame.
    QWidget *widgetFrame() { return this; }

    void setAutoCheckUpdate(bool on);
    void setAutoCheckUpdateInterval(int interval);

    // Ends the program as the Exit command does: closes the window, which ends the event loop.
    void exitProgram();

    virtual void retranslate();

protected:
    void changeEvent(QEvent *event) override;

private:
    void rebuildLanguageMenu();
    void rebuildSkinMenu();
    static QString skinTitle(const QString &folder);
    void showAbout();

    QMenu *mainMenu_ = nullptr;
    QMenu *languageMenu_ = nullptr;
    QMenu *skinMenu_ = nullptr;
    QAction *autoUpdateAction_ = nullptr;
    QAction *aboutAction_ = nullptr;
    QAction *exitAction_ = nullptr;
    QActionGroup *languageGroup_ = nullptr;
    QActionGroup *skinGroup_ = nullptr;
};
