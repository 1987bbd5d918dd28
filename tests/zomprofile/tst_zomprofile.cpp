// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zombitratecalculator.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilefilehandler.h"
#include "zomprofile/zoprofilemanager.h"
#include "zomprofile/zoprofilemodel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Profile templates, the chooser's model and the bit-rate arithmetic.
class TestZomProfile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loadsTemplatesAndSkipsBrokenOnes();
    void presetDataAndTags();
    void modelGroupsAndRecent();
    void normalizeUrlAndGroup();
    void bitrateArithmetic();

private:
    void write(const QString &file, const QByteArray &text);

    QTemporaryDir dir;
    ZoProfileManager *manager = nullptr;
};

void TestZomProfile::write(const QString &file, const QByteArray &text)
{
    QFile f(dir.filePath(file));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

void TestZomProfile::initTestCase()
{
    QVERIFY(dir.isValid());
    write("beta.profile",
          "# comment\n[template]\ngroup = Web\ntype = device\norder = 2\n"
          "ext_format = asf\n\n[values]\n/ext_name = wmv\n/name = Beta\n"
          "vcodec = wmv3x\nb = 768K\nan = false\nflag_dn = true\n"
          "title = A = B\n[choices]\nvcodec = wmv3x|wmv2x\n");
    write("alpha.profile",
          "[template]\ngroup = General\ntype = 1\norder = 1\n[values]\n"
          "/ext_name = mp4\n/name = Alpha\n/full_name = Alpha Video\n");
    write("gamma.profile",
          "[template]\ngroup = Web\norder = 3\n[values]\n/ext_name = webm\n"
          "/name = Gamma\n");
    write("noext.profile", "[template]\ngroup = Web\n[values]\n/name = No extension\n");
    write("badsection.profile", "[extras]\n/ext_name = mp4\n");
    write("badline.profile", "[values]\n/ext_name = mp4\njust words\n");
    write("notes.txt", "[values]\n/ext_name = mp4\n");
    manager = ZoProfileManager::instance();
    QCOMPARE(ZoProfileManager::instance(nullptr, false), manager);
}

void TestZomProfile::loadsTemplatesAndSkipsBrokenOnes()
{
    QVERIFY(manager->loadTemplates(dir.path()));
    QCOMPARE(manager->profiles(), QStringList({"alpha", "beta", "gamma"}));
    QCOMPARE(manager->groups(), QStringList({"General", "Web"}));
    QCOMPARE(manager->profilesInGroup("Web"), QStringList({"beta", "gamma"}));
    QCOMPARE(manager->profileUrl("beta"), dir.filePath("beta.profile"));

    QTemporaryDir empty;
    QVERIFY(!manager->loadTemplates(empty.path()));
    QVERIFY(manager->profiles().isEmpty());
    QVERIFY(manager->loadTemplates(dir.path()));
}

void TestZomProfile::presetDataAndTags()
{
    // The identifier may be the url or the base name.
    ZomProfileData data(dir.filePath("beta.profile"));
    data.setValue("b", "100K");
    data.setValue("kept", "yes");
    QVERIFY(manager->getPresetData(data));
    QCOMPARE(data.text("b"), QStringLiteral("768K"));
    QCOMPARE(data.text("kept"), QStringLiteral("yes"));
    QCOMPARE(data.text("title"), QStringLiteral("A = B"));
    QCOMPARE(data.values().keys(),
             QStringList({"/ext_name", "/name", "an", "b", "flag_dn", "kept", "title", "vcodec"}));
    QVERIFY(!data.isTrue("an"));
    QVERIFY(data.isTrue("flag_dn"));

    ZomProfileData unknown(QStringLiteral("nothing"));
    QVERIFY(!manager->getPresetData(unknown));
    QVERIFY(unknown.isEmpty());

    QCOMPARE(manager->templateTagValue("beta", "ext_format"), QStringLiteral("asf"));
    QCOMPARE(manager->templateTagValue("alpha", "ext_format"), QString());
    QCOMPARE(manager->profileType(dir.filePath("beta.profile")), int(ZOM_PROFILE_TYPE_DEVICE));
    QCOMPARE(manager->profileType("alpha"), int(ZOM_PROFILE_TYPE_VIDEO));
    QCOMPARE(manager->profileType("gamma"), int(ZOM_PROFILE_TYPE_UNKNOWN));
    QCOMPARE(manager->profileType("nothing"), int(ZOM_PROFILE_TYPE_UNKNOWN));
    QCOMPARE(manager->profileName("alpha"), QStringLiteral("Alpha"));
    QCOMPARE(manager->profileFullName("alpha"), QStringLiteral("Alpha Video"));
    QCOMPARE(manager->itemChoices("beta", "vcodec"), QStringList({"wmv3x", "wmv2x"}));
    QCOMPARE(manager->itemChoices("alpha", "ac"), QStringList({"1", "2"}));
    QCOMPARE(manager->profileItemType("flag_anything"), QStringLiteral("bool"));
    QCOMPARE(manager->profileItemType("unheard_of"), QStringLiteral("text"));
}

void TestZomProfile::modelGroupsAndRecent()
{
    ZoProfileModel model("vc_profile_groupview");
    QCOMPARE(model.objectName(), QStringLiteral("vc_profile_groupview"));
    model.setRecentProfiles({"gamma", "", "missing", "gamma", "alpha"});
    model.refresh();
    QCOMPARE(model.rowCount(), 3);
    QStandardItem *recent = model.item(0);
    QCOMPARE(recent->data(ZoProfileModel::GroupRole).toString(), ZoProfileModel::recentGroup());
    // Unknown identifiers stay in the list but get no row.
    QCOMPARE(model.getRecentProfiles(), QStringList({"gamma", "missing", "alpha"}));
    QCOMPARE(recent->rowCount(), 2);
    QCOMPARE(recent->child(0)->data(ZoProfileModel::IdRole).toString(), QStringLiteral("gamma"));

    QStandardItem *web = model.item(2);
    QCOMPARE(web->text(), QStringLiteral("Web"));
    QCOMPARE(web->rowCount(), 2);
    QCOMPARE(web->child(0)->text(), QStringLiteral("Beta"));
    QCOMPARE(web->child(0)->data(ZoProfileModel::UrlRole).toString(), dir.filePath("beta.profile"));
    QVERIFY(model.findProfileItem(dir.filePath("gamma.profile"), "Web"));
    QVERIFY(!model.findProfileItem("gamma", "General"));

    model.refreshRecentProfiles(dir.filePath("alpha.profile"), "General");
    QCOMPARE(model.getRecentProfiles(), QStringList({"alpha", "gamma", "missing"}));
    model.refreshRecentProfiles("unknown", "General");
    QCOMPARE(model.getRecentProfiles(), QStringList({"alpha", "gamma", "missing"}));
    for (const char *id : {"beta", "gamma", "alpha", "beta"})
        model.refreshRecentProfiles(QLatin1String(id), QString());
    model.setRecentProfiles(model.getRecentProfiles() + QStringList({"x1", "x2", "x3"}));
    QCOMPARE(model.getRecentProfiles().size(), ZoProfileModel::MaxRecent);
    QCOMPARE(model.getRecentProfiles().mid(0, 3), QStringList({"beta", "alpha", "gamma"}));
    QCOMPARE(model.item(0)->rowCount(), 3);
}

void TestZomProfile::normalizeUrlAndGroup()
{
    ZoProfileModel model("m");
    model.setRecentProfiles({"gamma"});
    model.refresh();
    const auto normalize = [&](QString url, QString group, const QString &fallback) {
        const bool ok
            = ZoProfileFileHandler::normalizeProfileUrlAndGroup(&model, url, group, fallback);
        return ok ? QStringList({url, group}) : QStringList();
    };
    QCOMPARE(normalize("gamma", "Web", "alpha"),
             QStringList({dir.filePath("gamma.profile"), "Web"}));
    QCOMPARE(normalize("gamma", ZoProfileModel::recentGroup(), "alpha"),
             QStringList({dir.filePath("gamma.profile"), ZoProfileModel::recentGroup()}));
    QCOMPARE(normalize("gamma", "General", "alpha"),
             QStringList({dir.filePath("gamma.profile"), "Web"}));
    QCOMPARE(normalize("", "", "alpha"), QStringList({dir.filePath("alpha.profile"), "General"}));
    QCOMPARE(normalize("/old/place/beta.profile", "", "alpha"),
             QStringList({dir.filePath("beta.profile"), "Web"}));
    QCOMPARE(normalize("gone", "Web", "gone too"),
             QStringList({dir.filePath("alpha.profile"), "General"}));

    QTemporaryDir empty;
    manager->loadTemplates(empty.path());
    QCOMPARE(normalize("alpha", "General", "alpha"), QStringList());
    QVERIFY(manager->loadTemplates(dir.path()));
}

void TestZomProfile::bitrateArithmetic()
{
    // The calculator opens on a 10 s clip at the profile's rates.
    const double size = ZomBitrateCalculator::sizeFor(10000, 128, 768);
    QCOMPARE(size, (768 + 128) * 10 / 8192.0);
    ZomBitrateCalculator calc(10000, size, 128, 768);
    calc.setSize(size);
    QCOMPARE(calc.videoBitrateInKBPS(), 768);
    calc.setSize(2.0); // 2 MB over 10 s: 1638.4 kbit/s in all
    QCOMPARE(calc.videoBitrateInKBPS(), 1638 - 128);
    calc.setAudioBitrate(192);
    QCOMPARE(calc.sizeInMB(), 2.0);
    QCOMPARE(calc.videoBitrateInKBPS(), 1638 - 192);
    calc.setVideoBitrate(1000);
    QCOMPARE(calc.sizeInMB(), (1000 + 192) * 10 / 8192.0);
    calc.setDuration(20000);
    QCOMPARE(calc.sizeInMB(), (1000 + 192) * 20 / 8192.0);
    QCOMPARE(calc.videoBitrateInKBPS(), 1000);
    // The audio alone over the size, or no duration: no room for video.
    calc.setAudioBitrate(100000);
    QCOMPARE(calc.videoBitrateInKBPS(), 0);
    QCOMPARE(ZomBitrateCalculator::videoRateFor(0, 2.0, 128), 0);
    QCOMPARE(ZomBitrateCalculator::videoRateFor(10000, -1.0, 128), 0);
}

QTEST_GUILESS_MAIN(TestZomProfile)
#include "tst_zomprofile.moc"
