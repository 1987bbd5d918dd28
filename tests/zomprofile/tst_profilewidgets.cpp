// SPDX-License-Identifier: GPL-3.0-or-later
// The profile widgets on their own: the property tree of a profile, two editors sharing it, the
// chooser with its group view.
#include "tests/support/testsupport.h"
#include "zofc/zopref.h"
#include "zomprofile/zogroupitemview.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilecombobox.h"
#include "zomprofile/zoprofilemanager.h"
#include "zomprofile/zoprofilemodel.h"
#include "zomprofile/zoprofilepropertymanager.h"
#include "zomprofile/zoprofilepropertywidget.h"
#include "zomprofile/zoproperty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

ZomProfileData sampleProfile()
{
    ZomProfileData data(QStringLiteral("mpeg4h264"));
    data.setValue(QStringLiteral("/name"), QStringLiteral("Sample"));
    data.setValue(QStringLiteral("/ext_name"), QStringLiteral("mp4"));
    data.setValue(QStringLiteral("vcodec"), QStringLiteral("libx264"));
    data.setValue(QStringLiteral("acodec"), QStringLiteral("aac"));
    data.setValue(QStringLiteral("b"), QStringLiteral("2000K"));
    data.setValue(QStringLiteral("ab"), QStringLiteral("128K"));
    data.setValue(QStringLiteral("s"), QStringLiteral("640x480"));
    data.setValue(QStringLiteral("r"), QStringLiteral("25fps"));
    data.setValue(QStringLiteral("an"), QStringLiteral("false"));
    data.setValue(QStringLiteral("vol"), QStringLiteral("256"));
    data.setValue(QStringLiteral("title"), QStringLiteral("Holiday"));
    data.setValue(QStringLiteral("ar,2"), QStringLiteral("44100"));
    data.setValue(QStringLiteral("ar"), QStringLiteral("44100"));
    return data;
}

QStringList keysOf(const QList<ZoProperty *> &items)
{
    QStringList keys;
    for (const ZoProperty *item : items)
        keys.append(item->key());
    return keys;
}

} // namespace

class TestProfileWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void treeOfAProfile();
    void qualityLevels_data();
    void qualityLevels();
    void editorsShareOneTree();
    void editsAreVerifiedAndCanBeRefused();
    void volumeShowsInPerCent();
    void linkedValueFollows();
    void qualityChoiceSetsTheRate();
    void chooserFollowsTheModel();

private:
    std::unique_ptr<TempSettings> settings;
};

void TestProfileWidgets::initTestCase()
{
    settings = std::make_unique<TempSettings>();
    QVERIFY(ZoProfileManager::instance()->loadTemplates(ZoPref::appDir()
                                                        + QStringLiteral("/profiles")));
}

void TestProfileWidgets::treeOfAProfile()
{
    const std::shared_ptr<ZoProperty> root = ZoProfilePropertyManager::buildTree(sampleProfile());
    const QList<ZoProperty *> categories = root->childProperties();
    QStringList names;
    for (const ZoProperty *category : categories) {
        QVERIFY(category->isCategory());
        names.append(category->key());
    }
    QCOMPARE(names, (QStringList {"Video", "Audio", "Metadata", "Other"}));
    // Display order, with a quality item after each bit rate; internal values left out.
    QCOMPARE(keysOf(categories.at(0)->items()), (QStringList {"vcodec", "s", "b", "b/", "r"}));
    QCOMPARE(keysOf(categories.at(1)->items()),
             (QStringList {"acodec", "ab", "ab/", "ar", "vol", "an"}));
    QCOMPARE(keysOf(categories.at(2)->items()), QStringList {"title"});
    QVERIFY(!root->find(QStringLiteral("/ext_name")));
    QCOMPARE(root->find(QStringLiteral("an"))->kind(), ZoProperty::Kind::Switch);
    QCOMPARE(root->find(QStringLiteral("b"))->kind(), ZoProperty::Kind::Bitrate);
    QCOMPARE(root->find(QStringLiteral("b/"))->value(), QStringLiteral("High Quality"));
    QVERIFY(root->find(QStringLiteral("b/"))->choices().contains(QStringLiteral("Custom...")));
    QVERIFY(!root->find(QStringLiteral("ab/"))->choices().contains(QStringLiteral("Custom...")));
    // The profile's own choices replace the item's.
    QCOMPARE(root->find(QStringLiteral("vcodec"))->choices(), QStringList {"libx264"});

    // Reading back gives the profile's values unchanged, without the quality items.
    ZomProfileData back;
    ZoProfilePropertyManager::writeProfileData(root.get(), back);
    ZomProfileData expected = sampleProfile();
    expected.remove(QStringLiteral("/name"));
    expected.remove(QStringLiteral("/ext_name"));
    expected.setId(QString());
    QCOMPARE(back.values(), expected.values());
}

