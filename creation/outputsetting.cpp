// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/outputsetting.h"

#include "creation/outputfolder.h"
#include "creation/outputformat.h"
#include "creation/versionrun.h"
#include "ui_outputsetting.h"
#include "zofc/zolangitemmodel.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopref.h"
#include "zofc/zoutils.h"
#include "zofc/zowidgethelper.h"
#include "zomprofile/zogroupitemview.h"
#include "zomprofile/zombitratecalc.h"
#include "zomprofile/zoprofilecombobox.h"
#include "zomprofile/zoprofilefilehandler.h"
#include "zomprofile/zoprofilemanager.h"
#include "zomprofile/zoprofilemodel.h"
#include "zomprofile/zoprofilepropertymanager.h"
#include "zomprofile/zoprofilepropertywidget.h"
#include "zomprofile/zoprofiletexts.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int basicWidth = 440;
constexpr int dialogHeight = 560;
constexpr int advancedExtraWidth = 300;
constexpr int advancedFrameWidth = 290; // the form's minimum
constexpr int advancedWidth = 746; // the basic width and the advanced editor with its spacing
// A new user's first video: full HD, wide screen, H.264 in MP4.
constexpr const char *defaultProfile = "hd1080";

QString storedString(const char *key)
{
    return ZoPref::value(QLatin1String(key), QString()).toString();
}

} // namespace

OutputSetting::OutputSetting(QWidget *parent)
    : ZoDialog(parent)
    , ui(std::make_unique<Ui::OutputSettingClass>())
{
    ui->setupUi(this);
    widgetHelper()->setAllWindowTitle(tr("Output Settings"));

    const QString lang = ZoLangItemModel::currentLangName();
    manager = ZoProfileManager::instance(nullptr, true);
    manager->loadTemplates(ZoPref::appDir() + QStringLiteral("/profiles"));
    manager->setLang(lang);
    model = std::make_unique<ZoProfileModel>(QStringLiteral("vc_profile_groupview"));
    model->setIconDir(ZoPref::skinDir() + QStringLiteral("/app_") + ZoPref::appCode()
                      + QStringLiteral("/profile"));
    model->setRecentProfiles(
        storedString("recent_profiles").split(QLatin1Char('|'), Qt::SkipEmptyParts));
    model->setLang(lang);
    model->refresh();

    basicEditor
        = std::make_unique<ZoProfilePropertyWidget>(nullptr, Qt::WindowFlags(), false, true, true);
    basicEditor->setVisibleGroup(QStringLiteral("simple"));
    connect(basicEditor.get(), &ZoProfilePropertyWidget::showFloatWindow, this,
            &OutputSetting::showPropAdvance);
    connect(basicEditor.get(), &ZoProfilePropertyWidget::asyncShowBitCalcDialog, this,
            &OutputSetting::asyncShowBitCalcDialog, Qt::QueuedConnection);
    connect(basicEditor.get(), &ZoProfilePropertyWidget::asyncVerifyPropertyValue, this,
            &OutputSetting::asyncSetPropertyValue);
    connect(basicEditor.get(), &ZoProfilePropertyWidget::asyncLinkedPropertyValue, this,
            &OutputSetting::asyncLinkedPropertyValue);
    ui->frameBasic->layout()->addWidget(basicEditor.get());

    advancedEditor
        = std::make_unique<ZoProfilePropertyWidget>(nullptr, Qt::WindowFlags(), true, false, true);
    advancedEditor->setVisibleGroup(QStringLiteral("all"));
    connect(advancedEditor.get(), &ZoProfilePropertyWidget::asyncVerifyPropertyValue, this,
            &OutputSetting::asyncSetPropertyValue);
    connect(advancedEditor.get(), &ZoProfilePropertyWidget::asyncLinkedPropertyValue, this,
            &OutputSetting::asyncLinkedPropertyValue);
    ui->frameAdvance->layout()->addWidget(advancedEditor.get());
    basicEditor->setLang(lang);
    advancedEditor->setLang(lang);

    const bool advanced = ZoPref::value(QStringLiteral("AdvanceShow"), false).toBool();
    showPropAdvance(advanced);
    ZoPref::setValue(QStringLiteral("button_adv_show"), advanced);

    auto *view = new ZoGroupItemView(nullptr, true);
    view->setParent(ui->comboBoxProfile, view->windowFlags());
    view->setObjectName(QStringLiteral("vc_profile_groupview"));
    ui->comboBoxProfile->setGroupView(view);
    connect(view, &ZoGroupItemView::itemChanged, ui->comboBoxProfile,
            &ZoProfileComboBox::slotCurrentIndexChanged);
    ui->comboBoxProfile->setProfileModel(model.get());
    ui->comboBoxProfile->setMaxVisibleItems(16);
    ui->comboBoxProfile->setMaxViewHeight(400);
    ui->comboBoxProfile->setPopupDirection(QStringLiteral("down"));
    ui->comboBoxProfile->setLang(lang);
    connect(ui->comboBoxProfile, &ZoProfileComboBox::currentProfileChanged, this,
            &OutputSetting::slotCurrentProfileChange);

    fillShapes();
    fillVersions();
    const int shape = ui->comboBoxShape->findData(storedString("OutputShape"));
    ui->comboBoxShape->setCurrentIndex(std::max(0, shape));
    connect(ui->comboBoxShape, &QComboBox::currentIndexChanged, this, &OutputSetting::applyShape);

    ui->lineEditOutputPath->setText(outputFolderOrDefault(storedString("OutputPath")));
    const QString name = storedString("OutputName");
    // The name offered is in the user's language; a stored one is kept as it was typed.
    ui->lineEditFilename->setText(isOutputNameValid(name) ? name : tr("My Photo Movie"));

    QString url = storedString("last_profile_url");
    QString lastGroup = storedString("last_profile_group");
    if (ZoProfileFileHandler::normalizeProfileUrlAndGroup(model.get(), url, lastGroup,
                                                          QLatin1String(defaultProfile)))
        ui->comboBoxProfile->changeProfile(url, lastGroup, false);

    widgetHelper()->setDefaultSize(QSize(basicWidth, dialogHeight));
    setMinimumSize(basicWidth, dialogHeight);
    setMaximumHeight(dialogHeight);
    if (advanced)
        resize(advancedWidth, dialogHeight);
    fitWidth();
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &OutputSetting::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &OutputSetting::reject);
    ui->lineEditFilename->selectAll();
}

