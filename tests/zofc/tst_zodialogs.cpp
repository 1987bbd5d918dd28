// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/testsupport.h"
#include "zofc/zodialog.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopowerstate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QMutex>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>

namespace {

// Waits (in the event loop of whatever modal dialog is running) for a top-level widget with the
// object name to be shown, then hands it to act. The timer lives until the widget was found.
void whenShown(const QString &objectName, std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, objectName, act] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == objectName && widget->isVisible()) {
                timer->deleteLater();
                timer->stop();
                act(widget);
                return;
            }
        }
    });
    timer->start();
}

QAbstractButton *messageButton(QWidget *widget, QMessageBox::StandardButton which)
{
    auto *box = qobject_cast<QMessageBox *>(widget);
    return box ? box->button(which) : nullptr;
}

class CountingDialog : public ZoDialog
{
public:
    int translations = 0;
    void retranslate() override { ++translations; }
};

// Takes the login manager's place on a private message bus and records the requests it gets.
class LoginManagerRecorder : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList calls()
    {
        QMutexLocker lock(&mutex);
        return received;
    }

public slots:
    void Suspend(bool interactive) { record(QStringLiteral("Suspend"), interactive); }
    void Hibernate(bool interactive) { record(QStringLiteral("Hibernate"), interactive); }
    void PowerOff(bool interactive) { record(QStringLiteral("PowerOff"), interactive); }

private:
    void record(const QString &method, bool interactive)
    {
        QMutexLocker lock(&mutex);
        received.append(method
                        + (interactive ? QStringLiteral("(true)") : QStringLiteral("(false)")));
    }

    QMutex mutex;
    QStringList received;
};

} // namespace

class TestZoDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void messageBoxes_data();
    void messageBoxes();
    void dialogRetranslates();
    void powerStateCountsDownToAction_data();
    void powerStateCountsDownToAction();
    void powerStateCancel();
    void powerStateNothingToDo_data();
    void powerStateNothingToDo();
    void powerStateFailureIsReported();
    void exitProgramEndsTheEventLoop();
    void powerActionsReachTheLoginManager();
};

void TestZoDialogs::cleanup()
{
    ZoPowerState::setExecutor({});
}

void TestZoDialogs::messageBoxes_data()
{
    QTest::addColumn<bool>("alert");
    QTest::addColumn<bool>("okOnly");
    QTest::addColumn<int>("click");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("result");

    QTest::newRow("info, OK") << false << true << int(QMessageBox::Ok) << QString()
                              << int(QMessageBox::Ok);
    QTest::newRow("info, Cancel") << false << false << int(QMessageBox::Cancel)
                                  << QStringLiteral("Import") << int(QMessageBox::Cancel);
    QTest::newRow("alert, OK") << true << true << int(QMessageBox::Ok) << QString() << 1;
    QTest::newRow("alert, Cancel") << true << false << int(QMessageBox::Cancel) << QString() << 0;
}

// The boxes are modal, carry the right icon and title, and report the button that closed them.
void TestZoDialogs::messageBoxes()
{
    QFETCH(bool, alert);
    QFETCH(bool, okOnly);
    QFETCH(int, click);
    QFETCH(QString, title);
    QFETCH(int, result);

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString shownTitle;
    QString shownText;
    bool hadCancel = false;
    bool modal = false;
    whenShown(QLatin1String(ZoMessageBox::objectName), [&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        icon = box->icon();
        shownTitle = box->windowTitle();
        shownText = box->text();
        hadCancel = box->button(QMessageBox::Cancel) != nullptr;
        modal = QApplication::activeModalWidget() == box;
        messageButton(box, QMessageBox::StandardButton(click))->click();
    });
    const QString text = QStringLiteral("Some files have not been added to the list:\n<a.jpg>\t");
    const int answer = alert ? int(ZoMessageBox::alert(text, title, nullptr, okOnly))
                             : ZoMessageBox::info(text, title, nullptr, okOnly);
    QCOMPARE(answer, result);
    QCOMPARE(icon, alert ? QMessageBox::Warning : QMessageBox::Information);
    QCOMPARE(shownTitle, title.isEmpty() ? QStringLiteral("Vellumix") : title);
    QCOMPARE(shownText, text);
    QCOMPARE(hadCancel, !okOnly);
    QVERIFY(modal);
}

// Every dialog re-applies its texts when the interface language changes.
void TestZoDialogs::dialogRetranslates()
{
    CountingDialog dialog;
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&dialog, &change);
    QCOMPARE(dialog.translations, 1);
}

void TestZoDialogs::powerStateCountsDownToAction_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("exit program") << 0;
    QTest::newRow("stand by") << 1;
    QTest::newRow("hibernate") << 2;
    QTest::newRow("shut down") << 4;
}

