#include "tests/support/OwnDisplay.h"

#include "platform/sdl/RenderWindow.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace tarn_test {
namespace {

std::string ProgramOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::string();
}

// Starts Xvfb and sets DISPLAY to it; the failure's text, or empty.
std::string StartServer()
{
    const std::string program = ProgramOnPath("Xvfb");
    if (program.empty()) return "Xvfb is not on PATH (scripts/deps installs it)";
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) return std::string("pipe: ") + std::strerror(errno);
    const pid_t parent = ::getpid();
    const std::string fd = std::to_string(pipe[1]);
    const pid_t child = ::fork();
    if (child < 0) return std::string("fork: ") + std::strerror(errno);
    if (child == 0) {
        // The server ends with the test process, however that ends.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(1);
        ::fcntl(pipe[1], F_SETFD, 0);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        ::execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
                "tcp", "-noreset", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipe[1]);
    // The server writes its display number once it accepts connections.
    std::string number;
    char c = 0;
    pollfd ready{pipe[0], POLLIN, 0};
    while (::poll(&ready, 1, 60000) == 1 && ::read(pipe[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(pipe[0]);
    if (number.empty()) {
        ::kill(child, SIGTERM);
        ::waitpid(child, nullptr, 0);
        return "Xvfb did not start";
    }
    ::setenv("DISPLAY", (":" + number).c_str(), 1);
    return std::string();
}

} // namespace

::testing::AssertionResult OwnDisplay()
{
    static const std::string failure = StartServer();
    if (!failure.empty()) return ::testing::AssertionFailure() << "no display of its own: " << failure;
    if (!platform::sdl::VideoAvailable())
        return ::testing::AssertionFailure() << "display " << std::getenv("DISPLAY") << " started but not opened";
    return ::testing::AssertionSuccess();
}

} // namespace tarn_test
