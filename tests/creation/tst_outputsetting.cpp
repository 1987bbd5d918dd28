// SPDX-License-Identifier: GPL-3.0-or-later
// The output settings dialog with the real profile templates of the build's application folder
// and a temporary settings store.
#include "creation/outputsetting.h"
#include "tests/creation/alertcatcher.h"
#include "tests/support/testsupport.h"
#include "zofc/zopref.h"
#include "zofc/zowheelguard.h"
#include "zomprofile/zogroupitemview.h"
#include "zomprofile/zombitratecalc.h"
#include "zomprofile/zoprofilecombobox.h"
#include "zomprofile/zoprofilemanager.h"
#include "zomprofile/zoprofilemodel.h"
#include "zomprofile/zoprofilepropertywidget.h"
#include "zomprofile/zoproperty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

namespace {

template<typename T> T *child(const QObject &parent, const char *name)
{
    T *object = parent.findChild<T *>(QLatin1String(name));
    if (!object)
        qFatal("no child %s", name);
    return object;
}

QPushButton *okButton(const OutputSetting &dialog)
{
    return child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok);
}

ZoProfilePropertyWidget *editor(const OutputSetting &dialog, const char *frame)
{
    return child<QFrame>(dialog, frame)->findChild<ZoProfilePropertyWidget *>();
}

// Types text into the editor of key as a user would and ends the edit with Return.
void typeInto(ZoProfilePropertyWidget *widget, const QString &key, const QString &text)
{
    auto *combo = qobject_cast<QComboBox *>(widget->editorFor(key));
    QVERIFY2(combo && combo->isEditable(), qPrintable(key));
    combo->lineEdit()->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), text);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
}

void showAndWait(QWidget &widget)
{
    widget.show();
    widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&widget));
}

} // namespace

class TestOutputSetting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void layoutAndDefaults();
    void storedName_data();
    void storedName();
    void acceptChecksFolderAndName_data();
    void acceptChecksFolderAndName();
    void cancelStoresOnlyUsableValues();
    void returnMovesToOkThenAccepts();
    void normalizedValue_data();
    void normalizedValue();
    void editedValuesReachProfileData();
    void advancedEditorStateSurvivesReopening();
    void chosenProfileIsRemembered();
    void shapesFollowTheProfile();
    void cancelKeepsTheProfile();
    void wheelChangesOnlyTheFocusedValue();
    void bitrateCalculatorSetsTheRate();
    void versionsAreTickedAndRemembered();

private:
    std::unique_ptr<TempSettings> settings;
    QTemporaryDir output;
};

void TestOutputSetting::init()
{
    settings.reset();
    settings = std::make_unique<TempSettings>();
    ZoPref::setValue(QStringLiteral("OutputPath"), output.path());
}

void TestOutputSetting::layoutAndDefaults()
{
    OutputSetting dialog;
    showAndWait(dialog);
    QCOMPARE(dialog.objectName(), QStringLiteral("OutputSettingClass"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Output Settings"));
    QCOMPARE(dialog.size(), QSize(440, 560));
    QCOMPARE(dialog.maximumHeight(), 560);
    QVERIFY(!child<QFrame>(dialog, "frameAdvance")->isVisible());
    QCOMPARE(child<QPushButton>(dialog, "switchAdvancedBtn")->text(), QStringLiteral("More >>"));
    QCOMPARE(child<QLineEdit>(dialog, "lineEditOutputPath")->text(),
             QDir::toNativeSeparators(output.path()));
    auto *name = child<QLineEdit>(dialog, "lineEditFilename");
    QCOMPARE(name->text(), QStringLiteral("My Photo Movie"));
    QCOMPARE(name->selectedText(), name->text());

    // With nothing stored the default profile, full HD in MP4, is chosen, and its values are
    // those of its file.
    auto *chooser = child<ZoProfileComboBox>(dialog, "comboBoxProfile");
    QCOMPARE(chooser->currentText(), QStringLiteral("HD 1080p"));
    const ZomProfileData data = dialog.profileData();
    QVERIFY(data.id().endsWith(QLatin1String("/hd1080.profile")));
    QCOMPARE(data.text(QStringLiteral("/ext_name")), QStringLiteral("mp4"));
    QCOMPARE(data.text(QStringLiteral("vcodec")), QStringLiteral("libx264"));
    QCOMPARE(data.text(QStringLiteral("s")), QStringLiteral("1920x1080"));
    QVERIFY(!data.contains(QStringLiteral("b/")));
    QCOMPARE(ZoPref::value(QStringLiteral("button_adv_show"), true).toBool(), false);
}

void TestOutputSetting::storedName_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("colon") << "Holiday: Rome"
                           << "My Photo Movie";
    QTest::newRow("at sign") << "me@home"
                             << "My Photo Movie";
    QTest::newRow("slash") << "a/b"
                           << "My Photo Movie";
    QTest::newRow("backslash") << "a\\b"
                               << "a\\b";
    QTest::newRow("double quote") << "The \"best\" trip"
                                  << "The \"best\" trip";
    QTest::newRow("plain") << "Summer"
                           << "Summer";
}

void TestOutputSetting::storedName()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    ZoPref::setValue(QStringLiteral("OutputName"), stored);
    OutputSetting dialog;
    QCOMPARE(child<QLineEdit>(dialog, "lineEditFilename")->text(), shown);
}

