// SPDX-License-Identifier: GPL-3.0-or-later
// The interface in German and French: every text shown by the main window and the dialogs
// changes with the language at run time and comes back when English is chosen again; a first
// start follows the system's language when there is a catalogue for it.
#include "app/vellumix.h"
#include "creation/compileprogress.h"
#include "creation/outputsetting.h"
#include "creation/preferences.h"
#include "media/adjustaudioorder.h"
#include "media/importprogress.h"
#include "media/mediainfowidget.h"
#include "tests/support/testsupport.h"
#include "zofc/zoapplication.h"
#include "zofc/zolangitemmodel.h"
#include "zofc/zopref.h"
#include "zomprofile/zoprofilemanager.h"
#include "zomprofile/zoprofilemodel.h"
#include "zomprofile/zoprofiletexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// The texts a user can read, each keyed by the object showing it and what it is there.
// Keyed by a path of object names (class and place among its siblings where a name is missing),
// so that parts rebuilt on a language change are compared with their earlier selves.
using Texts = QMap<QPair<QString, QString>, QString>;

QString pathOf(const QObject *object)
{
    QString path;
    for (const QObject *o = object; o; o = o->parent()) {
        QString step = o->objectName();
        if (step.isEmpty()) {
            step = QString::fromLatin1(o->metaObject()->className());
            if (o->parent()) {
                int place = 0;
                for (const QObject *sibling : o->parent()->children()) {
                    if (sibling == o)
                        break;
                    if (sibling->metaObject() == o->metaObject())
                        ++place;
                }
                step += QStringLiteral("#%1").arg(place);
            }
        }
        path.prepend(QLatin1Char('/') + step);
    }
    return path;
}

// Switches as the language menu does; the windows re-apply their texts from the events that
// the switch posts.
void switchTo(const QString &language)
{
    ZoApplication::instance()->setLanguage(language);
    QCoreApplication::sendPostedEvents();
}

void add(Texts &texts, const QObject *object, const QString &kind, const QString &text)
{
    if (!text.isEmpty())
        texts.insert({pathOf(object), kind}, text);
}

Texts textsOf(QWidget *root)
{
    Texts texts;
    add(texts, root, QStringLiteral("title"), root->windowTitle());
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : widgets) {
        add(texts, widget, QStringLiteral("toolTip"), widget->toolTip());
        if (auto *label = qobject_cast<QLabel *>(widget))
            add(texts, widget, QStringLiteral("text"), label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(texts, widget, QStringLiteral("text"), button->text());
        if (auto *box = qobject_cast<QGroupBox *>(widget))
            add(texts, widget, QStringLiteral("title"), box->title());
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            add(texts, widget, QStringLiteral("placeholder"), edit->placeholderText());
        if (auto *menu = qobject_cast<QMenu *>(widget))
            add(texts, widget, QStringLiteral("title"), menu->title());
        if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(texts, widget, QStringLiteral("tab%1").arg(i), tabs->tabText(i));
        }
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(texts, widget, QStringLiteral("item%1").arg(i), combo->itemText(i));
        }
        if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->model()) {
            for (int i = 0; i < view->model()->columnCount(); ++i)
                add(texts, widget, QStringLiteral("header%1").arg(i),
                    view->model()->headerData(i, Qt::Horizontal).toString());
        }
    }
    for (const QAction *action : root->findChildren<QAction *>()) {
        // Languages are named in themselves.
        if (action->parent() && action->parent()->objectName() == QLatin1String("zoLanguageMenu"))
            continue;
        add(texts, action, QStringLiteral("text"), action->text());
        add(texts, action, QStringLiteral("toolTip"), action->toolTip());
    }
    return texts;
}