void TestProfileWidgets::qualityLevels_data()
{
    QTest::addColumn<int>("kbps");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("level");
    QTest::newRow("low") << 200 << "640x480"
                         << "25fps"
                         << "Low Quality";
    QTest::newRow("normal") << 700 << "640x480"
                            << "25fps"
                            << "Normal Quality";
    QTest::newRow("high") << 2000 << "640x480"
                          << "25fps"
                          << "High Quality";
    QTest::newRow("same rate, bigger picture") << 2000 << "1920x1080"
                                               << "25fps"
                                               << "Low Quality";
    QTest::newRow("unreadable size and rate as 640x480 at 25") << 700 << "big"
                                                               << "Auto"
                                                               << "Normal Quality";
}

void TestProfileWidgets::qualityLevels()
{
    QFETCH(int, kbps);
    QFETCH(QString, size);
    QFETCH(QString, rate);
    QFETCH(QString, level);
    QCOMPARE(ZoProfilePropertyManager::videoQuality(kbps, size, rate), level);
    // The rate a level stands for is classified as that level again.
    const int rateOfLevel = ZoProfilePropertyManager::videoBitrateFor(level, size, rate);
    QVERIFY(rateOfLevel > 0);
    QCOMPARE(ZoProfilePropertyManager::videoQuality(rateOfLevel, size, rate), level);
}

void TestProfileWidgets::editorsShareOneTree()
{
    ZomProfileData data = sampleProfile();
    ZoProfilePropertyWidget basic(nullptr, {}, false, true, true);
    ZoProfilePropertyWidget advanced(nullptr, {}, true, false, true);
    basic.setVisibleGroup(QStringLiteral("simple"));
    advanced.setVisibleGroup(QStringLiteral("all"));
    basic.putProfileData({&data});
    advanced.setRootProperty(basic.rootProp());
    QVERIFY(basic.findChild<QPushButton *>(QStringLiteral("switchAdvancedBtn")));
    QVERIFY(!advanced.findChild<QPushButton *>(QStringLiteral("switchAdvancedBtn")));

    // The basic editor shows the basic values only; switches are check boxes.
    QVERIFY(basic.editorFor(QStringLiteral("b")));
    QVERIFY(!basic.editorFor(QStringLiteral("title")));
    QVERIFY(!advanced.editorFor(QStringLiteral("ar,2")));
    QVERIFY(qobject_cast<QCheckBox *>(advanced.editorFor(QStringLiteral("an"))));
    QVERIFY(qobject_cast<QLineEdit *>(advanced.editorFor(QStringLiteral("title"))));

    // An edit in one editor shows in the other and is read back from both.
    auto *size = qobject_cast<QComboBox *>(advanced.editorFor(QStringLiteral("s")));
    QVERIFY(size && size->isEditable());
    size->lineEdit()->setText(QStringLiteral("720x576"));
    emit size->lineEdit()->editingFinished();
    QCOMPARE(qobject_cast<QComboBox *>(basic.editorFor(QStringLiteral("s")))->currentText(),
             QStringLiteral("720x576"));
    qobject_cast<QCheckBox *>(advanced.editorFor(QStringLiteral("an")))->setChecked(true);
    ZomProfileData fromBasic;
    basic.getProfileData(fromBasic, false);
    QCOMPARE(fromBasic.text(QStringLiteral("s")), QStringLiteral("720x576"));
    QCOMPARE(fromBasic.text(QStringLiteral("an")), QStringLiteral("true"));
    QVERIFY(!fromBasic.contains(QStringLiteral("b/")));
    ZomProfileData visible;
    basic.getProfileData(visible, true);
    QVERIFY(visible.contains(QStringLiteral("s")));
    QVERIFY(!visible.contains(QStringLiteral("title")));

    // A new profile in the basic editor leaves the advanced one on the old tree until it is
    // given the new one.
    ZomProfileData other = sampleProfile();
    other.setValue(QStringLiteral("s"), QStringLiteral("320x240"));
    basic.putProfileData({&other});
    QVERIFY(basic.rootProp() != advanced.rootProp());
    advanced.setRootProperty(basic.rootProp());
    QCOMPARE(qobject_cast<QComboBox *>(advanced.editorFor(QStringLiteral("s")))->currentText(),
             QStringLiteral("320x240"));

    // The bit-rate editors accept only numbers with an optional K.
    auto *rate = qobject_cast<QComboBox *>(basic.editorFor(QStringLiteral("b")));
    int at = 0;
    QString text = QStringLiteral("12ab");
    QCOMPARE(rate->validator()->validate(text, at), QValidator::Invalid);
    text = QStringLiteral("768k");
    QCOMPARE(rate->validator()->validate(text, at), QValidator::Acceptable);
}

