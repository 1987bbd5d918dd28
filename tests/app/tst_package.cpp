// SPDX-License-Identifier: GPL-3.0-or-later
// The Debian package built from this build: what it holds, what it depends on, that its desktop
// files and manual page are well formed, and that the program runs from where it installs.
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Result run(const QString &program, const QStringList &arguments,
           const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
           int timeoutMs = 300000)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Result result;
    if (!process.waitForStarted()) {
        result.err = process.errorString().toUtf8();
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// The long options a help text lists ("--name", "--set").
QStringList longOptions(const QString &help)
{
    QStringList options;
    static const QRegularExpression option(QStringLiteral("(--[a-z][a-z-]*)"));
    for (auto it = option.globalMatch(help); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!options.contains(name))
            options.append(name);
    }
    return options;
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void holdsEveryFile_data();
    void holdsEveryFile();
    void control();
    void desktopFilesValidate();
    void manualPage();
    void installedProgramRuns();

private:
    QString root(const QString &path) const { return extracted.filePath(path); }
    QProcessEnvironment userEnvironment() const;

    QTemporaryDir work;
    QTemporaryDir extracted;
    QString package;
    QStringList listing;
};

void TestPackage::initTestCase()
{
    QVERIFY(work.isValid() && extracted.isValid());
    const Result built = run(QStringLiteral(VELLUMIX_CPACK),
                             {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"),
                              work.path(), QStringLiteral("--config"),
                              QStringLiteral(VELLUMIX_BUILD_DIR "/CPackConfig.cmake")});
    QVERIFY2(built.status == 0, built.out + built.err);
    const QStringList debs = QDir(work.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QCOMPARE(debs, QStringList {QStringLiteral("vellumix_" VELLUMIX_VERSION "_amd64.deb")});
    package = work.filePath(debs.first());

    const Result contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), package});
    QVERIFY2(contents.status == 0, contents.err);
    // "-rwxr-xr-x root/root 1234 2026-12-08 12:00 ./usr/lib/vellumix/vellumix": the path and,
    // for a link, its target.
    for (const QByteArray &line : contents.out.split('\n')) {
        const qsizetype path = line.indexOf(" ./");
        if (path >= 0)
            listing.append(QString::fromUtf8(line.mid(path + 3)));
    }
    const Result unpacked
        = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package, extracted.path()});
    QVERIFY2(unpacked.status == 0, unpacked.err);
}

void TestPackage::holdsEveryFile_data()
{
    QTest::addColumn<QString>("pattern");
    const QString appId = QStringLiteral(VELLUMIX_APP_ID);
    QTest::newRow("command") << QStringLiteral("usr/bin/vellumix -> ../lib/vellumix/vellumix");
    QTest::newRow("program") << QStringLiteral("usr/lib/vellumix/vellumix");
    QTest::newRow("encoder launcher") << QStringLiteral("usr/lib/vellumix/avc");
    QTest::newRow("profiles") << QStringLiteral("usr/lib/vellumix/profiles/mpeg4h264.profile");
    QTest::newRow("patterns") << QStringLiteral("usr/lib/vellumix/pattern/*.wpt");
    QTest::newRow("skin") << QStringLiteral("usr/lib/vellumix/skin/default/style.qss");
    QTest::newRow("translations") << QStringLiteral("usr/lib/vellumix/translations/*.qm");
    QTest::newRow("desktop entry")
        << QStringLiteral("usr/share/applications/%1.desktop").arg(appId);
    QTest::newRow("metainfo") << QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(appId);
    QTest::newRow("manual page") << QStringLiteral("usr/share/man/man1/vellumix.1.gz");
    QTest::newRow("show file type") << QStringLiteral("usr/share/mime/packages/%1.xml").arg(appId);
    QTest::newRow("show file format")
        << QStringLiteral("usr/share/doc/vellumix/show-file-format.md");
    QTest::newRow("copyright") << QStringLiteral("usr/share/doc/vellumix/copyright");
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        QTest::addRow("icon %d", size)
            << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/vellumix.png").arg(size);
    }
    QTest::newRow("sample photos") << QStringLiteral("usr/share/vellumix/samples/photos/*.jpg");
    QTest::newRow("sample music") << QStringLiteral("usr/share/vellumix/samples/music/*.wav");
}

void TestPackage::holdsEveryFile()
{
    QFETCH(QString, pattern);
    const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(
        pattern, QRegularExpression::UnanchoredWildcardConversion));
    const QRegularExpression anchored(QRegularExpression::anchoredPattern(match.pattern()));
    QVERIFY2(!listing.filter(anchored).isEmpty(), qPrintable(listing.join(QLatin1Char('\n'))));
}

