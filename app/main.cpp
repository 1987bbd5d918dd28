// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batchcreate.h"
#include "app/vellumix.h"
#include "creation/jobfiles.h"
#include "creation/outputfolder.h"
#include "storyboard/offscreenglcontext.h"
#include "zofc/qtsingleapplication.h"
#include "zofc/zomessagefilter.h"
#include "zofc/zopref.h"

#include <QLockFile>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void closeSplashScreen()
{
    std::fputs("command:close splash screen", stdout);
    std::fflush(stdout);
}

// Partial videos and job folders of earlier runs that died. Nothing is removed while another
// start holds the lock, which a running job's files then belong to.
void removeLeftovers()
{
    QLockFile lock(creationStartLockPath());
    lock.setStaleLockTime(0);
    if (!lock.fileName().isEmpty() && lock.tryLock(0))
        removeCreationLeftovers(outputFolderOrDefault(
            ZoPref::value(QStringLiteral("OutputPath"), QString()).toString()));
}

} // namespace

int main(int argc, char *argv[])
{
    ZoMessageFilter::install();
    OffscreenGLContext::rasterizeOnCallingThread();
    // Qt takes its own options (-name, -display, ...) out of the vector it is given. It gets a
    // copy, so that a command such as "create --name NAME" reaches the handler whole.
    int qtArgc = argc;
    std::vector<char *> qtArgv(argv, argv + argc + 1);
    auto app = std::make_unique<QtSingleApplication>(QString(), qtArgc, qtArgv.data());
    app->setZofcVersion(1030);
    ZoPref::setTanslucentWhenSkin(false);
    app->installTranslators();
    app->initCfg(nullptr, true);
    registerBatchCommands();

    if (!app->processCmdLine(argc, argv) && !app->isRunning(QString())) {
        removeLeftovers();
        auto window = std::make_unique<Vellumix>(nullptr, Qt::WindowFlags());
        app->setMainWindow(window.get());
        app->setActivationWindow(window->widgetFrame(), true);
        window->show(true);
        // A run that did not end normally left its show behind: it is offered before anything
        // else is opened.
        QTimer::singleShot(0, window.get(), &Vellumix::offerRecovery);
        // Files given on the command line are imported once the event loop runs.
        window->openFiles(app->fileArguments());
        closeSplashScreen();
        app->exec();
        closeSplashScreen();
        window.reset();
    }

    // A window run always ends with 0; a command handled at the command line reports its own
    // status.
    const int status = app->exitStatus();
    app.reset();
    return status;
}