OutputSetting::~OutputSetting()
{
    // The editors' rows point into the shared tree; drop them before the tree goes.
    advancedEditor.reset();
    basicEditor.reset();
}

ZomProfileData OutputSetting::profileData() const
{
    // Start from the whole preset: the editors hold only the values they show, not the hidden
    // ones ("/ext_name", ...) that the creation needs.
    ZomProfileData data = profile;
    basicEditor->getProfileData(data, false);
    return data;
}

void OutputSetting::setEditedValues(const ZomProfileData &edited)
{
    if (edited.id().isEmpty() || zomProfileKey(edited.id()) != zomProfileKey(profile.id()))
        return;
    for (auto it = edited.values().cbegin(); it != edited.values().cend(); ++it)
        profile.setValue(it.key(), it.value());
    basicEditor->putProfileData({&profile});
    basicEditor->setVisibleGroup(basicEditor->visibleGroup());
    advancedEditor->setRootProperty(basicEditor->rootProp());
    advancedEditor->setVisibleGroup(advancedEditor->visibleGroup());
    // A kept size of another shape would otherwise show beside the shape chosen.
    if (ui->comboBoxShape->currentIndex() > 0)
        applyShape();
}

ZomProfileData OutputSetting::chosenProfile(const ZomProfileData &kept)
{
    ZoProfileManager *profiles = ZoProfileManager::instance(nullptr, true);
    if (profiles->profiles().isEmpty())
        profiles->loadTemplates(ZoPref::appDir() + QStringLiteral("/profiles"));
    QString url = storedString("last_profile_url");
    QString lastGroup = storedString("last_profile_group");
    if (!ZoProfileFileHandler::normalizeProfileUrlAndGroup(nullptr, url, lastGroup,
                                                           QLatin1String(defaultProfile)))
        return {};
    // As the dialog would open: the preset, the show's kept values, then the shape's size.
    ZomProfileData chosen;
    chosen.setId(url);
    profiles->getPresetData(chosen);
    const ZomProfileData preset = chosen;
    if (!kept.id().isEmpty() && zomProfileKey(kept.id()) == zomProfileKey(url)) {
        for (auto it = kept.values().cbegin(); it != kept.values().cend(); ++it)
            chosen.setValue(it.key(), it.value());
    }
    const FrameShape shape = parseFrameShape(storedString("OutputShape"));
    if (shape.isValid()) {
        ZomProfileData shaped = preset;
        applyFrameShape(shaped, shape);
        chosen.setValue(QStringLiteral("s"), shaped.text(QStringLiteral("s")));
    }
    return chosen;
}