void TestPackage::control()
{
    auto field = [this](const char *name) {
        const Result r = run(QStringLiteral("dpkg-deb"),
                             {QStringLiteral("-f"), package, QString::fromLatin1(name)});
        return QString::fromUtf8(r.out).trimmed();
    };
    QCOMPARE(field("Package"), QStringLiteral("vellumix"));
    QCOMPARE(field("Version"), QStringLiteral(VELLUMIX_VERSION));
    QCOMPARE(field("Architecture"), QStringLiteral("amd64"));
    // The encoder program, and the libraries the binaries were linked with.
    const QStringList depends
        = field("Depends").split(QRegularExpression(QStringLiteral("\\s*,\\s*")));
    for (const char *needed : {"ffmpeg", "libqt6widgets6", "libavcodec59", "libexif12", "libc6",
                               "fonts-dejavu-core", "fonts-lohit-deva"}) {
        const QRegularExpression entry(QStringLiteral("^%1( |$)").arg(QLatin1String(needed)));
        QVERIFY2(!depends.filter(entry).isEmpty(), qPrintable(depends.join(QLatin1Char(','))));
    }
}

void TestPackage::desktopFilesValidate()
{
    const QString appId = QStringLiteral(VELLUMIX_APP_ID);
    const Result metainfo
        = run(QStringLiteral("appstreamcli"),
              {QStringLiteral("validate"), QStringLiteral("--no-net"),
               root(QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(appId))});
    QVERIFY2(metainfo.status == 0, metainfo.out + metainfo.err);
    const Result entry
        = run(QStringLiteral("desktop-file-validate"),
              {root(QStringLiteral("usr/share/applications/%1.desktop").arg(appId))});
    QVERIFY2(entry.status == 0 && entry.out.isEmpty(), entry.out + entry.err);

    // The show file type, built into a MIME database as on installation.
    QTemporaryDir mime;
    QVERIFY(QDir().mkpath(mime.filePath(QStringLiteral("packages"))));
    QVERIFY(QFile::copy(root(QStringLiteral("usr/share/mime/packages/%1.xml").arg(appId)),
                        mime.filePath(QStringLiteral("packages/show.xml"))));
    const Result database = run(QStringLiteral("update-mime-database"), {mime.path()});
    QVERIFY2(database.status == 0, database.err);
    QFile globs(mime.filePath(QStringLiteral("globs2")));
    QVERIFY(globs.open(QIODevice::ReadOnly));
    QVERIFY(globs.readAll().contains("application/x-vellumix-show:*.vellumix"));
}

void TestPackage::manualPage()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    const Result page = run(QStringLiteral("man"),
                            {QStringLiteral("--warnings"), QStringLiteral("-l"),
                             root(QStringLiteral("usr/share/man/man1/vellumix.1.gz"))},
                            env);
    QVERIFY2(page.status == 0 && page.err.isEmpty(), page.err);
    const QString text = QString::fromUtf8(page.out);
    QVERIFY(text.contains(QStringLiteral("Vellumix " VELLUMIX_VERSION)));

    // Every option the program itself lists is described.
    const QString program = root(QStringLiteral("usr/bin/vellumix"));
    const Result help = run(program, {QStringLiteral("--help")}, userEnvironment());
    const Result createHelp
        = run(program, {QStringLiteral("create"), QStringLiteral("--help")}, userEnvironment());
    QCOMPARE(help.status, 0);
    QCOMPARE(createHelp.status, 0);
    const QStringList options = longOptions(QString::fromUtf8(help.out + createHelp.out));
    QVERIFY(options.contains(QStringLiteral("--photo-duration")));
    for (const QString &option : options) {
        // Words are hyphenated at line ends; the option as a word of its own.
        const QRegularExpression described(
            QStringLiteral("(^|[\\s\\[|])%1\\b").arg(QRegularExpression::escape(option)));
        QVERIFY2(text.contains(described), qPrintable(option));
    }
}

QProcessEnvironment TestPackage::userEnvironment() const
{
    // The installed program finds its own folder; the test's pointer to the build's is dropped.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("VELLUMIX_APP_DIR"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), work.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("TMPDIR"), work.filePath(QStringLiteral("tmp")));
    QDir().mkpath(work.filePath(QStringLiteral("tmp")));
    return env;
}

void TestPackage::installedProgramRuns()
{
    const QString program = root(QStringLiteral("usr/bin/vellumix"));
    const Result version = run(program, {QStringLiteral("--version")}, userEnvironment());
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out.split('\n').first(), QByteArray("Vellumix " VELLUMIX_VERSION));

    // A video of the installed samples, made with the installed profiles and encoder launcher.
    const QString samples = root(QStringLiteral("usr/share/vellumix/samples"));
    const QString out = work.filePath(QStringLiteral("videos"));
    const Result made
        = run(program,
              {QStringLiteral("create"), QStringLiteral("--quiet"), QStringLiteral("--output-dir"),
               out, QStringLiteral("--set"), QStringLiteral("s=160x120"),
               QStringLiteral("--photo-duration=1000"), QStringLiteral("--no-transition"),
               samples + QStringLiteral("/photos"), samples + QStringLiteral("/music")},
              userEnvironment());
    QVERIFY2(made.status == 0, made.err);
    const QString video = QString::fromUtf8(made.out.trimmed().split('\n').last());
    QVERIFY2(video.startsWith(out) && QFileInfo(video).size() > 0, qPrintable(video));
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