void TestProfileWidgets::editsAreVerifiedAndCanBeRefused()
{
    ZomProfileData data = sampleProfile();
    ZoProfilePropertyWidget widget(nullptr, {}, true, false, true);
    widget.setVisibleGroup(QStringLiteral("all"));
    widget.putProfileData({&data});
    QStringList verified;
    bool refuse = true;
    connect(&widget, &ZoProfilePropertyWidget::asyncVerifyPropertyValue, this,
            [&](ZoProperty *property, const QString &key, bool &reject) {
                QCOMPARE(property->key(), key);
                verified.append(key + QLatin1Char('=') + property->value());
                reject = refuse;
            });
    auto *title = qobject_cast<QLineEdit *>(widget.editorFor(QStringLiteral("title")));
    title->setText(QStringLiteral("Trip"));
    emit title->editingFinished();
    QCOMPARE(verified, QStringList {"title=Trip"});
    QCOMPARE(widget.property(QStringLiteral("title"))->value(), QStringLiteral("Holiday"));
    QCOMPARE(title->text(), QStringLiteral("Holiday"));

    refuse = false;
    title->setText(QStringLiteral("Trip"));
    emit title->editingFinished();
    emit title->editingFinished(); // leaving the field after Return: no second edit
    QCOMPARE(verified, (QStringList {"title=Trip", "title=Trip"}));
    QCOMPARE(widget.property(QStringLiteral("title"))->value(), QStringLiteral("Trip"));

    // Not editable: the values show but cannot be changed.
    ZoProfilePropertyWidget readOnly(nullptr, {}, true, false, false);
    readOnly.setVisibleGroup(QStringLiteral("all"));
    readOnly.putProfileData({&data});
    QVERIFY(!readOnly.editorFor(QStringLiteral("title"))->isEnabled());
}

void TestProfileWidgets::volumeShowsInPerCent()
{
    ZomProfileData data = sampleProfile();
    ZoProfilePropertyWidget widget(nullptr, {}, true, false, true);
    widget.setVisibleGroup(QStringLiteral("all"));
    widget.putProfileData({&data});
    auto *spin = qobject_cast<QSpinBox *>(widget.editorFor(QStringLiteral("vol")));
    QVERIFY(spin);
    QCOMPARE(spin->value(), 100);
    QCOMPARE(spin->suffix(), QStringLiteral("%"));

    // The editor shows per cent and the profile keeps the encoder's units.
    spin->setValue(150);
    QCOMPARE(ZoProfilePropertyManager::propertyValue(widget.property(QStringLiteral("vol"))),
             QStringLiteral("384"));
    widget.setItemValue(QStringLiteral("vol"), QStringLiteral("50%"));
    QCOMPARE(widget.property(QStringLiteral("vol"))->value(), QStringLiteral("128"));
    QCOMPARE(spin->value(), 50);
    ZomProfileData back;
    widget.getProfileData(back);
    QCOMPARE(back.text(QStringLiteral("vol")), QStringLiteral("128"));
    // Text that is no percentage leaves the value alone.
    widget.setItemValue(QStringLiteral("vol"), QStringLiteral("loud%"));
    QCOMPARE(widget.property(QStringLiteral("vol"))->value(), QStringLiteral("128"));
}

void TestProfileWidgets::linkedValueFollows()
{
    ZomProfileData data = sampleProfile();
    ZoProfilePropertyWidget widget(nullptr, {}, true, false, true);
    widget.setVisibleGroup(QStringLiteral("all"));
    widget.putProfileData({&data});
    QSignalSpy linked(&widget, &ZoProfilePropertyWidget::asyncLinkedPropertyValue);
    auto *rate = qobject_cast<QComboBox *>(widget.editorFor(QStringLiteral("ar")));
    QVERIFY(rate && !rate->isEditable());
    const int index = rate->findText(QStringLiteral("48000"));
    QVERIFY(index >= 0);
    rate->setCurrentIndex(index);
    emit rate->textActivated(QStringLiteral("48000"));
    QCOMPARE(linked.size(), 1);
    QCOMPARE(linked.at(0).at(1).toString(), QStringLiteral("ar,2"));
    ZomProfileData back;
    widget.getProfileData(back);
    QCOMPARE(back.text(QStringLiteral("ar,2")), QStringLiteral("48000"));
}

