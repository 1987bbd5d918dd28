// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zoapplication.h"

#include "zofc/zolangitemmodel.h"
#include "zofc/zomainwindow.h"
#include "zofc/zomessagefilter.h"
#include "zofc/zopref.h"
#include "zofc/zowheelguard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTranslator>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Command
{
    QString summary;
    ZoApplication::CommandHandler handler;
};

QMap<QString, Command> &commands()
{
    static QMap<QString, Command> registry;
    return registry;
}

// Self-pipe: the signal handler only writes the signal number; the event loop does the rest.
int signalPipe[2] = {-1, -1};

void onSignal(int number)
{
    // The interrupted code may be about to read errno from a call of its own.
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    const ssize_t written = ::write(signalPipe[1], &byte, 1);
    (void)written;
    errno = savedErrno;
}

void printOut(const QString &text)
{
    QTextStream out(stdout);
    out << text;
    out.flush();
}

// With no display at all the program still runs (batch work, tests): Qt's off-screen
// platform then stands in for the missing windowing system.
int &prepareEnvironment(int &argc)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

} // namespace

ZoApplication::ZoApplication(int &argc, char **argv)
    : QApplication(prepareEnvironment(argc), argv)
{
    setApplicationName(ZoPref::product_name());
    setOrganizationName(ZoPref::product_name());
    setApplicationVersion(QStringLiteral(VELLUMIX_VERSION));
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    setDesktopFileName(QStringLiteral(VELLUMIX_APP_ID));
    langModel_ = new ZoLangItemModel(this);
    installEventFilter(new ZoWheelGuard(this));
    // Camera photos of 48 megapixels and more decode to well over Qt's default 128 MB.
    QImageReader::setAllocationLimit(1024);

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) == 0) {
        signalNotifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(signalNotifier_, &QSocketNotifier::activated, this,
                &ZoApplication::onTerminationSignal);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGHUP, &action, nullptr);
    }
}

ZoApplication::~ZoApplication()
{
    if (signalNotifier_) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGHUP, SIG_DFL);
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

ZoApplication *ZoApplication::instance()
{
    return qobject_cast<ZoApplication *>(QCoreApplication::instance());
}

QString ZoApplication::versionText()
{
    return ZoPref::product_name() + QLatin1Char(' ') + QStringLiteral(VELLUMIX_VERSION);
}

QString ZoApplication::licenceText()
{
    return tr("License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
              "This is free software: you are free to change and redistribute it.\n"
              "There is NO WARRANTY, to the extent permitted by law.");
}