void TestOutputSetting::acceptChecksFolderAndName_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("alert");
    QTest::newRow("usable, with backslash and quote") << output.path() << "a\\b \"c\"" << QString();
    QTest::newRow("missing folder") << output.filePath(QStringLiteral("missing")) << "x"
                                    << "The output folder is unavailable. Please choose another "
                                       "one.";
    QTest::newRow("read-only folder")
        << "/proc"
        << "x"
        << "The output folder is read-only, please select other folder.";
    QTest::newRow("empty name") << output.path() << QString()
                                << "Output file name is not usable, please change to another file "
                                   "name.";
    for (const char *bad : {"a*b", "a:b", "a<b", "a>b", "a?b", "a/b", "a@b", "a|b"}) {
        QTest::newRow(bad) << output.path() << bad
                           << "Output file name is not usable, please change to another file "
                              "name.";
    }
}

void TestOutputSetting::acceptChecksFolderAndName()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, alert);
    OutputSetting dialog;
    showAndWait(dialog);
    child<QLineEdit>(dialog, "lineEditOutputPath")->setText(folder);
    child<QLineEdit>(dialog, "lineEditFilename")->setText(name);
    AlertCatcher alerts;
    okButton(dialog)->click();
    if (alert.isEmpty()) {
        QVERIFY(alerts.texts.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(ZoPref::value(QStringLiteral("OutputName"), QString()).toString(), name);
        QCOMPARE(dialog.outputName(), name);
    } else {
        QCOMPARE(alerts.texts, QStringList {alert});
        QVERIFY(dialog.isVisible());
        QVERIFY(!ZoPref::value(QStringLiteral("OutputName"), QVariant()).isValid());
    }
}