QStringList OutputSetting::extraVersions() const
{
    QStringList ticked;
    for (const QCheckBox *box : ui->groupVersions->findChildren<QCheckBox *>()) {
        if (box->isChecked() && box->isEnabled())
            ticked.append(box->property("preset").toString());
    }
    // In list order, whatever order the boxes were made in.
    const QStringList order = sharePresets();
    std::sort(ticked.begin(), ticked.end(), [&order](const QString &a, const QString &b) {
        return order.indexOf(a) < order.indexOf(b);
    });
    return ticked;
}

void OutputSetting::fillVersions()
{
    const QStringList presets = sharePresets();
    auto *grid = static_cast<QGridLayout *>(ui->groupVersions->layout());
    const QStringList stored = storedString("OutputVersions").split(QLatin1Char('|'));
    constexpr int columns = 2;
    for (int i = 0; i < presets.size(); ++i) {
        const QString &id = presets.at(i);
        const QString objectName = QStringLiteral("version_") + id;
        auto *box = ui->groupVersions->findChild<QCheckBox *>(objectName);
        if (!box) {
            box = new QCheckBox(ui->groupVersions);
            box->setObjectName(objectName);
            box->setProperty("preset", id);
            box->setChecked(stored.contains(id));
            grid->addWidget(box, i / columns, i % columns);
        }
        box->setText(translatedProfileText(manager->profileName(id)));
    }
    ui->groupVersions->setVisible(!presets.isEmpty());
    updateVersionBoxes();
}

void OutputSetting::updateVersionBoxes()
{
    const QString chosen = zomProfileKey(profile.id());
    for (QCheckBox *box : ui->groupVersions->findChildren<QCheckBox *>())
        box->setEnabled(box->property("preset").toString() != chosen);
}

QString OutputSetting::outputName() const
{
    return ui->lineEditFilename->text();
}

void OutputSetting::retranslate()
{
    ui->retranslateUi(this);
    fillShapes();
    fillVersions();
    widgetHelper()->setAllWindowTitle(tr("Output Settings"));
    // Profile names, groups and property labels are worded as they are built: build them again,
    // keeping the chosen profile and its values.
    if (model)
        model->refresh();
    if (!basicEditor || !advancedEditor)
        return;
    ZomProfileData edited = profile;
    basicEditor->getProfileData(edited, false);
    basicEditor->putProfileData({&edited});
    basicEditor->setVisibleGroup(basicEditor->visibleGroup());
    advancedEditor->setRootProperty(basicEditor->rootProp());
    advancedEditor->setVisibleGroup(advancedEditor->visibleGroup());
    if (auto *button = basicEditor->findChild<QPushButton *>(QStringLiteral("switchAdvancedBtn")))
        button->setText(ui->frameAdvance->isVisible() ? tr("More <<") : tr("More >>"));
    // Again once every widget has taken the new language's texts.
    fitWidth();
    QMetaObject::invokeMethod(this, &OutputSetting::fitWidth, Qt::QueuedConnection);
}

