#include "app/CrashLog.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "core/fs/DataFolder.h"
#include "online/InstalledVersion.h"

namespace {

constexpr int kFatalSignals[] = {SIGABRT, SIGFPE, SIGILL, SIGSEGV};
constexpr int kMaxFrames = 64;

// Everything the handler needs is ready before it runs: it may only make
// async-signal-safe calls.
char s_path[4096];
alignas(16) char s_signalStack[64 * 1024];
std::atomic<bool> s_reporting{false};

const char* signalName(int signal) {
    switch (signal) {
        case SIGABRT:
            return "SIGABRT (abort)";
        case SIGFPE:
            return "SIGFPE (floating-point error)";
        case SIGILL:
            return "SIGILL (illegal instruction)";
        case SIGSEGV:
            return "SIGSEGV (segmentation fault)";
        default:
            return "a fatal signal";
    }
}

void writeText(int fd, const char* text) {
    std::size_t left = std::strlen(text);
    while (left > 0) {
        ssize_t written = write(fd, text, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        text += written;
        left -= static_cast<std::size_t>(written);
    }
}

void writeReport(int fd, int signal, void* const* frames, int frameCount) {
    writeText(fd, "Petalune ");
    writeText(fd, installedVersionName());
    writeText(fd, " crashed: ");
    writeText(fd, signalName(signal));
    writeText(fd, "\nStack trace:\n");
    backtrace_symbols_fd(frames, frameCount, fd);
}

// Another user may have planted a link or a FIFO under the report's name: the report goes
// only into a regular file, never through a link, and opening never waits for a reader.
int openReportFile() {
    int file = open(s_path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (file < 0) return -1;
    struct stat info {};
    if (fstat(file, &info) != 0 || !S_ISREG(info.st_mode) || ftruncate(file, 0) != 0) {
        close(file);
        return -1;
    }
    return file;
}

void onFatalSignal(int signal) {
    int savedErrno = errno;
    if (s_reporting.exchange(true)) {
        // Another thread is writing its report: give it time to finish before this signal
        // ends the process. (The reporting thread itself never gets here: the handler
        // blocks the fatal signals, and a fault inside it meets the default action.)
        timespec interval{0, 100'000'000};
        for (int tries = 0; tries < 30; ++tries) nanosleep(&interval, nullptr);
    } else {
        void* frames[kMaxFrames];
        int frameCount = backtrace(frames, kMaxFrames);
        int file = openReportFile();
        writeReport(STDERR_FILENO, signal, frames, frameCount);
        if (file >= 0) {
            writeReport(file, signal, frames, frameCount);
            close(file);
            writeText(STDERR_FILENO, "This report was saved as ");
            writeText(STDERR_FILENO, s_path);
            writeText(STDERR_FILENO, "\n");
        }
    }
    errno = savedErrno;
    // The default action runs once this handler returns: the process ends by the signal.
    std::signal(signal, SIG_DFL);
    raise(signal);
}

}  // namespace

bool installCrashLog() {
    std::string path = tempFolderPath() + "crash_report.txt";
    if (path.size() >= sizeof(s_path)) {
        std::fprintf(stderr, "Crash reports are off: the path %s is too long\n", path.c_str());
        return false;
    }
    std::memcpy(s_path, path.c_str(), path.size() + 1);

    // The first backtrace loads the unwinder, which allocates: never inside the handler.
    void* warmUp[1];
    backtrace(warmUp, 1);

    stack_t signalStack{};
    signalStack.ss_sp = s_signalStack;
    signalStack.ss_size = sizeof(s_signalStack);
    if (sigaltstack(&signalStack, nullptr) != 0)
        std::fprintf(stderr, "Crash reports will miss stack overflows: %s\n", std::strerror(errno));

    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : kFatalSignals) sigaddset(&action.sa_mask, signal);
    for (int signal : kFatalSignals) {
        if (sigaction(signal, &action, nullptr) != 0) {
            std::fprintf(stderr, "Cannot install the crash report for %s: %s\n", signalName(signal),
                         std::strerror(errno));
            return false;
        }
    }
    return true;
}