void TestOutputSetting::cancelStoresOnlyUsableValues()
{
    ZoPref::setValue(QStringLiteral("OutputName"), QStringLiteral("Kept"));
    {
        OutputSetting dialog;
        showAndWait(dialog);
        child<QLineEdit>(dialog, "lineEditOutputPath")->setText(QStringLiteral("/proc"));
        child<QLineEdit>(dialog, "lineEditFilename")->setText(QStringLiteral("bad:name"));
        child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(ZoPref::value(QStringLiteral("OutputPath"), QString()).toString(), output.path());
    QCOMPARE(ZoPref::value(QStringLiteral("OutputName"), QString()).toString(),
             QStringLiteral("Kept"));

    // Usable values are kept even when the dialog is cancelled, here with Escape.
    QTemporaryDir other;
    OutputSetting dialog;
    showAndWait(dialog);
    child<QLineEdit>(dialog, "lineEditOutputPath")->setText(other.path());
    child<QLineEdit>(dialog, "lineEditFilename")->setText(QStringLiteral("New"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ZoPref::value(QStringLiteral("OutputPath"), QString()).toString(), other.path());
    QCOMPARE(ZoPref::value(QStringLiteral("OutputName"), QString()).toString(),
             QStringLiteral("New"));
}

void TestOutputSetting::returnMovesToOkThenAccepts()
{
    OutputSetting dialog;
    showAndWait(dialog);
    auto *name = child<QLineEdit>(dialog, "lineEditFilename");
    name->setFocus();
    QTRY_VERIFY(name->hasFocus());
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QVERIFY(okButton(dialog)->hasFocus());
    QCOMPARE(dialog.result(), 0);

    // The profile chooser behaves the same.
    auto *chooser = child<ZoProfileComboBox>(dialog, "comboBoxProfile");
    chooser->setFocus();
    QTRY_VERIFY(chooser->hasFocus());
    QTest::keyClick(chooser, Qt::Key_Enter);
    QVERIFY(dialog.isVisible());
    QVERIFY(okButton(dialog)->hasFocus());

    QTest::keyClick(okButton(dialog), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(ZoPref::value(QStringLiteral("OutputName"), QString()).toString(),
             QStringLiteral("My Photo Movie"));
}

void TestOutputSetting::normalizedValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("r number") << "r"
                              << "25"
                              << "25fps";
    QTest::newRow("r upper unit") << "r"
                                  << "25FPS"
                                  << "25fps";
    QTest::newRow("r mixed unit") << "r"
                                  << "29.97Fps"
                                  << "29.97fps";
    QTest::newRow("r with unit") << "r"
                                 << "30fps"
                                 << "30fps";
    QTest::newRow("r auto") << "r"
                            << "auto"
                            << "Auto";
    QTest::newRow("b number") << "b"
                              << "768"
                              << "768K";
    QTest::newRow("b lower unit") << "b"
                                  << "768k"
                                  << "768K";
    QTest::newRow("b with unit") << "b"
                                 << "768K"
                                 << "768K";
    QTest::newRow("ab number") << "ab"
                               << "96"
                               << "96K";
    QTest::newRow("volume") << "vol"
                            << "256"
                            << "100%";
    QTest::newRow("volume half") << "vol"
                                 << "128"
                                 << "50%";
    QTest::newRow("delay") << "timedelay"
                           << "3"
                           << "3s";
    QTest::newRow("size untouched") << "s"
                                    << "720x576"
                                    << "720x576";
    QTest::newRow("quality untouched") << "b/"
                                       << "High Quality"
                                       << "High Quality";
}

void TestOutputSetting::normalizedValue()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(OutputSetting::normalizedValue(key, value), expected);
}

void TestOutputSetting::editedValuesReachProfileData()
{
    ZoPref::setValue(QStringLiteral("last_profile_url"), QStringLiteral("mpeg4h264"));
    ZoPref::setValue(QStringLiteral("AdvanceShow"), true);
    OutputSetting dialog;
    showAndWait(dialog);
    ZoProfilePropertyWidget *basic = editor(dialog, "frameBasic");
    ZoProfilePropertyWidget *advanced = editor(dialog, "frameAdvance");
    QVERIFY(basic && advanced);
    QCOMPARE(basic->rootProp(), advanced->rootProp());

    typeInto(basic, QStringLiteral("r"), QStringLiteral("25"));
    typeInto(basic, QStringLiteral("b"), QStringLiteral("768k"));
    typeInto(advanced, QStringLiteral("ab"), QStringLiteral("96"));
    typeInto(advanced, QStringLiteral("s"), QStringLiteral("720x576"));
    QCOMPARE(qobject_cast<QComboBox *>(basic->editorFor(QStringLiteral("r")))->currentText(),
             QStringLiteral("25fps"));
    QCOMPARE(qobject_cast<QComboBox *>(advanced->editorFor(QStringLiteral("b")))->currentText(),
             QStringLiteral("768K"));

    // A choice that only the advanced editor shows.
    auto *control = qobject_cast<QComboBox *>(advanced->editorFor(QStringLiteral("cbrorvbr")));
    QVERIFY(!basic->editorFor(QStringLiteral("cbrorvbr")));
    QVERIFY(control);
    control->setCurrentIndex(control->findText(QStringLiteral("VBR")));
    emit control->textActivated(QStringLiteral("VBR"));

    const ZomProfileData data = dialog.profileData();
    QCOMPARE(data.text(QStringLiteral("r")), QStringLiteral("25fps"));
    QCOMPARE(data.text(QStringLiteral("b")), QStringLiteral("768K"));
    QCOMPARE(data.text(QStringLiteral("ab")), QStringLiteral("96K"));
    QCOMPARE(data.text(QStringLiteral("s")), QStringLiteral("720x576"));
    QCOMPARE(data.text(QStringLiteral("cbrorvbr")), QStringLiteral("VBR"));
    QCOMPARE(data.text(QStringLiteral("/ext_name")), QStringLiteral("mp4"));

    // The quality items follow the rates: 768K at 720x576 and 25 fps is the normal level.
    QCOMPARE(basic->property(QStringLiteral("b/"))->value(), QStringLiteral("Normal Quality"));
    QCOMPARE(basic->property(QStringLiteral("ab/"))->value(), QStringLiteral("Normal Quality"));
    // Choosing a level sets the rate it stands for.
    auto *quality = qobject_cast<QComboBox *>(basic->editorFor(QStringLiteral("ab/")));
    QVERIFY(quality);
    quality->setCurrentIndex(quality->findText(QStringLiteral("High Quality")));
    emit quality->textActivated(QStringLiteral("High Quality"));
    QCOMPARE(dialog.profileData().text(QStringLiteral("ab")), QStringLiteral("192K"));
}

void TestOutputSetting::advancedEditorStateSurvivesReopening()
{
    {
        OutputSetting dialog;
        showAndWait(dialog);
        auto *button = child<QPushButton>(dialog, "switchAdvancedBtn");
        button->click();
        QVERIFY(child<QFrame>(dialog, "frameAdvance")->isVisible());
        QCOMPARE(button->text(), QStringLiteral("More <<"));
        QCOMPARE(dialog.width(), 746);
        QCOMPARE(ZoPref::value(QStringLiteral("AdvanceShow"), false).toBool(), true);
    }
    {
        OutputSetting dialog;
        showAndWait(dialog);
        QVERIFY(child<QFrame>(dialog, "frameAdvance")->isVisible());
        QCOMPARE(dialog.width(), 746);
        QCOMPARE(ZoPref::value(QStringLiteral("button_adv_show"), false).toBool(), true);
        auto *button = child<QPushButton>(dialog, "switchAdvancedBtn");
        QCOMPARE(button->text(), QStringLiteral("More <<"));
        // One click closes it again; the state was known to the button.
        button->click();
        QVERIFY(!child<QFrame>(dialog, "frameAdvance")->isVisible());
        QCOMPARE(dialog.size(), QSize(440, 560));
        QCOMPARE(button->text(), QStringLiteral("More >>"));
    }
    QCOMPARE(ZoPref::value(QStringLiteral("AdvanceShow"), true).toBool(), false);
}

void TestOutputSetting::chosenProfileIsRemembered()
{
    {
        OutputSetting dialog;
        showAndWait(dialog);
        auto *chooser = child<ZoProfileComboBox>(dialog, "comboBoxProfile");
        QSignalSpy changed(chooser, &ZoProfileComboBox::currentProfileChanged);
        // Open the drop-down and click the profile as a user would.
        chooser->showPopup();
        auto *view = chooser->groupView();
        QTRY_VERIFY(view->isVisible());
        const auto *model = chooser->profileModel();
        const QStandardItem *psp
            = model->findProfileItem(QStringLiteral("psp"), QStringLiteral("Legacy"));
        QVERIFY(psp);
        view->expand(psp->index().parent());
        // The last group lies below the open "More formats" one, out of the list's height.
        view->scrollTo(psp->index());
        const QRect cell = view->visualRect(psp->index());
        QVERIFY(cell.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QTRY_COMPARE(changed.size(), 1);
        QVERIFY(!view->isVisible());
        QCOMPARE(chooser->currentText(), QStringLiteral("PSP"));
        QCOMPARE(dialog.profileData().text(QStringLiteral("s")), QStringLiteral("480x272"));
        okButton(dialog)->click();
        QCOMPARE(ZoPref::value(QStringLiteral("last_profile_url"), QString()).toString(),
                 QStringLiteral("psp"));
        QCOMPARE(ZoPref::value(QStringLiteral("last_profile_group"), QString()).toString(),
                 QStringLiteral("Legacy"));
    }
    const QStringList recent = ZoPref::value(QStringLiteral("recent_profiles"), QString())
                                   .toString()
                                   .split(QLatin1Char('|'));
    QCOMPARE(recent.value(0), QStringLiteral("psp"));
    QVERIFY(recent.contains(QStringLiteral("hd1080")));

    OutputSetting dialog;
    auto *chooser = child<ZoProfileComboBox>(dialog, "comboBoxProfile");
    QCOMPARE(chooser->currentText(), QStringLiteral("PSP"));
    QVERIFY(dialog.profileData().id().endsWith(QLatin1String("/psp.profile")));
    QVERIFY(chooser->profileModel()->findProfileItem(QStringLiteral("psp"),
                                                     ZoProfileModel::recentGroup()));
}

void TestOutputSetting::shapesFollowTheProfile()
{
    ZoPref::setValue(QStringLiteral("last_profile_url"), QStringLiteral("hd1080"));
    ZoPref::setValue(QStringLiteral("last_profile_group"), QStringLiteral("More formats"));
    const auto sizeShown = [](const OutputSetting &dialog) {
        auto *field = qobject_cast<QComboBox *>(editor(dialog, "frameBasic")->editorFor("s"));
        return field ? field->currentText() : QString();
    };
    {
        OutputSetting dialog;
        showAndWait(dialog);
        auto *shapes = child<QComboBox>(dialog, "comboBoxShape");
        QCOMPARE(shapes->currentIndex(), 0);
        QCOMPARE(dialog.profileData().text(QStringLiteral("s")), QStringLiteral("1920x1080"));
        // 9:16 is two steps down the list.
        shapes->setFocus();
        QTest::keyClick(shapes, Qt::Key_Down);
        QTest::keyClick(shapes, Qt::Key_Down);
        QCOMPARE(shapes->currentData().toString(), QStringLiteral("9:16"));
        QCOMPARE(dialog.profileData().text(QStringLiteral("s")), QStringLiteral("1080x1920"));
        QCOMPARE(sizeShown(dialog), QStringLiteral("1080x1920"));
        // Another profile takes the shape at its own resolution.
        auto *chooser = child<ZoProfileComboBox>(dialog, "comboBoxProfile");
        chooser->changeProfile(ZoProfileManager::instance()->profileUrl(QStringLiteral("hd720")),
                               QStringLiteral("More formats"), false);
        QCOMPARE(dialog.profileData().text(QStringLiteral("s")), QStringLiteral("720x1280"));
        okButton(dialog)->click();
    }
    const ZomProfileData kept = [] {
        OutputSetting dialog;
        return dialog.profileData();
    }();
    // The shape is kept for the next video, and a show's kept values (here its 720x1280) give
    // way to the shape chosen, whichever it is.
    OutputSetting dialog;
    dialog.setEditedValues(kept);
    showAndWait(dialog);
    auto *shapes = child<QComboBox>(dialog, "comboBoxShape");
    QCOMPARE(shapes->currentData().toString(), QStringLiteral("9:16"));
    QCOMPARE(dialog.profileData().text(QStringLiteral("s")), QStringLiteral("720x1280"));
    for (const auto &[shape, size] : {std::pair {"1:1", "720x720"},
                                      {"", "1280x720"},
                                      {"9:16", "720x1280"},
                                      {"16:9", "1280x720"}}) {
        shapes->setCurrentIndex(shapes->findData(QString::fromLatin1(shape)));
        QCOMPARE(dialog.profileData().text(QStringLiteral("s")), QLatin1String(size));
        QCOMPARE(sizeShown(dialog), QLatin1String(size));
    }
}

// Cancel leaves the next opening as this one was: profile, shape and recent profiles.
void TestOutputSetting::cancelKeepsTheProfile()
{
    ZoPref::setValue(QStringLiteral("recent_profiles"), QStringLiteral("hd1080"));
    {
        OutputSetting dialog;
        showAndWait(dialog);
        QVERIFY(dialog.profileData().id().endsWith(QLatin1String("/hd1080.profile")));
        auto *chooser = child<ZoProfileComboBox>(dialog, "comboBoxProfile");
        chooser->changeProfile(ZoProfileManager::instance()->profileUrl(QStringLiteral("psp")),
                               QStringLiteral("Legacy"), false);
        auto *shapes = child<QComboBox>(dialog, "comboBoxShape");
        shapes->setCurrentIndex(shapes->findData(QStringLiteral("1:1")));
        QCOMPARE(dialog.profileData().text(QStringLiteral("s")), QStringLiteral("272x272"));
        child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Cancel)->click();
    }
    QCOMPARE(ZoPref::value(QStringLiteral("recent_profiles"), QString()).toString(),
             QStringLiteral("hd1080"));
    OutputSetting dialog;
    QCOMPARE(child<ZoProfileComboBox>(dialog, "comboBoxProfile")->currentText(),
             QStringLiteral("HD 1080p"));
    QCOMPARE(child<QComboBox>(dialog, "comboBoxShape")->currentIndex(), 0);
    QCOMPARE(dialog.profileData().text(QStringLiteral("s")), QStringLiteral("1920x1080"));
}

// The wheel over a value the user has not picked scrolls on; once picked, it changes the value.
void TestOutputSetting::wheelChangesOnlyTheFocusedValue()
{
    ZoWheelGuard guard;
    qApp->installEventFilter(&guard);
    OutputSetting dialog;
    showAndWait(dialog);
    auto *rate = qobject_cast<QComboBox *>(editor(dialog, "frameBasic")->editorFor("ab"));
    QVERIFY(rate);
    const QString before = rate->currentText();
    const auto turn = [rate] {
        const QPointF at = rate->rect().center();
        QWheelEvent wheel(at, rate->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(rate, &wheel);
    };
    child<QLineEdit>(dialog, "lineEditFilename")->setFocus();
    turn();
    QCOMPARE(rate->currentText(), before);
    QVERIFY(!rate->hasFocus());
    rate->setFocus();
    QTRY_VERIFY(rate->hasFocus());
    turn();
    QVERIFY(rate->currentText() != before);
}

void TestOutputSetting::bitrateCalculatorSetsTheRate()
{
    ZoPref::setValue(QStringLiteral("last_profile_url"), QStringLiteral("mpeg4h264"));
    OutputSetting dialog;
    showAndWait(dialog);
    ZoProfilePropertyWidget *basic = editor(dialog, "frameBasic");
    auto *quality = qobject_cast<QComboBox *>(basic->editorFor(QStringLiteral("b/")));
    QVERIFY(quality);
    const QString before = quality->currentText();

    int shownVideo = -1;
    int shownAudio = -1;
    QTimer answer;
    answer.setInterval(20);
    connect(&answer, &QTimer::timeout, &dialog, [&] {
        auto *calc = qobject_cast<ZomBitrateCalc *>(QApplication::activeModalWidget());
        if (!calc)
            return;
        answer.stop();
        shownVideo = calc->videoBitrateInKBPS();
        shownAudio = calc->audioBitrateInKBPS();
        // A new audio rate keeps the size, so set it before the video rate.
        child<QSpinBox>(*calc, "audioBitrate")->setValue(160);
        child<QSpinBox>(*calc, "videoBitrate")->setValue(900);
        calc->accept();
    });
    answer.start();
    emit quality->textActivated(QStringLiteral("Custom..."));
    QTRY_VERIFY(!answer.isActive());
    QCOMPARE(shownVideo, 2000);
    QCOMPARE(shownAudio, 128);
    QTRY_COMPARE(dialog.profileData().text(QStringLiteral("b")), QStringLiteral("900K"));
    QCOMPARE(dialog.profileData().text(QStringLiteral("ab")), QStringLiteral("160K"));
    QVERIFY(quality->currentText() != QStringLiteral("Custom..."));
    QVERIFY(!before.isEmpty());
}

void TestOutputSetting::versionsAreTickedAndRemembered()
{
    ZoPref::setValue(QStringLiteral("last_profile_url"), QStringLiteral("video"));
    {
        OutputSetting dialog;
        showAndWait(dialog);
        // The chosen preset is made anyway and is not offered again.
        QVERIFY(!child<QCheckBox>(dialog, "version_video")->isEnabled());
        for (const char *name : {"version_gif", "version_vertical"}) {
            auto *box = child<QCheckBox>(dialog, name);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        }
        QCOMPARE(dialog.extraVersions(), QStringList({"vertical", "gif"}));
        auto *chooser = child<ZoProfileComboBox>(dialog, "comboBoxProfile");
        chooser->changeProfile(ZoProfileManager::instance()->profileUrl(QStringLiteral("vertical")),
                               QStringLiteral("Share"), false);
        QVERIFY(child<QCheckBox>(dialog, "version_video")->isEnabled());
        QCOMPARE(dialog.extraVersions(), QStringList({"gif"}));
        okButton(dialog)->click();
    }
    QCOMPARE(ZoPref::value(QStringLiteral("OutputVersions"), QString()).toString(),
             QStringLiteral("gif"));
    OutputSetting dialog;
    QVERIFY(child<QCheckBox>(dialog, "version_gif")->isChecked());
    QVERIFY(!child<QCheckBox>(dialog, "version_video")->isChecked());
    QCOMPARE(dialog.extraVersions(), QStringList({"gif"}));
}

QTEST_MAIN(TestOutputSetting)
#include "tst_outputsetting.moc"
