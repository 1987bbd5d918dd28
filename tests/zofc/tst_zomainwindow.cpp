// SPDX-License-Identifier: GPL-3.0-or-later
// The framework's main window: its own menu, language switching with re-translation, the
// update-check settings and Exit.
#include "tests/support/testsupport.h"
#include "zofc/zoapplication.h"
#include "zofc/zolangitemmodel.h"
#include "zofc/zomainwindow.h"
#include "zofc/zopref.h"

#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

class Window : public ZoMainWindow
{
public:
    int retranslations = 0;
    void retranslate() override
    {
        ZoMainWindow::retranslate();
        ++retranslations;
    }
};

QAction *actionNamed(QMenu *menu, const char *name)
{
    return menu->findChild<QAction *>(QLatin1String(name));
}

} // namespace

class TestZoMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void menuAndLanguageSwitch();
    void updateCheckSettings();
    void exitClosesWindow();
    void aboutNamesVersionAndLicence();
};

void TestZoMainWindow::menuAndLanguageSwitch()
{
    TempSettings settings;
    auto *app = ZoApplication::instance();
    QVERIFY(app->langModel()->codes().contains(QStringLiteral("de_DE")));
    app->setLanguage(QStringLiteral("en_US"));

    Window window;
    window.initialize();
    QVERIFY(window.mainMenu());
    QCOMPARE(window.mainMenu()->title(), QStringLiteral("&Options"));
    // The program appends to the framework's menu; the entries stay in order.
    window.mainMenu()->addSeparator();
    window.mainMenu()->addAction(QStringLiteral("&Preferences..."));
    QCOMPARE(window.mainMenu()->actions().last()->text(), QStringLiteral("&Preferences..."));

    const int before = window.retranslations;
    app->setLanguage(QStringLiteral("de_DE"));
    QCoreApplication::processEvents();
    QVERIFY(window.retranslations > before);
    QCOMPARE(window.mainMenu()->title(), QStringLiteral("&Optionen"));
    QCOMPARE(ZoLangItemModel::currentLangName(), QStringLiteral("de_DE"));
    QCOMPARE(ZoPref::value(QStringLiteral("Language"), QString()).toString(),
             QStringLiteral("de_DE"));

    app->setLanguage(QStringLiteral("en_US"));
    QCoreApplication::processEvents();
    QCOMPARE(window.mainMenu()->title(), QStringLiteral("&Options"));

    // A language given on the command line holds for the run; the stored choice stays, until
    // the user picks one.
    app->setLanguage(QStringLiteral("de_DE"), false);
    QCOMPARE(ZoLangItemModel::currentLangName(), QStringLiteral("de_DE"));
    QCOMPARE(ZoPref::value(QStringLiteral("Language"), QString()).toString(),
             QStringLiteral("en_US"));
    app->setLanguage(QStringLiteral("en_US"));
    QCOMPARE(ZoLangItemModel::currentLangName(), QStringLiteral("en_US"));
}

void TestZoMainWindow::updateCheckSettings()
{
    TempSettings settings;
    Window window;
    window.initialize();
    QAction *toggle = actionNamed(window.mainMenu(), "zoAutoUpdateAction");
    QVERIFY(toggle && !toggle->isChecked());
    // There is no update check to turn on.
    QVERIFY(!toggle->isVisible());
    window.setAutoCheckUpdate(true);
    window.setAutoCheckUpdateInterval(7);
    QVERIFY(toggle->isChecked());
    QCOMPARE(ZoPref::value(QStringLiteral("auto_check_update_enable"), false).toBool(), true);
    QCOMPARE(ZoPref::value(QStringLiteral("auto_check_update_interval"), 0).toInt(), 7);
    toggle->trigger();
    QCOMPARE(ZoPref::value(QStringLiteral("auto_check_update_enable"), true).toBool(), false);
}

void TestZoMainWindow::exitClosesWindow()
{
    TempSettings settings;
    Window window;
    window.initialize();
    window.show(true);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    actionNamed(window.mainMenu(), "zoExitAction")->trigger();
    QVERIFY(!window.isVisible());
}

void TestZoMainWindow::aboutNamesVersionAndLicence()
{
    TempSettings settings;
    Window window;
    window.initialize();
    QString text;
    QTimer::singleShot(0, &window, [&] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        text = box->text();
        box->accept();
    });
    actionNamed(window.mainMenu(), "zoAboutAction")->trigger();
    QVERIFY2(text.contains(ZoApplication::versionText()), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("GNU General Public License, version 3 or later")),
             qPrintable(text));
}

int main(int argc, char **argv)
{
    ZoApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestZoMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_zomainwindow.moc"