// The countdown runs out and the executor gets the action, after the dialog has closed.
void TestZoDialogs::powerStateCountsDownToAction()
{
    QFETCH(int, state);
    QList<int> calls;
    bool dialogGone = false;
    ZoPowerState dialog(state);
    ZoPowerState::setExecutor([&](ZoPowerState::State action) {
        calls.append(action);
        dialogGone = !dialog.isVisible();
        return true;
    });
    dialog.setCountdown(2);
    // Every text the message shows, read by a timer started before the countdown's: it fires
    // ahead of each second's tick that comes due, so it reads each text however late the
    // event loop gets to run.
    const QLabel *label = dialog.findChild<QLabel *>(QStringLiteral("message"));
    QVERIFY(label);
    QStringList shown;
    QTimer reader;
    connect(&reader, &QTimer::timeout, this, [&] {
        if (dialog.isVisible() && (shown.isEmpty() || shown.last() != label->text()))
            shown.append(label->text());
    });
    reader.start(10);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    const qint64 elapsed = clock.elapsed();
    reader.stop();
    QCOMPARE(calls, QList<int> {state});
    QVERIFY(dialogGone);
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown.first().contains(QLatin1Char('2')), qPrintable(shown.first()));
    QVERIFY2(shown.last().contains(QLatin1Char('1')), qPrintable(shown.last()));
    // Two ticks of a second each (a coarse timer may fire a twentieth early).
    QVERIFY2(elapsed >= 1800 && elapsed < 10000, qPrintable(QString::number(elapsed)));
}

void TestZoDialogs::powerStateCancel()
{
    int calls = 0;
    ZoPowerState::setExecutor([&calls](ZoPowerState::State) {
        ++calls;
        return true;
    });
    ZoPowerState dialog(ZoPowerState::ShutDown);
    dialog.setCountdown(2);
    whenShown(QStringLiteral("ZoPowerState"), [](QWidget *widget) {
        widget->findChild<QPushButton *>(QStringLiteral("cancel"))->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    // Longer than the countdown: a timer left running would fire the action now.
    QTest::qWait(2500);
    QCOMPARE(calls, 0);
}

void TestZoDialogs::powerStateNothingToDo_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("do nothing") << 5;
    QTest::newRow("unused code 3") << 3;
    QTest::newRow("negative") << -1;
}

void TestZoDialogs::powerStateNothingToDo()
{
    QFETCH(int, state);
    int calls = 0;
    ZoPowerState::setExecutor([&calls](ZoPowerState::State) {
        ++calls;
        return true;
    });
    ZoPowerState dialog(state);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    // At once, not after the 30 s countdown.
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(calls, 0);
}

// An action the system refuses is told to the user and not reported as done.
void TestZoDialogs::powerStateFailureIsReported()
{
    ZoPowerState::setExecutor([](ZoPowerState::State) { return false; });
    ZoPowerState dialog(ZoPowerState::Hibernate);
    dialog.setCountdown(0);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenShown(QLatin1String(ZoMessageBox::objectName), [&icon](QWidget *widget) {
        icon = qobject_cast<QMessageBox *>(widget)->icon();
        messageButton(widget, QMessageBox::Ok)->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(icon, QMessageBox::Warning);
}

// The default action for "exit program" closes the windows and ends the event loop, also from
// inside a modal dialog's loop, as at the end of a video creation.
void TestZoDialogs::exitProgramEndsTheEventLoop()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ZoDialog outer(&window);
    QTimer::singleShot(0, &outer, [&outer] {
        QTimer::singleShot(0, &outer,
                           [] { ZoPowerState::systemExecutor(ZoPowerState::ExitProgram); });
        outer.exec();
    });
    QTimer::singleShot(PatienceMs, &window, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!window.isVisible());
}

void TestZoDialogs::powerActionsReachTheLoginManager()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address"),
                  QStringLiteral("--address=unix:tmpdir=") + dir.path()});
    if (!daemon.waitForStarted(PatienceMs))
        QSKIP("dbus-daemon is not available");
    QVERIFY(daemon.waitForReadyRead(PatienceMs));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();

    // The recorder answers from its own thread while the request blocks this one.
    QThread serviceThread;
    serviceThread.start();
    auto *recorder = new LoginManagerRecorder;
    recorder->moveToThread(&serviceThread);
    QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("service"));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.login1")));
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/login1"), recorder,
                                   QDBusConnection::ExportAllSlots));
    QDBusConnection client = QDBusConnection::connectToBus(address, QStringLiteral("client"));
    QVERIFY(client.isConnected());

    QVERIFY(ZoPowerState::requestPowerAction(ZoPowerState::StandBy, client));
    QVERIFY(ZoPowerState::requestPowerAction(ZoPowerState::Hibernate, client));
    QVERIFY(ZoPowerState::requestPowerAction(ZoPowerState::ShutDown, client));
    QVERIFY(!ZoPowerState::requestPowerAction(ZoPowerState::ExitProgram, client));
    QCOMPARE(recorder->calls(),
             QStringList({QStringLiteral("Suspend(false)"), QStringLiteral("Hibernate(false)"),
                          QStringLiteral("PowerOff(false)")}));

    // Nobody answering, or no bus at all, is a failure and not a success.
    service.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
    service.unregisterService(QStringLiteral("org.freedesktop.login1"));
    QVERIFY(!ZoPowerState::requestPowerAction(ZoPowerState::ShutDown, client));
    QDBusConnection::disconnectFromBus(QStringLiteral("service"));
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    const QDBusConnection nowhere = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("no-bus")),
        QStringLiteral("nowhere"));
    QVERIFY(!ZoPowerState::requestPowerAction(ZoPowerState::ShutDown, nowhere));
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));

    serviceThread.quit();
    serviceThread.wait();
    delete recorder;
    daemon.terminate();
    daemon.waitForFinished(5000);
}

QTEST_MAIN(TestZoDialogs)
#include "tst_zodialogs.moc"