// Texts that need no translation: numbers, signs, file names, the product name, and technical
// values such as "aac", "25fps", "MP4 MPEG-4" (no word of plain English in them).
bool languageFree(const QString &text)
{
    static const QRegularExpression plainWord(
        QStringLiteral("(^|\\s)[A-Z]?[a-z]{2,}(\\s|$|[.:!?])"));
    if (!plainWord.match(text).hasMatch()
        || (text.split(QLatin1Char(' ')).size() == 1 && text == text.toLower()))
        return true;
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression fileName(QStringLiteral("^[\\w .-]+\\.\\w{2,4}$"));
    return !letters.match(text).hasMatch() || fileName.match(text).hasMatch()
        || text == ZoPref::product_name() || text.startsWith(QLatin1Char('/'));
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void languageMenuNamesEachLanguageInItself();
    void everyTextFollowsTheLanguage_data();
    void everyTextFollowsTheLanguage();
    void profileGroupsAndNamesFollowTheLanguage();
    void englishComesBack();
    void firstStartFollowsTheSystem_data();
    void firstStartFollowsTheSystem();

private:
    QList<QWidget *> windows() const;
    Texts allTexts() const;
    QStringList clippedTexts() const;

    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<Vellumix> window;
    std::vector<std::unique_ptr<QWidget>> dialogs;
    Texts english;
};

void TestTranslations::initTestCase()
{
    settings = std::make_unique<TempSettings>();
    // Sizes as the program shows them: its style sheet gives the buttons their padding and the
    // transport buttons their icons.
    ZoApplication::instance()->applySkin();
    switchTo(QStringLiteral("en_US"));
    window = std::make_unique<Vellumix>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // Each dialog as it is open while the language changes.
    dialogs.push_back(std::make_unique<Preferences>(nullptr, 4));
    dialogs.push_back(std::make_unique<OutputSetting>());
    // Also with the advanced editor open, the widest the dialog gets.
    ZoPref::setValue(QStringLiteral("AdvanceShow"), true);
    dialogs.push_back(std::make_unique<OutputSetting>());
    dialogs.push_back(std::make_unique<AdjustAudioOrder>(QList<AudioInfo> {}));
    dialogs.push_back(std::make_unique<ImportProgress>(true, nullptr));
    dialogs.push_back(std::make_unique<CompileProgress>());
    dialogs.push_back(std::make_unique<MediaInfoWidget>());
    for (const auto &dialog : dialogs)
        dialog->show();
    // As the windows stand after any switch.
    switchTo(QStringLiteral("en_US"));
    english = allTexts();
    QVERIFY(english.size() > 150);
}

void TestTranslations::cleanupTestCase()
{
    dialogs.clear();
    window.reset();
    settings.reset();
}

QList<QWidget *> TestTranslations::windows() const
{
    QList<QWidget *> list {window.get()};
    for (const auto &dialog : dialogs)
        list.append(dialog.get());
    return list;
}

QStringList TestTranslations::clippedTexts() const
{
    // Laid out again for the new texts.
    QTest::qWait(100);
    QStringList clipped;
    for (QWidget *widget : windows())
        clipped += ::clippedTexts(widget);
    return clipped;
}

Texts TestTranslations::allTexts() const
{
    Texts texts;
    for (QWidget *widget : windows())
        texts.insert(textsOf(widget));
    return texts;
}

void TestTranslations::languageMenuNamesEachLanguageInItself()
{
    QStringList names;
    const ZoLangItemModel *model = ZoApplication::instance()->langModel();
    for (int row = 0; row < model->rowCount(); ++row)
        names.append(model->item(row)->text());
    QCOMPARE(names,
             (QStringList {QStringLiteral("English"), QStringLiteral("Deutsch"),
                           QStringLiteral("Français")}));
    auto *menu = window->findChild<QMenu *>(QStringLiteral("zoLanguageMenu"));
    QVERIFY(menu);
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries.append(action->text());
    QCOMPARE(entries, names);
}

void TestTranslations::everyTextFollowsTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    // Words spelt the same in both languages, the only English texts allowed to stay.
    QTest::addColumn<QStringList>("sameWords");
    QTest::newRow("German") << QStringLiteral("de_DE")
                            << QStringList {"Pause", "Audio",     "ms",       "OK",
                                            "Album", "Format:",   "Name",     "Genre",
                                            "Video", "Software:", "B-Frames", "4K Ultra HD"};
    QTest::newRow("French") << QStringLiteral("fr_FR")
                            << QStringList {"Pause",  "Volume", "Transition", "Album",   "Type",
                                            "Date",   "Genre",  "Audio",      "Options", "Actions",
                                            "Passes", "Photo",  "4K Ultra HD"};
}

