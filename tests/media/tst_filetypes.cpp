// SPDX-License-Identifier: GPL-3.0-or-later
// The open dialogs' filters, read by a real file dialog: every entry must list the files of its
// types and nothing else.
#include "media/filetypes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

class TestFileTypes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyEntryListsItsFiles_data();
    void everyEntryListsItsFiles();

private:
    // The files the dialog shows in the folder with the given entry selected.
    QStringList shownFiles(const QString &filter, const QString &entry);

    QTemporaryDir dir;
    QStringList allFiles;
};

void TestFileTypes::initTestCase()
{
    initFileTypeLists();
    // One file of every type, one in upper case, and one that no type takes.
    QStringList names;
    for (const QString &pattern : photoPatterns + audioPatterns)
        names.append(QStringLiteral("a") + pattern.mid(1));
    names << QStringLiteral("B.JPG") << QStringLiteral("notes.txt") << QStringLiteral("README");
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        allFiles.append(name);
    }
    allFiles.sort();
}

QStringList TestFileTypes::shownFiles(const QString &filter, const QString &entry)
{
    QFileDialog dialog(nullptr, QString(), dir.path(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    auto *model = dialog.findChild<QFileSystemModel *>();
    if (!model)
        return {QStringLiteral("no model")};
    dialog.selectNameFilter(entry);
    if (dialog.selectedNameFilter() != entry)
        return {QStringLiteral("entry not offered")};
    const QModelIndex root = model->index(dir.path());
    if (!QTest::qWaitFor([&] { return !model->canFetchMore(root) && model->rowCount(root) > 0; }))
        return {QStringLiteral("folder not read")};
    QStringList shown;
    for (int row = 0; row < model->rowCount(root); ++row)
        shown.append(model->index(row, 0, root).data().toString());
    shown.sort();
    return shown;
}

void TestFileTypes::everyEntryListsItsFiles_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("entry");
    const QString photos = openFileFilter(photoPatterns, photoTypeFilters);
    const QString audio = openFileFilter(audioPatterns, audioTypeFilters);
    for (const QString &filter : {photos, audio}) {
        for (const QString &entry : filter.split(QStringLiteral(";;")))
            QTest::newRow(qPrintable(entry)) << filter << entry;
    }
}

void TestFileTypes::everyEntryListsItsFiles()
{
    QFETCH(QString, filter);
    QFETCH(QString, entry);
    QVERIFY2(!entry.isEmpty(), "an empty entry in the filter");
    const QRegularExpression inParentheses(QStringLiteral("\\(([^)]*)\\)$"));
    const QRegularExpressionMatch match = inParentheses.match(entry);
    QVERIFY(match.hasMatch());
    const QStringList patterns = match.captured(1).split(QLatin1Char(' '));

    // What the entry should show, worked out file by file from its patterns.
    QStringList expected;
    for (const QString &name : allFiles) {
        if (QDir::match(patterns, name))
            expected.append(name);
    }
    // Each pattern names a type of the folder's files: a pattern the dialog cannot use (such as
    // "*.jpg;") matches none of them.
    for (const QString &pattern : patterns) {
        QVERIFY2(std::any_of(
                     allFiles.cbegin(), allFiles.cend(),
                     [&](const QString &name) { return QDir::match(QStringList {pattern}, name); }),
                 qPrintable(pattern));
    }
    if (patterns.contains(QStringLiteral("*.jpg")))
        QVERIFY(expected.contains(QStringLiteral("B.JPG")));
    if (patterns == QStringList {QStringLiteral("*")})
        QCOMPARE(expected, allFiles);
    QCOMPARE(shownFiles(filter, entry), expected);
}

QTEST_MAIN(TestFileTypes)
#include "tst_filetypes.moc"
