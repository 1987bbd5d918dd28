// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences dialog against a temporary settings store: what it shows for stored values,
// what it stores back, the folder checks, Apply, and the processor choice reaching the process.
#include "creation/preferences.h"
#include "tests/creation/alertcatcher.h"
#include "tests/support/testsupport.h"
#include "zofc/zoaffinity.h"
#include "zofc/zopref.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <sched.h>

namespace {

template<typename T> T *child(const QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

QPushButton *button(const QWidget &dialog, QDialogButtonBox::StandardButton which)
{
    return child<QDialogButtonBox>(dialog, "buttonBox")->button(which);
}

int processorsInMask()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof(set), &set) != 0)
        return -1;
    return CPU_COUNT(&set);
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void storedValuesShown_data();
    void storedValuesShown();
    void layoutAndTexts();
    void okStoresEverything();
    void cancelStoresNothing();
    void unusableFolderKeepsDialogOpen_data();
    void unusableFolderKeepsDialogOpen();
    void applyStoresAndAppliesAffinityAtOnce();
    void resetButtons();
    void openCreatesTheFolder();

private:
    std::unique_ptr<TempSettings> settings;
    QTemporaryDir output;
};

void TestPreferences::init()
{
    settings.reset();
    settings = std::make_unique<TempSettings>();
    ZoPref::setValue(QStringLiteral("OutputPath"), output.path());
}

void TestPreferences::cleanupTestCase()
{
    setProcessAffinity(affinityMask(0, 0, processorCount(), [] { return 0; }));
}

void TestPreferences::storedValuesShown_data()
{
    QTest::addColumn<int>("processors");
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<int>("cpuItems");
    QTest::addColumn<QString>("cpuShown");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("action");

    QTest::newRow("defaults") << 4 << QVariantMap {} << 4 << "4"
                              << "radioButton"
                              << "Every Day"
                              << "Do Nothing";
    QTest::newRow("one processor") << 1 << QVariantMap {{"CPUType", 2}, {"CPUInUse", 1}} << 1 << "1"
                                   << "radioButton_3"
                                   << "Every Day"
                                   << "Do Nothing";
    QTest::newRow("more cores stored than present")
        << 2 << QVariantMap {{"CPUType", 2}, {"CPUInUse", 8}} << 2 << "2"
        << "radioButton_3"
        << "Every Day"
        << "Do Nothing";
    QTest::newRow("no cores stored")
        << 2 << QVariantMap {{"CPUType", 2}, {"CPUInUse", 0}} << 2 << "1"
        << "radioButton_3"
        << "Every Day"
        << "Do Nothing";
    QTest::newRow("type above range") << 2 << QVariantMap {{"CPUType", 9}} << 2 << "2"
                                      << "radioButton_3"
                                      << "Every Day"
                                      << "Do Nothing";
    QTest::newRow("least cores, weekly, shut down")
        << 2
        << QVariantMap {{"CPUType", 1}, {"auto_check_update_interval", 7}, {"AfterBurnAction", 4}}
        << 2 << "2"
        << "radioButton_2"
        << "Every Week"
        << "Shut Down";
    QTest::newRow("fortnightly shows weekly, action 3 shows nothing")
        << 2 << QVariantMap {{"auto_check_update_interval", 14}, {"AfterBurnAction", 3}} << 2 << "2"
        << "radioButton"
        << "Every Week"
        << "Do Nothing";
}

void TestPreferences::storedValuesShown()
{
    QFETCH(int, processors);
    QFETCH(QVariantMap, stored);
    QFETCH(int, cpuItems);
    QFETCH(QString, cpuShown);
    QFETCH(QString, radio);
    QFETCH(QString, frequency);
    QFETCH(QString, action);

    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        ZoPref::setValue(it.key(), it.value());
    Preferences dialog(nullptr, processors);
    auto *cpuNumber = child<QComboBox>(dialog, "cpuNumber");
    QCOMPARE(cpuNumber->count(), cpuItems);
    QCOMPARE(cpuNumber->itemText(0), QStringLiteral("1"));
    QCOMPARE(cpuNumber->currentText(), cpuShown);
    QVERIFY(child<QRadioButton>(dialog, radio.toLatin1().constData())->isChecked());
    QCOMPARE(cpuNumber->isEnabled(), radio == QLatin1String("radioButton_3"));
    QCOMPARE(child<QComboBox>(dialog, "updateFreq")->currentText(), frequency);
    QCOMPARE(child<QComboBox>(dialog, "afterBurnAction")->currentText(), action);
}