void TestTranslations::everyTextFollowsTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, sameWords);
    switchTo(language);
    QCOMPARE(ZoLangItemModel::currentLangName(), language);
    const Texts now = allTexts();
    QStringList untranslated;
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        const QString before = it.value();
        QString plain = before;
        plain.remove(QLatin1Char('&'));
        if (languageFree(before) || sameWords.contains(plain))
            continue;
        if (now.value(it.key()) == before)
            untranslated.append(
                QStringLiteral("%1 of %2: \"%3\"").arg(it.key().second, it.key().first, before));
    }
    untranslated.removeDuplicates();
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));

    const QStringList clipped = clippedTexts();
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

// The templates' own names are read from their files; the chooser shows them translated, so a
// template added with a new group or name needs it in the catalogues too.
void TestTranslations::profileGroupsAndNamesFollowTheLanguage()
{
    ZoProfileManager *manager = ZoProfileManager::instance();
    QVERIFY(manager->loadTemplates(testAppDir() + QStringLiteral("/profiles")));
    switchTo(QStringLiteral("de_DE"));
    ZoProfileModel model(QStringLiteral("translations"));
    model.refresh();
    static const QRegularExpression words(QStringLiteral("[a-z]{3,}"));
    QStringList untranslated;
    int groups = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QStandardItem *group = model.item(row);
        const QString english = group->data(ZoProfileModel::GroupRole).toString();
        if (manager->groups().contains(english)) {
            ++groups;
            if (group->text() == english)
                untranslated.append(english);
        }
        for (int child = 0; child < group->rowCount(); ++child) {
            const QString id = group->child(child)->data(ZoProfileModel::IdRole).toString();
            const QString name = manager->profileName(id);
            const QString fullName = manager->profileFullName(id);
            if (profileTemplateTexts().contains(name) && group->child(child)->text() == name)
                untranslated.append(name);
            if (words.match(fullName).hasMatch() && group->child(child)->toolTip() == fullName)
                untranslated.append(fullName);
        }
    }
    QCOMPARE(groups, manager->groups().size());
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
}

void TestTranslations::englishComesBack()
{
    switchTo(QStringLiteral("en_US"));
    const Texts now = allTexts();
    QStringList changed;
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        if (now.value(it.key()) != it.value())
            changed.append(
                QStringLiteral("%1 of %2: \"%3\" is now \"%4\"")
                    .arg(it.key().second, it.key().first, it.value(), now.value(it.key())));
    }
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1Char('\n'))));
    const QStringList clipped = clippedTexts();
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void TestTranslations::firstStartFollowsTheSystem_data()
{
    QTest::addColumn<QString>("systemLanguage");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("German") << "de_DE.UTF-8" << QStringList {"--help"} << "Aufruf: vellumix";
    QTest::newRow("Austrian German")
        << "de_AT.UTF-8" << QStringList {"--help"} << "Aufruf: vellumix";
    QTest::newRow("French command")
        << "fr_FR.UTF-8" << QStringList {"create", "--help"} << "Afficher cette aide et quitter.";
    // The usage line is the toolkit's, from its own catalogue.
    QTest::newRow("German command usage") << "de_DE.UTF-8" << QStringList {"create", "--help"}
                                          << "Aufruf: vellumix create [Optionen] PATH...";
    // The progress of a creation on standard error ({dir} holds a photo).
    QTest::newRow("German creation")
        << "de_DE.UTF-8"
        << QStringLiteral("create --set an=true --set s=160x120 --no-transition "
                          "--photo-duration=1000 --output-dir {dir} {dir}/photo.jpg")
               .split(QLatin1Char(' '))
        << "Video wird erstellt: 100 %";
    QTest::newRow("no catalogue") << "es_ES.UTF-8" << QStringList {"--help"} << "Usage: vellumix";
}

void TestTranslations::firstStartFollowsTheSystem()
{
    QFETCH(QString, systemLanguage);
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QVERIFY(photo.save(home.filePath(QStringLiteral("photo.jpg"))));
    arguments.replaceInStrings(QStringLiteral("{dir}"), home.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LANG"), systemLanguage);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(testAppDir() + QStringLiteral("/vellumix"), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QString out = QString::fromUtf8(process.readAllStandardOutput())
        + QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(out.contains(expected), qPrintable(out));
}

int main(int argc, char **argv)
{
    ZoApplication app(argc, argv);
    TestTranslations test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
