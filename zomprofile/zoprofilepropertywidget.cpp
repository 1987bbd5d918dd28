// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zoprofilepropertywidget.h"

#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilepropertymanager.h"
#include "zomprofile/zoproperty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr double volumeUnitsPerPercent = 2.56;

// What each free-text kind accepts while typing; the output settings complete the units.
QValidator *validatorFor(ZoProperty::Kind kind, QObject *parent)
{
    QString pattern;
    switch (kind) {
    case ZoProperty::Kind::Bitrate:
        pattern = QStringLiteral("\\d{1,6}[kK]?");
        break;
    case ZoProperty::Kind::Size:
        pattern = QStringLiteral("\\d{1,5}[xX]\\d{1,5}");
        break;
    case ZoProperty::Kind::Rate:
        pattern = QStringLiteral("[aA][uU][tT][oO]|\\d{1,3}(\\.\\d{1,3})?([fF][pP][sS])?");
        break;
    case ZoProperty::Kind::Integer:
        pattern = QStringLiteral("-?\\d{1,9}");
        break;
    default:
        return nullptr;
    }
    return new QRegularExpressionValidator(QRegularExpression(pattern), parent);
}

QString trueOrFalse(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

bool isTrue(const QString &text)
{
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

} // namespace

ZoProfilePropertyWidget::ZoProfilePropertyWidget(QWidget *parent, Qt::WindowFlags flags,
                                                 bool advancedLayout, bool withSwitchButton,
                                                 bool isEditable)
    : QWidget(parent, flags)
    , advanced(advancedLayout)
    , editable(isEditable)
{
    // Receivers may queue the signals that carry a property.
    qRegisterMetaType<ZoProperty *>();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("propertyScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(scroll, 1);
    if (withSwitchButton) {
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        switchButton = new QPushButton(tr("More >>"), this);
        switchButton->setObjectName(QStringLiteral("switchAdvancedBtn"));
        switchButton->setCheckable(true);
        connect(switchButton, &QPushButton::clicked, this,
                &ZoProfilePropertyWidget::showFloatWindow);
        row->addWidget(switchButton);
        layout->addLayout(row);
    }
    rebuild();
}

ZoProfilePropertyWidget::~ZoProfilePropertyWidget() = default;

void ZoProfilePropertyWidget::setVisibleGroup(const QString &name, bool refresh)
{
    group = name;
    if (refresh)
        rebuild();
}

void ZoProfilePropertyWidget::setLang(const QString &name)
{
    language = name;
}

void ZoProfilePropertyWidget::putProfileData(const QList<ZomProfileData *> &list)
{
    setRootProperty(list.isEmpty() || !list.constFirst()
                        ? nullptr
                        : ZoProfilePropertyManager::buildTree(*list.constFirst()));
}

void ZoProfilePropertyWidget::getProfileData(ZomProfileData &data, bool visibleOnly) const
{
    if (!root)
        return;
    for (const ZoProperty *item : root->items()) {
        if (item->kind() == ZoProperty::Kind::Quality)
            continue;
        if (visibleOnly && !editors.contains(item->key()))
            continue;
        data.setValue(item->key(), item->value());
    }
}

void ZoProfilePropertyWidget::setRootProperty(const std::shared_ptr<ZoProperty> &property)
{
    if (root) {
        for (ZoProperty *item : root->items())
            disconnect(item, nullptr, this, nullptr);
    }
    root = property;
    if (root) {
        for (ZoProperty *item : root->items())
            connect(item, &ZoProperty::valueChanged, this, &ZoProfilePropertyWidget::showValue);
    }
    rebuild();
}

ZoProperty *ZoProfilePropertyWidget::property(const QString &key) const
{
    return root ? root->find(key) : nullptr;
}

void ZoProfilePropertyWidget::setItemValue(const QString &key, const QString &value)
{
    ZoProfilePropertyManager::setPropertyText(property(key), value);
}

void ZoProfilePropertyWidget::refreshItemProfileData(const QString &key, const QString &value,
                                                     const QList<ZomProfileData *> &list)
{
    QString targetKey = key;
    QString targetValue = value;
    if (key.endsWith(QLatin1Char('/'))) {
        // A quality level stands for a bit rate: set and store the rate it means.
        setItemValue(key, value);
        targetKey = key.chopped(1);
        const bool video = targetKey == QLatin1String("b");
        const ZomProfileData *data = list.isEmpty() ? nullptr : list.constFirst();
        const auto text = [&](const char *k) {
            const ZoProperty *p = property(QLatin1String(k));
            return p ? p->value() : data ? data->text(QLatin1String(k)) : QString();
        };
        const int kbps = video
            ? ZoProfilePropertyManager::videoBitrateFor(value, text("s"), text("r"))
            : ZoProfilePropertyManager::audioBitrateFor(value);
        if (kbps <= 0)
            return;
        targetValue = QStringLiteral("%1K").arg(kbps);
    }
    setItemValue(targetKey, targetValue);
    const ZoProperty *item = property(targetKey);
    const QString stored = item ? item->value() : targetValue;
    for (ZomProfileData *data : list) {
        if (data)
            data->setValue(targetKey, stored);
    }
    if (targetKey == QLatin1String("b") || targetKey == QLatin1String("ab"))
        refreshQualityItem(targetKey, list);
}

void ZoProfilePropertyWidget::refreshQualityItem(const QString &key,
                                                 const QList<ZomProfileData *> &list)
{
    const QString rateKey = key.endsWith(QLatin1Char('/')) ? key.chopped(1) : key;
    ZoProperty *quality = property(rateKey + QLatin1Char('/'));
    if (!quality)
        return;
    // The rate comes from the profile, the picture size and frame rate from the tree, which
    // holds their latest edits.
    const ZomProfileData *data = list.isEmpty() ? nullptr : list.constFirst();
    const auto text = [&](const QString &k) {
        const ZoProperty *p = property(k);
        if (data && data->contains(k) && (k == rateKey || !p))
            return data->text(k);
        return p ? p->value() : QString();
    };
    const int kbps = ZoProfilePropertyManager::kilobits(text(rateKey));
    quality->setValue(rateKey == QLatin1String("b") ? ZoProfilePropertyManager::videoQuality(
                          kbps, text(QStringLiteral("s")), text(QStringLiteral("r")))
                                                    : ZoProfilePropertyManager::audioQuality(kbps));
}

void ZoProfilePropertyWidget::rebuild()
{
    editors.clear();
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const bool all = group == QLatin1String("all");
    if (root) {
        for (ZoProperty *category : root->childProperties()) {
            const QList<ZoProperty *> items
                = category->isCategory() ? category->items() : QList<ZoProperty *> {category};
            bool headed = false;
            for (ZoProperty *item : items) {
                // "key,n" values follow "key" and have no row of their own.
                if ((!all && !item->isSimple()) || item->key().contains(QLatin1Char(',')))
                    continue;
                if (advanced && category->isCategory() && !headed) {
                    auto *heading = new QLabel(category->label(), page);
                    QFont font = heading->font();
                    font.setBold(true);
                    heading->setFont(font);
                    form->addRow(heading);
                    headed = true;
                }
                QWidget *editor = makeEditor(item);
                editor->setEnabled(editable);
                auto *label = new QLabel(tr("%1:", "a property's label").arg(item->label()), page);
                label->setBuddy(editor);
                form->addRow(label, editor);
                editors.insert(item->key(), editor);
                showValue(item);
            }
        }
    }
    scroll->setWidget(page);
    // The page never scrolls sideways: it must be seen whole, arrows of the choices included,
    // however long the labels are in the language shown.
    // Measured from the rows' own hints, as styled: the page's layout leaves out rows not yet
    // shown.
    page->ensurePolished();
    int labels = 0;
    int fields = 0;
    for (int row = 0; row < form->rowCount(); ++row) {
        if (QLayoutItem *label = form->itemAt(row, QFormLayout::LabelRole);
            label && label->widget()) {
            label->widget()->ensurePolished();
            labels = std::max(labels, label->widget()->sizeHint().width());
        }
        if (QLayoutItem *field = form->itemAt(row, QFormLayout::FieldRole);
            field && field->widget()) {
            field->widget()->ensurePolished();
            fields = std::max(fields, field->widget()->minimumSizeHint().width());
        }
    }
    const QMargins margins = form->contentsMargins();
    const int spacing = std::max(form->horizontalSpacing(), 6);
    scroll->setMinimumWidth(labels + spacing + fields + margins.left() + margins.right()
                            + scroll->verticalScrollBar()->sizeHint().width());
}

QWidget *ZoProfilePropertyWidget::makeEditor(ZoProperty *item)
{
    using Kind = ZoProperty::Kind;
    QWidget *editor = nullptr;
    switch (item->kind()) {
    case Kind::Switch: {
        auto *box = new QCheckBox;
        connect(box, &QCheckBox::toggled, this,
                [this, item](bool on) { commit(item, trueOrFalse(on)); });
        editor = box;
        break;
    }
    case Kind::Choice:
    case Kind::Quality: {
        auto *combo = new QComboBox;
        combo->addItems(item->choices());
        connect(combo, &QComboBox::textActivated, this,
                [this, item](const QString &text) { commit(item, text); });
        editor = combo;
        break;
    }
    case Kind::Bitrate:
    case Kind::Size:
    case Kind::Rate:
    case Kind::Integer: {
        auto *combo = new QComboBox;
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(item->choices());
        if (QValidator *validator = validatorFor(item->kind(), combo))
            combo->setValidator(validator);
        connect(combo, &QComboBox::textActivated, this,
                [this, item](const QString &text) { commit(item, text); });
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this,
                [this, item, combo] { commit(item, combo->currentText()); });
        editor = combo;
        break;
    }
    case Kind::Percent:
    case Kind::Seconds: {
        auto *spin = new QSpinBox;
        const bool percent = item->kind() == Kind::Percent;
        spin->setRange(0, percent ? 1000 : 3600);
        spin->setSuffix(percent ? QStringLiteral("%") : QStringLiteral("s"));
        spin->setKeyboardTracking(false);
        connect(spin, &QSpinBox::valueChanged, this, [this, item, percent](int value) {
            commit(item, QString::number(value) + (percent ? QLatin1Char('%') : QLatin1Char('s')));
        });
        editor = spin;
        break;
    }
    case Kind::Text:
    case Kind::Category: {
        auto *line = new QLineEdit;
        connect(line, &QLineEdit::editingFinished, this,
                [this, item, line] { commit(item, line->text()); });
        editor = line;
        break;
    }
    }
    editor->setObjectName(item->key());
    return editor;
}

void ZoProfilePropertyWidget::showValue(ZoProperty *item)
{
    QWidget *editor = editors.value(item->key());
    if (!editor)
        return;
    const QSignalBlocker blocker(editor);
    const QString value = item->value();
    if (auto *box = qobject_cast<QCheckBox *>(editor)) {
        box->setChecked(isTrue(value));
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        int index = combo->findText(value);
        if (index < 0 && !combo->isEditable() && !value.isEmpty()) {
            combo->insertItem(0, value);
            index = 0;
        }
        if (index >= 0)
            combo->setCurrentIndex(index);
        if (combo->isEditable()) {
            const QSignalBlocker lineBlocker(combo->lineEdit());
            combo->setEditText(value);
        }
    } else if (auto *spin = qobject_cast<QSpinBox *>(editor)) {
        const double number = value.toDouble();
        spin->setValue(item->kind() == ZoProperty::Kind::Percent
                           ? qRound(number / volumeUnitsPerPercent)
                           : qRound(number));
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(value);
    }
}

void ZoProfilePropertyWidget::commit(ZoProperty *item, const QString &text)
{
    const QString old = item->value();
    if (item->kind() == ZoProperty::Kind::Quality
        && text == ZoProfilePropertyManager::customQuality()) {
        showValue(item);
        emit asyncShowBitCalcDialog(item, old);
        return;
    }
    ZoProfilePropertyManager::setPropertyText(item, text);
    if (item->value() == old) {
        showValue(item);
        return;
    }
    if (item->kind() == ZoProperty::Kind::Quality)
        refreshItemProfileData(item->key(), item->value(), {});

    bool reject = false;
    emit asyncVerifyPropertyValue(item, item->key(), reject);
    if (reject) {
        item->setValue(old);
        return;
    }
    if (!root)
        return;
    if (item->key() == QLatin1String("s") || item->key() == QLatin1String("r"))
        refreshQualityItem(QStringLiteral("b"));
    const QString prefix = item->key() + QLatin1Char(',');
    for (ZoProperty *other : root->items()) {
        if (other->key().startsWith(prefix)) {
            other->setValue(item->value());
            emit asyncLinkedPropertyValue(item, other->key());
        }
    }
}
