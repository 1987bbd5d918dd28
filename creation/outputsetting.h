// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zofc/zodialog.h"
#include "zomprofile/zomprofiledata.h"

#include <memory>

class ZoProfileManager;
class ZoProfileModel;
class ZoProfilePropertyWidget;
class ZoProperty;
namespace Ui {
class OutputSettingClass;
}

// The dialog before every video creation: the output profile with its values, the output folder
// and the file name. Remembers the last profile, the recent profiles, the folder, the name and
// whether the advanced editor was open.
class OutputSetting : public ZoDialog
{
    Q_OBJECT

public:
    explicit OutputSetting(QWidget *parent = nullptr);
    ~OutputSetting() override;

    // The chosen profile with the values as edited.
    ZomProfileData profileData() const;
    // Shows the values a show keeps for its profile, when that profile is the one chosen; values
    // of another profile are left alone.
    void setEditedValues(const ZomProfileData &edited);
    QString outputName() const;
    // The share presets ticked to be made besides the chosen profile, in list order.
    QStringList extraVersions() const;
    // The profile the dialog would open with, without opening it: the stored choice of profile
    // and shape, with the show's kept values; empty when there are no profiles.
    static ZomProfileData chosenProfile(const ZomProfileData &kept);

    void retranslate() override;

    // An edited value as the encoder reads it: bit rates end in "K", frame rates in "fps" (or are
    // "Auto"), the volume shows in per cent (256 is 100%) and a delay in seconds.
    static QString normalizedValue(const QString &key, const QString &value);

public slots:
    void showPropAdvance(bool show);
    void slotCurrentProfileChange(const QString &url, const QString &group);
    void asyncSetPropertyValue(ZoProperty *property, const QString &key, bool &reject);
    void asyncLinkedPropertyValue(ZoProperty *property, const QString &key);
    void asyncShowBitCalcDialog(ZoProperty *property, const QString &text);
    void on_browser_clicked();
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void storeFolderAndName(bool onlyUsable);
    void fitWidth();
    void fillShapes();
    void fillVersions();
    // The chosen profile is made anyway: its own box is not offered.
    void updateVersionBoxes();
    // Puts the frame size of the chosen shape, at the preset's resolution, into the editors.
    void applyShape();

    std::unique_ptr<Ui::OutputSettingClass> ui;
    std::unique_ptr<ZoProfileModel> model;
    ZoProfileManager *manager = nullptr;
    ZomProfileData profile;
    // The chosen profile's values as its file gives them.
    ZomProfileData preset;
    QString group;
    std::unique_ptr<ZoProfilePropertyWidget> basicEditor;
    std::unique_ptr<ZoProfilePropertyWidget> advancedEditor;
};
