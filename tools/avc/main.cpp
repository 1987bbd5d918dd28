// SPDX-License-Identifier: GPL-3.0-or-later
// avc: the program's encoder. Runs the system's ffmpeg ($VELLUMIX_FFMPEG, else "ffmpeg" on the
// PATH) with the translated command line, passes standard input through untouched, copies
// ffmpeg's progress lines ("frame= ... fps= ...") to standard output and everything else it
// reports to standard error, and exits with ffmpeg's status. ffmpeg dies with the launcher.
// One exception: ffmpeg exits with 0 when the end of its output file cannot be written (a full
// disk, a removed folder) although the file is then cut short; such a run ends with 1.

#include "tools/avc/avcarguments.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

volatile sig_atomic_t childPid = 0;

// ffmpeg acts on a termination request only between reads of its input, so one that waits for
// input would wait on. It gets this long to finish its file, then it is killed.
constexpr unsigned terminationGraceSeconds = 3;

void forwardSignal(int sig)
{
    if (childPid > 0) {
        kill(childPid, sig);
        alarm(terminationGraceSeconds);
    }
}

void killChild(int)
{
    if (childPid > 0)
        kill(childPid, SIGKILL);
}

bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// ffmpeg ends its status lines with a carriage return and its messages with a line feed.
class LineSplitter
{
public:
    void feed(const char *data, size_t size)
    {
        for (size_t i = 0; i < size; ++i) {
            if (data[i] == '\r' || data[i] == '\n')
                flush();
            else
                line += data[i];
        }
    }

    void flush()
    {
        if (line.empty())
            return;
        const bool progress
            = line.find("frame=") != std::string::npos && line.find("fps=") != std::string::npos;
        if (line.rfind("Error writing trailer of ", 0) == 0
            || line.rfind("Error closing file ", 0) == 0)
            incomplete = true;
        line += '\n';
        if (progress) {
            if (stdoutOpen)
                stdoutOpen = writeAll(STDOUT_FILENO, line.data(), line.size());
        } else {
            writeAll(STDERR_FILENO, line.data(), line.size());
        }
        line.clear();
    }

    // Whether ffmpeg said that it could not finish writing its output.
    bool outputIncomplete() const { return incomplete; }

private:
    std::string line;
    bool stdoutOpen = true;
    bool incomplete = false;
};

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::vector<std::string> translated = translateArguments(args);

    const char *env = std::getenv("VELLUMIX_FFMPEG");
    const std::string ffmpeg = env && *env ? env : "ffmpeg";

    std::vector<char *> childArgv;
    childArgv.push_back(const_cast<char *>(ffmpeg.c_str()));
    for (const std::string &arg : translated)
        childArgv.push_back(const_cast<char *>(arg.c_str()));
    childArgv.push_back(nullptr);

    // A reader that went away must not end the launcher before ffmpeg has finished.
    std::signal(SIGPIPE, SIG_IGN);

    int errPipe[2];
    if (pipe(errPipe) != 0) {
        std::perror("avc: pipe");
        return 127;
    }

    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    // Block the forwarded signals until childPid is known, so none is lost in between.
    sigset_t forwarded, previous;
    sigemptyset(&forwarded);
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
        sigaction(sig, &action, nullptr);
        sigaddset(&forwarded, sig);
    }
    struct sigaction alarmAction = action;
    alarmAction.sa_handler = killChild;
    sigaction(SIGALRM, &alarmAction, nullptr);
    sigprocmask(SIG_BLOCK, &forwarded, &previous);

    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("avc: fork");
        return 127;
    }
    if (pid == 0) {
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGALRM})
            std::signal(sig, SIG_DFL);
        std::signal(SIGPIPE, SIG_DFL);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        close(errPipe[0]);
        if (dup2(errPipe[1], STDERR_FILENO) < 0)
            _exit(127);
        close(errPipe[1]);
        execvp(childArgv[0], childArgv.data());
        const std::string message
            = "avc: cannot run " + ffmpeg + ": " + std::strerror(errno) + "\n";
        writeAll(STDERR_FILENO, message.data(), message.size());
        _exit(127);
    }
    childPid = pid;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    close(errPipe[1]);

    LineSplitter splitter;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(errPipe[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        splitter.feed(buffer, static_cast<size_t>(n));
    }
    splitter.flush();
    close(errPipe[0]);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            std::perror("avc: waitpid");
            return 127;
        }
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status) == 0 && splitter.outputIncomplete() ? 1 : WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return 127;
}