void ZoApplication::installTranslators()
{
    const QString lang = ZoLangItemModel::currentLangName();
    if (qtTranslator_)
        removeTranslator(qtTranslator_.get());
    if (appTranslator_)
        removeTranslator(appTranslator_.get());
    qtTranslator_ = std::make_unique<QTranslator>();
    appTranslator_ = std::make_unique<QTranslator>();
    if (qtTranslator_->load(QLatin1String("qt_") + lang,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTranslator_.get());
    if (appTranslator_->load(QLatin1String("vellumix_") + lang,
                             ZoPref::appDir() + QLatin1String("/translations")))
        installTranslator(appTranslator_.get());
}

void ZoApplication::setLanguage(const QString &localeName, bool remember)
{
    if (remember)
        ZoLangItemModel::setCurrentLangName(localeName);
    else
        ZoLangItemModel::setRunLangName(localeName);
    installTranslators();
    // Qt sends every widget a LanguageChange event; windows re-apply their texts from it.
    QEvent change(QEvent::LanguageChange);
    sendEvent(this, &change);
}

void ZoApplication::initCfg(const char *configName, bool skin)
{
    if (configName && *configName)
        setApplicationName(QString::fromUtf8(configName));
    QDir().mkpath(QFileInfo(ZoPref::fileName()).absolutePath());
    if (skin)
        applySkin();
}

void ZoApplication::applySkin()
{
    const QString dir = ZoPref::skinDir();
    // The installed icon theme's sizes first; the skin's own picture when the program runs from
    // its build folder.
    setWindowIcon(
        QIcon::fromTheme(QStringLiteral("vellumix"), QIcon(dir + QLatin1String("/vellumix.png"))));
    QFile file(dir + QLatin1String("/style.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QString sheet = QString::fromUtf8(file.readAll());
    // Pictures named relative to the skin folder.
    static const QRegularExpression relativeUrl(
        QStringLiteral("url\\(\\s*[\"']?(?![/:]|[a-z]+:)([^)\"']+)[\"']?\\s*\\)"));
    sheet.replace(relativeUrl, QStringLiteral("url(\"%1/\\1\")").arg(dir));
    setStyleSheet(sheet);
}

void ZoApplication::registerCommand(const QString &verb, const QString &summary,
                                    CommandHandler handler)
{
    commands().insert(verb, Command {summary, std::move(handler)});
}

bool ZoApplication::processCmdLine(int argc, char **argv)
{
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw.append(QString::fromLocal8Bit(argv[i]));

    // A verb gets its arguments as given; everything else is read after Qt has taken its own
    // options out.
    if (!raw.isEmpty() && commands().contains(raw.first())) {
        const Command command = commands().value(raw.first());
        exitStatus_ = command.handler(raw.mid(1));
        return true;
    }
    const QStringList args = arguments().mid(1);

    fileArguments_.clear();
    bool onlyFiles = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (onlyFiles || !arg.startsWith(QLatin1Char('-'))) {
            fileArguments_.append(QFileInfo(arg).absoluteFilePath());
            continue;
        }
        if (arg == QLatin1String("--")) {
            onlyFiles = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            QString usage = tr("Usage: vellumix [--lang NAME] [FILE...]\n"
                               "       vellumix COMMAND [OPTIONS]\n\n"
                               "Turns photos and music into a video slide show. Photos, audio "
                               "files and folders given as FILE are imported into the window.\n\n"
                               "Options:\n"
                               "  --lang NAME   show the program in language NAME (for example "
                               "de_DE)\n"
                               "  --verbose     also print the program's debug notices and the "
                               "toolkit's messages\n"
                               "  --version     print the version and exit\n"
                               "  --help        print this help and exit\n");
            if (!commands().isEmpty()) {
                usage += tr("\nCommands:\n");
                for (auto it = commands().cbegin(); it != commands().cend(); ++it)
                    usage += QStringLiteral("  %1  %2\n").arg(it.key(), -12).arg(it->summary);
            }
            printOut(usage);
            exitStatus_ = 0;
            return true;
        }
        if (arg == QLatin1String("--version")) {
            printOut(versionText() + QLatin1Char('\n') + licenceText() + QLatin1Char('\n'));
            exitStatus_ = 0;
            return true;
        }
        if (arg == QLatin1String("--verbose")) {
            ZoMessageFilter::setLevel(ZoMessageFilter::Level::Verbose);
            continue;
        }
        if (arg == QLatin1String("--lang") && i + 1 < args.size()) {
            setLanguage(args.at(++i), false);
            continue;
        }
        if (arg.startsWith(QLatin1String("--lang="))) {
            setLanguage(arg.mid(7), false);
            continue;
        }
        if (arg.startsWith(QLatin1Char('-'))) {
            QTextStream err(stderr);
            err << tr("vellumix: unknown option %1 (try --help)").arg(arg) << '\n';
            exitStatus_ = 2;
            return true;
        }
    }
    return false;
}

void ZoApplication::setMainWindow(ZoMainWindow *window)
{
    mainWindow_ = window;
}

void ZoApplication::setTerminationHandler(std::function<void(int)> handler)
{
    terminationHandler_ = std::move(handler);
}

void ZoApplication::onTerminationSignal()
{
    unsigned char number = 0;
    if (::read(signalPipe[0], &number, 1) != 1)
        return;
    if (terminationHandler_) {
        terminationHandler_(number);
        return;
    }
    if (mainWindow_)
        mainWindow_->exitProgram();
    else
        quit();
}

ZoMainWindow *ZoApplication::mainWindow() const
{
    return mainWindow_;
}