QString OutputSetting::normalizedValue(const QString &key, const QString &value)
{
    if (key == QLatin1String("b") || key == QLatin1String("ab")) {
        if (value.endsWith(QLatin1Char('K')))
            return value;
        if (value.endsWith(QLatin1Char('k')))
            return value.chopped(1) + QLatin1Char('K');
        return QStringLiteral("%1K").arg(value);
    }
    if (key == QLatin1String("r")) {
        if (value.compare(QLatin1String("Auto"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Auto");
        if (value.endsWith(QLatin1String("fps")))
            return value;
        if (value.endsWith(QLatin1String("fps"), Qt::CaseInsensitive))
            return value.chopped(3) + QLatin1String("fps");
        return QStringLiteral("%1fps").arg(value);
    }
    if (key == QLatin1String("vol"))
        return QStringLiteral("%1%").arg(qRound(value.toDouble() / 2.56));
    if (key == QLatin1String("timedelay"))
        return QStringLiteral("%1s").arg(qRound(value.toDouble()));
    return value;
}

void OutputSetting::fillShapes()
{
    const QList<std::pair<QString, QString>> shapes {
        {tr("As in the profile"), QString()},
        {tr("16:9 (wide screen)"), QStringLiteral("16:9")},
        {tr("9:16 (phones)"), QStringLiteral("9:16")},
        {tr("1:1 (square)"), QStringLiteral("1:1")},
        {tr("4:5 (portrait)"), QStringLiteral("4:5")},
    };
    if (ui->comboBoxShape->count() == 0) {
        for (const auto &[text, shape] : shapes)
            ui->comboBoxShape->addItem(text, shape);
        return;
    }
    for (int i = 0; i < shapes.size(); ++i)
        ui->comboBoxShape->setItemText(i, shapes.at(i).first);
}

void OutputSetting::applyShape()
{
    // The preset, not the edited or kept values, sets the resolution: switching between shapes
    // never drifts, and "As in the profile" brings the preset's size back.
    const QString shape = ui->comboBoxShape->currentData().toString();
    ZomProfileData shaped = preset;
    applyFrameShape(shaped, parseFrameShape(shape));
    const QString size = shaped.text(QStringLiteral("s"));
    if (size.isEmpty())
        return;
    profile.setValue(QStringLiteral("s"), size);
    basicEditor->setItemValue(QStringLiteral("s"), size);
    advancedEditor->setItemValue(QStringLiteral("s"), size);
}

void OutputSetting::showPropAdvance(bool show)
{
    ui->frameAdvance->setVisible(show);
    if (auto *button = basicEditor->findChild<QPushButton *>(QStringLiteral("switchAdvancedBtn"))) {
        button->setText(show ? tr("More <<") : tr("More >>"));
        button->setChecked(show);
    }
    setMinimumWidth(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    if (show)
        resize(width() + advancedExtraWidth, height());
    else
        resize(basicWidth, dialogHeight);
    fitWidth();
    ZoPref::setValue(QStringLiteral("AdvanceShow"), show);
}

void OutputSetting::fitWidth()
{
    // The design's widths, or wider where the texts of the language shown need it.
    const int wanted = ui->frameAdvance->isHidden() ? basicWidth : advancedWidth;
    setMinimumWidth(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    // The frames' layouts learn of their editors' new widths only from posted requests.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // The form's minimum width of the advanced frame would hide its editor's own.
    if (QLayout *advanced = ui->frameAdvance->layout())
        ui->frameAdvance->setMinimumWidth(
            std::max(advancedFrameWidth, advanced->totalMinimumSize().width()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (layout())
        layout()->activate();
    setFixedWidth(std::max(wanted, minimumSizeHint().width()));
}

void OutputSetting::slotCurrentProfileChange(const QString &url, const QString &newGroup)
{
    model->refreshRecentProfiles(url, newGroup);
    profile.clear();
    group = newGroup;
    profile.setId(url);
    manager->getPresetData(profile);
    preset = profile;
    updateVersionBoxes();

    basicEditor->putProfileData({&profile});
    basicEditor->setVisibleGroup(basicEditor->visibleGroup());
    advancedEditor->setRootProperty(basicEditor->rootProp());
    advancedEditor->setVisibleGroup(advancedEditor->visibleGroup());
    // A chosen shape holds for every profile.
    if (ui->comboBoxShape->currentIndex() > 0)
        applyShape();
}

void OutputSetting::asyncSetPropertyValue(ZoProperty *property, const QString &key, bool &reject)
{
    reject = false;
    const QString value = normalizedValue(key, ZoProfilePropertyManager::propertyValue(property));
    const bool bitrate = key == QLatin1String("b") || key == QLatin1String("ab")
        || key == QLatin1String("b/") || key == QLatin1String("ab/");
    if (bitrate) {
        basicEditor->refreshItemProfileData(key, value, {&profile});
        advancedEditor->refreshQualityItem(key, {&profile});
        return;
    }
    basicEditor->setItemValue(key, value);
    advancedEditor->setItemValue(key, value);
}

void OutputSetting::asyncLinkedPropertyValue(ZoProperty *property, const QString &key)
{
    const QString value = ZoProfilePropertyManager::propertyValue(property);
    basicEditor->setItemValue(key, value);
    advancedEditor->setItemValue(key, value);
}

void OutputSetting::asyncShowBitCalcDialog(ZoProperty *property, const QString &text)
{
    Q_UNUSED(property)
    const int audio = profile.text(QStringLiteral("ab")).chopped(1).toInt();
    const int video = profile.text(QStringLiteral("b")).chopped(1).toInt();
    ZomBitrateCalc calc(this, 10000, (video + audio) * 10.0 / 8192.0, audio, video);

    const QString rate = profile.text(QStringLiteral("b"));
    basicEditor->setItemValue(QStringLiteral("b"), rate);
    basicEditor->setItemValue(QStringLiteral("b/"), text);
    advancedEditor->setItemValue(QStringLiteral("b"), rate);
    advancedEditor->setItemValue(QStringLiteral("b/"), text);

    if (calc.exec() != QDialog::Accepted)
        return;
    basicEditor->refreshItemProfileData(
        QStringLiteral("b"), QStringLiteral("%1K").arg(calc.videoBitrateInKBPS()), {&profile});
    basicEditor->refreshQualityItem(QStringLiteral("b"), {&profile});
    advancedEditor->refreshItemProfileData(
        QStringLiteral("ab"), QStringLiteral("%1K").arg(calc.audioBitrateInKBPS()), {&profile});
    advancedEditor->refreshQualityItem(QStringLiteral("ab"), {&profile});
}

void OutputSetting::on_browser_clicked()
{
    const QString chosen = browseForOutputFolder(this, ui->lineEditOutputPath->text());
    if (!chosen.isEmpty())
        ui->lineEditOutputPath->setText(chosen);
}

void OutputSetting::accept()
{
    const QString folder = QDir::fromNativeSeparators(ui->lineEditOutputPath->text());
    const QString name = ui->lineEditFilename->text();
    makeMoviesFolderIfOffered(folder);
    if (!Zo::isFolderNameValid(folder, true)) {
        ZoMessageBox::alert(tr("The output folder is unavailable. Please choose another one."),
                            QString(), this, true);
        return;
    }
    if (!Zo::isFolderWritable(folder)) {
        ZoMessageBox::alert(tr("The output folder is read-only, please select other folder."),
                            QString(), this, true);
        return;
    }
    if (!isOutputNameValid(name)) {
        ZoMessageBox::alert(
            tr("Output file name is not usable, please change to another file name."), QString(),
            this, true);
        return;
    }
    storeFolderAndName(false);
    // Only OK keeps the profile and the shape: Cancel leaves the next opening as this one was.
    ZoPref::setValue(QStringLiteral("last_profile_url"),
                     QFileInfo(profile.id()).fileName().section(QLatin1Char('.'), 0, 0));
    ZoPref::setValue(QStringLiteral("last_profile_group"), group);
    ZoPref::setValue(QStringLiteral("OutputShape"), ui->comboBoxShape->currentData().toString());
    ZoPref::setValue(QStringLiteral("OutputVersions"), extraVersions().join(QLatin1Char('|')));
    ZoPref::setValue(QStringLiteral("recent_profiles"),
                     model->getRecentProfiles().join(QLatin1Char('|')));
    ZoDialog::accept();
}

void OutputSetting::reject()
{
    storeFolderAndName(true);
    ZoDialog::reject();
}

void OutputSetting::storeFolderAndName(bool onlyUsable)
{
    const QString folder = ui->lineEditOutputPath->text();
    const QString path = QDir::fromNativeSeparators(folder);
    const QString name = ui->lineEditFilename->text();
    if (!onlyUsable || (Zo::isFolderNameValid(path, true) && Zo::isFolderWritable(path)))
        ZoPref::setValue(QStringLiteral("OutputPath"), folder);
    if (!onlyUsable || isOutputNameValid(name))
        ZoPref::setValue(QStringLiteral("OutputName"), name);
}

void OutputSetting::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QWidget *focus = focusWidget();
        // Return ends typing in a field (the property editors' spin boxes too); it takes a
        // second Return on OK to accept.
        if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QComboBox *>(focus)
            || qobject_cast<QAbstractSpinBox *>(focus)) {
            ui->buttonBox->button(QDialogButtonBox::Ok)->setFocus(Qt::TabFocusReason);
            event->accept();
            return;
        }
    }
    ZoDialog::keyPressEvent(event);
}
