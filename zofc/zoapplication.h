// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class QSocketNotifier;
class QTranslator;
class ZoLangItemModel;
class ZoMainWindow;

// The application object: configuration, translations, skin, command-line handling and the
// orderly end on SIGTERM and SIGINT. GUI thread only.
class ZoApplication : public QApplication
{
    Q_OBJECT
public:
    // A command-line verb ("vellumix create ...") handled without a window. The handler gets the
    // arguments after the verb and returns the process's exit status.
    using CommandHandler = std::function<int(const QStringList &arguments)>;

    ZoApplication(int &argc, char **argv);
    ~ZoApplication() override;

    static ZoApplication *instance();

    void setZofcVersion(int version) { zofcVersion_ = version; }
    int zofcVersion() const { return zofcVersion_; }

    // Loads Qt's own translations and the program's for the current language.
    void installTranslators();
    // Switches the language at once; every window re-applies its texts. Unless remember is
    // false (a language given on the command line), the choice is stored for later runs.
    void setLanguage(const QString &localeName, bool remember = true);
    ZoLangItemModel *langModel() const { return langModel_; }

    // Prepares the configuration folder and applies the current skin's style sheet.
    void initCfg(const char *configName, bool applySkin);
    void applySkin();

    // Handles --help, --version, --lang NAME and registered verbs. True when the command line
    // has been dealt with and no window is wanted; exitStatus() then holds the result. argv is
    // the vector as the program got it, before Qt took its own options out of its copy.
    bool processCmdLine(int argc, char **argv);
    static void registerCommand(const QString &verb, const QString &summary,
                                CommandHandler handler);
    int exitStatus() const { return exitStatus_; }
    // The files and folders named on the command line (after processCmdLine), as absolute paths.
    QStringList fileArguments() const { return fileArguments_; }

    void setMainWindow(ZoMainWindow *window);
    ZoMainWindow *mainWindow() const;

    // What SIGTERM and SIGINT do; by default the main window closes as Exit does (or the event
    // loop ends when there is none). The number of the signal is passed on.
    void setTerminationHandler(std::function<void(int)> handler);

    // "Vellumix 1.0.0", and the licence under it as --version prints it.
    static QString versionText();
    static QString licenceText();

private:
    void onTerminationSignal();

    int zofcVersion_ = 0;
    int exitStatus_ = 0;
    QStringList fileArguments_;
    ZoLangItemModel *langModel_ = nullptr;
    QPointer<ZoMainWindow> mainWindow_;
    std::unique_ptr<QTranslator> qtTranslator_;
    std::unique_ptr<QTranslator> appTranslator_;
    QSocketNotifier *signalNotifier_ = nullptr;
    std::function<void(int)> terminationHandler_;
};