void TestProfileWidgets::qualityChoiceSetsTheRate()
{
    ZomProfileData data = sampleProfile();
    ZoProfilePropertyWidget widget(nullptr, {}, false, true, true);
    widget.setVisibleGroup(QStringLiteral("simple"));
    widget.putProfileData({&data});

    widget.refreshItemProfileData(QStringLiteral("b/"), QStringLiteral("Normal Quality"), {&data});
    const QString normal = QStringLiteral("%1K").arg(ZoProfilePropertyManager::videoBitrateFor(
        QStringLiteral("Normal Quality"), QStringLiteral("640x480"), QStringLiteral("25fps")));
    QCOMPARE(widget.property(QStringLiteral("b"))->value(), normal);
    QCOMPARE(data.text(QStringLiteral("b")), normal);
    QCOMPARE(widget.property(QStringLiteral("b/"))->value(), QStringLiteral("Normal Quality"));

    // A rate stored elsewhere is read from the profile when the quality is refreshed.
    data.setValue(QStringLiteral("ab"), QStringLiteral("64K"));
    widget.refreshQualityItem(QStringLiteral("ab"), {&data});
    QCOMPARE(widget.property(QStringLiteral("ab/"))->value(), QStringLiteral("Low Quality"));

    // A bigger picture at the same rate is a lower quality.
    auto *size = qobject_cast<QComboBox *>(widget.editorFor(QStringLiteral("s")));
    size->lineEdit()->setText(QStringLiteral("1920x1080"));
    emit size->lineEdit()->editingFinished();
    QCOMPARE(widget.property(QStringLiteral("b/"))->value(), QStringLiteral("Low Quality"));
    widget.refreshQualityItem(QStringLiteral("b"), {&data});
    QCOMPARE(widget.property(QStringLiteral("b/"))->value(), QStringLiteral("Low Quality"));
    size->lineEdit()->setText(QStringLiteral("640x480"));
    emit size->lineEdit()->editingFinished();
    QCOMPARE(widget.property(QStringLiteral("b/"))->value(), QStringLiteral("Normal Quality"));

    // "Custom..." asks for the calculator and keeps the level shown.
    QSignalSpy calc(&widget, &ZoProfilePropertyWidget::asyncShowBitCalcDialog);
    auto *quality = qobject_cast<QComboBox *>(widget.editorFor(QStringLiteral("b/")));
    emit quality->textActivated(QStringLiteral("Custom..."));
    QCOMPARE(calc.size(), 1);
    QCOMPARE(calc.at(0).at(1).toString(), QStringLiteral("Normal Quality"));
    QCOMPARE(quality->currentText(), QStringLiteral("Normal Quality"));
    QCOMPARE(data.text(QStringLiteral("b")), normal);
}

void TestProfileWidgets::chooserFollowsTheModel()
{
    ZoProfileModel model(QStringLiteral("vc_profile_groupview"));
    model.refresh();
    ZoProfileComboBox chooser;
    auto *view = new ZoGroupItemView(nullptr, true);
    view->setParent(&chooser, view->windowFlags());
    chooser.setGroupView(view);
    connect(view, &ZoGroupItemView::itemChanged, &chooser,
            &ZoProfileComboBox::slotCurrentIndexChanged);
    chooser.setProfileModel(&model);
    QSignalSpy changed(&chooser, &ZoProfileComboBox::currentProfileChanged);

    QVERIFY(chooser.changeProfile(QStringLiteral("psp"), QStringLiteral("Legacy"), false));
    QCOMPARE(changed.size(), 1);
    QVERIFY(changed.at(0).at(0).toString().endsWith(QLatin1String("/psp.profile")));
    QCOMPARE(chooser.currentText(), QStringLiteral("PSP"));
    QVERIFY(chooser.changeProfile(QStringLiteral("psp"), QStringLiteral("Legacy"), true));
    QCOMPARE(changed.size(), 1);
    QVERIFY(!chooser.changeProfile(QStringLiteral("nosuch"), QStringLiteral("Devices"), false));

    // Picking the same profile from the recent group; the recent group is then rebuilt, and the
    // chooser must still show the profile.
    model.refreshRecentProfiles(QStringLiteral("psp"), QStringLiteral("Legacy"));
    const QStandardItem *recent
        = model.findProfileItem(QStringLiteral("psp"), ZoProfileModel::recentGroup());
    QVERIFY(recent);
    emit view->itemChanged(recent);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(1).at(1).toString(), ZoProfileModel::recentGroup());
    model.refreshRecentProfiles(QStringLiteral("psp"), ZoProfileModel::recentGroup());
    QCOMPARE(chooser.currentText(), QStringLiteral("PSP"));
    model.refresh();
    QCOMPARE(chooser.currentText(), QStringLiteral("PSP"));

    // Group rows only open and close.
    emit view->itemChanged(model.item(1));
    QCOMPARE(changed.size(), 2);
}

QTEST_MAIN(TestProfileWidgets)
#include "tst_profilewidgets.moc"
