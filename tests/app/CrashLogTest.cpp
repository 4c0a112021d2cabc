#include "app/CrashLog.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/fs/DataFolder.h"
#include "online/InstalledVersion.h"
#include "tests/support/TestPaths.h"

namespace {

using ::testing::HasSubstr;

// A page that may not be touched: a real segmentation fault that no sanitizer checks
// for first (unlike a null pointer).
void writeToForbiddenPage() {
    void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED) _exit(4);
    *static_cast<volatile int*>(page) = 1;
}
volatile bool s_keepGoing = true;

int recurseForever(int depth) {
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    if (s_keepGoing) return recurseForever(depth + 1) + frame[0];
    return frame[0];
}

struct CrashCase {
    const char* name;
    int signal;
    const char* reported;
    void (*crash)();
};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

class CrashLog : public ::testing::TestWithParam<CrashCase> {};

// The crash happens in a child process, which must die by the signal after leaving
// its report in its writable folder and on its standard error.
TEST_P(CrashLog, ReportsAndDiesByTheSignal) {
    const CrashCase& c = GetParam();
    std::string folder = petalune::test::makeTempDir() + "/";
    std::string errors = folder + "stderr.txt";

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int errorFile = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(errorFile, STDERR_FILENO);
        setDataFolderOverride(folder);
        if (!installCrashLog()) _exit(2);
        c.crash();
        _exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), c.signal);

    std::string report = readFile(folder + "crash_report.txt");
    EXPECT_THAT(report, HasSubstr(std::string("Petalune ") + installedVersionName() + " crashed: " + c.reported));
    std::size_t trace = report.find("Stack trace:\n");
    ASSERT_NE(trace, std::string::npos);
    EXPECT_GE(std::count(report.begin() + static_cast<long>(trace), report.end(), '\n'), 3) << report;
    EXPECT_THAT(readFile(errors), HasSubstr(report));
    EXPECT_THAT(readFile(errors), HasSubstr("saved as " + folder + "crash_report.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Signals, CrashLog,
    ::testing::Values(CrashCase{"Abort", SIGABRT, "SIGABRT (abort)", [] { std::abort(); }},
                      CrashCase{"FloatingPoint", SIGFPE, "SIGFPE (floating-point error)", [] { raise(SIGFPE); }},
                      CrashCase{"IllegalInstruction", SIGILL, "SIGILL (illegal instruction)",
                                [] { __builtin_trap(); }},
                      CrashCase{"ForbiddenWrite", SIGSEGV, "SIGSEGV (segmentation fault)", writeToForbiddenPage},
                      CrashCase{"StackOverflow", SIGSEGV, "SIGSEGV (segmentation fault)",
                                [] { recurseForever(0); }}),
    [](const auto& test) { return std::string(test.param.name); });

// Another user's link or FIFO under the report's name: the report goes nowhere rather than
// through the link, and the crash still ends the process at once.
TEST(CrashLogFile, APlantedLinkOrFifoIsNeverWrittenThrough) {
    std::string folder = petalune::test::makeTempDir() + "/";
    std::string victim = folder + "private.txt";
    std::ofstream(victim) << "the player's own file";
    for (bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "fifo" : "link");
        std::string report = folder + "crash_report.txt";
        unlink(report.c_str());
        if (fifo) {
            ASSERT_EQ(mkfifo(report.c_str(), 0600), 0);
        } else {
            ASSERT_EQ(symlink(victim.c_str(), report.c_str()), 0);
        }
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDERR_FILENO);
            setDataFolderOverride(folder);
            if (!installCrashLog()) _exit(2);
            std::abort();
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(readFile(victim), "the player's own file");
    }
}

}  // namespace