void TestPreferences::layoutAndTexts()
{
    ZoPref::setValue(QStringLiteral("auto_check_update_enable"), false);
    Preferences dialog(nullptr, 2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.objectName(), QStringLiteral("PreferencesClass"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Preferences"));
    QCOMPARE(dialog.size(), QSize(550, 480));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    auto *tabs = child<QTabWidget>(dialog, "tabWidget");
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("General"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Convert"));
    QVERIFY(child<QWidget>(dialog, "groupBox_3")->isHidden());
    QVERIFY(!button(dialog, QDialogButtonBox::Apply)->isEnabled());
    QVERIFY(
        child<QLabel>(dialog, "label_2")->text().contains(QStringLiteral("conversion \nspeed")));

    // The frequency follows the switch.
    auto *check = child<QCheckBox>(dialog, "checkUpdate");
    auto *frequency = child<QComboBox>(dialog, "updateFreq");
    QVERIFY(!check->isChecked());
    QVERIFY(!frequency->isEnabled());
    check->click();
    QVERIFY(frequency->isEnabled());
    QVERIFY(button(dialog, QDialogButtonBox::Apply)->isEnabled());
}

void TestPreferences::okStoresEverything()
{
    ZoPref::setValue(QStringLiteral("AfterBurnAction"), 3);
    ZoPref::setValue(QStringLiteral("auto_check_update_interval"), 14);
    Preferences dialog(nullptr, 2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    child<QRadioButton>(dialog, "radioButton_3")->click();
    child<QComboBox>(dialog, "cpuNumber")->setCurrentIndex(0);
    child<QCheckBox>(dialog, "checkUpdate")->setChecked(false);
    button(dialog, QDialogButtonBox::Ok)->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(ZoPref::value(QStringLiteral("AfterBurnAction"), -1).toInt(), 5);
    QCOMPARE(ZoPref::value(QStringLiteral("auto_check_update_interval"), -1).toInt(), 7);
    QCOMPARE(ZoPref::value(QStringLiteral("auto_check_update_enable"), true).toBool(), false);
    QCOMPARE(ZoPref::value(QStringLiteral("CPUType"), -1).toInt(), 2);
    QCOMPARE(ZoPref::value(QStringLiteral("CPUInUse"), -1).toInt(), 1);
    QCOMPARE(ZoPref::value(QStringLiteral("OutputPath"), QString()).toString(),
             QDir::toNativeSeparators(output.path()));

    // Every post-task choice round-trips through its stored value.
    for (int index = 0; index < 5; ++index) {
        const int value = Preferences::afterBurnActionForIndex(index);
        QCOMPARE(Preferences::indexForAfterBurnAction(value), index);
    }
    QCOMPARE(Preferences::afterBurnActionForIndex(2), 4);
    QCOMPARE(Preferences::afterBurnActionForIndex(4), 1);
}

void TestPreferences::cancelStoresNothing()
{
    const QString before = settings->file();
    Preferences dialog(nullptr, 2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    child<QRadioButton>(dialog, "radioButton_2")->click();
    child<QComboBox>(dialog, "afterBurnAction")->setCurrentIndex(1);
    child<QLineEdit>(dialog, "lineEdit")->setText(QStringLiteral("/proc"));
    button(dialog, QDialogButtonBox::Cancel)->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!ZoPref::value(QStringLiteral("CPUType"), QVariant()).isValid());
    QVERIFY(!ZoPref::value(QStringLiteral("AfterBurnAction"), QVariant()).isValid());
    QCOMPARE(ZoPref::value(QStringLiteral("OutputPath"), QString()).toString(), output.path());
}

void TestPreferences::unusableFolderKeepsDialogOpen_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << output.filePath(QStringLiteral("not/there"))
                             << "The output folder is unavailable. Please choose another one.";
    QTest::newRow("relative") << "relative/folder"
                              << "The output folder is unavailable. Please choose another one.";
    // Not even the super-user can create files here.
    QTest::newRow("read-only") << "/proc"
                               << "The output folder is read-only, please select other folder.";
}

void TestPreferences::unusableFolderKeepsDialogOpen()
{
    QFETCH(QString, folder);
    QFETCH(QString, message);
    Preferences dialog(nullptr, 2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    child<QLineEdit>(dialog, "lineEdit")->setText(folder);
    child<QComboBox>(dialog, "afterBurnAction")->setCurrentIndex(2);

    AlertCatcher alerts;
    button(dialog, QDialogButtonBox::Ok)->click();
    QCOMPARE(alerts.texts, QStringList {message});
    QVERIFY(dialog.isVisible());
    QCOMPARE(child<QTabWidget>(dialog, "tabWidget")->currentIndex(), 0);
    QVERIFY(!ZoPref::value(QStringLiteral("AfterBurnAction"), QVariant()).isValid());
    QCOMPARE(ZoPref::value(QStringLiteral("OutputPath"), QString()).toString(), output.path());
}

void TestPreferences::applyStoresAndAppliesAffinityAtOnce()
{
    if (processorCount() < 2)
        QSKIP("needs two processors to see the mask change");
    Preferences dialog(nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QPushButton *apply = button(dialog, QDialogButtonBox::Apply);
    QVERIFY(!apply->isEnabled());

    child<QRadioButton>(dialog, "radioButton_3")->click();
    child<QComboBox>(dialog, "cpuNumber")->setCurrentIndex(0);
    QVERIFY(apply->isEnabled());
    apply->click();
    QVERIFY(!apply->isEnabled());
    QVERIFY(dialog.isVisible());
    QCOMPARE(ZoPref::value(QStringLiteral("CPUType"), -1).toInt(), 2);
    QCOMPARE(processorsInMask(), 1);

    // The least-resources choice pins the process to one processor as well; all cores frees it.
    child<QRadioButton>(dialog, "radioButton")->click();
    QVERIFY(apply->isEnabled());
    apply->click();
    QVERIFY(!apply->isEnabled());
    QCOMPARE(processorsInMask(), processorCount());

    child<QRadioButton>(dialog, "radioButton_2")->click();
    button(dialog, QDialogButtonBox::Ok)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(processorsInMask(), 1);
}

void TestPreferences::resetButtons()
{
    ZoPref::setValue(QStringLiteral("auto_check_update_enable"), false);
    ZoPref::setValue(QStringLiteral("auto_check_update_interval"), 30);
    ZoPref::setValue(QStringLiteral("CPUType"), 2);
    ZoPref::setValue(QStringLiteral("CPUInUse"), 1);
    ZoPref::setValue(QStringLiteral("AfterBurnAction"), 0);
    Preferences dialog(nullptr, 3);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    child<QPushButton>(dialog, "resetToDefault_2")->click();
    QVERIFY(child<QRadioButton>(dialog, "radioButton")->isChecked());
    QCOMPARE(child<QComboBox>(dialog, "cpuNumber")->currentText(), QStringLiteral("3"));
    QVERIFY(!child<QComboBox>(dialog, "cpuNumber")->isEnabled());
    QCOMPARE(child<QComboBox>(dialog, "afterBurnAction")->currentIndex(), 0);
    QVERIFY(button(dialog, QDialogButtonBox::Apply)->isEnabled());

    child<QPushButton>(dialog, "resetToDefault")->click();
    QVERIFY(child<QCheckBox>(dialog, "checkUpdate")->isChecked());
    QCOMPARE(child<QComboBox>(dialog, "updateFreq")->currentIndex(), 0);
    QVERIFY(!child<QLineEdit>(dialog, "lineEdit")->text().isEmpty());
    QVERIFY(child<QLineEdit>(dialog, "lineEdit")->text() != output.path());
}

void TestPreferences::openCreatesTheFolder()
{
    const QString folder = output.filePath(QStringLiteral("new/deeper"));
    Preferences dialog(nullptr, 2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    child<QLineEdit>(dialog, "lineEdit")->setText(folder);
    AlertCatcher alerts;
    child<QPushButton>(dialog, "open")->click();
    QVERIFY(QFileInfo(folder).isDir());
    // Whether a file browser opens depends on the desktop; when none can, the user is told.
    for (const QString &text : std::as_const(alerts.texts))
        QCOMPARE(text, QStringLiteral("Failed to open folder \"%1\".").arg(folder));
    QVERIFY(alerts.texts.size() <= 1);
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
