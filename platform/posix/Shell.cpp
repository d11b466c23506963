// Shell open through xdg-open, started detached; Windows programs are refused.

#include "platform/files.h"

#include "platform/posix/Hooks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

// Any value above 32 means "started".
HINSTANCE const kStarted = reinterpret_cast<HINSTANCE>(intptr_t(42));

HINSTANCE Result(int code) { return reinterpret_cast<HINSTANCE>(intptr_t(code)); }

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The URL= value of the [InternetShortcut] section; empty when there is none.
std::string ShortcutUrl(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (!line.empty() && line[0] == '[') {
            inSection = Lower(line) == "[internetshortcut]";
        } else if (inSection && Lower(line.substr(0, 4)) == "url=") {
            return Trim(line.substr(4));
        }
    }
    return std::string();
}

bool IsWebAddress(const std::string& url)
{
    const std::string lower = Lower(url);
    return (lower.compare(0, 7, "http://") == 0 && lower.size() > 7) ||
           (lower.compare(0, 8, "https://") == 0 && lower.size() > 8);
}

// The full path of xdg-open on PATH; empty when there is none.
std::string FindOpener()
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) continue;
        const std::string candidate = folder + "/xdg-open";
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::string();
}

// Runs opener on target in a grandchild that nobody waits for, so no zombie is left and the
// caller returns at once.
bool StartDetached(const std::string& opener, const std::string& target)
{
    // Everything the child needs is prepared before fork: only async-signal-safe calls after it.
    const char* argv[] = {opener.c_str(), target.c_str(), nullptr};
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) ::_exit(1);
        if (grandchild > 0) ::_exit(0);
        const int devNull = ::open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            ::dup2(devNull, 0);
            ::dup2(devNull, 1);
        }
        ::execv(opener.c_str(), const_cast<char* const*>(argv));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show)
{
    const std::string action = verb ? verb : "open";
    if (!file || !*file) return Result(SE_ERR_FNF);
    if (action != "open") {
        std::fprintf(stderr, "ShellExecuteA: verb \"%s\" is not supported\n", action.c_str());
        return Result(SE_ERR_NOASSOC);
    }
    const std::string path = NativePath(std::string(file));
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return Result(SE_ERR_FNF);

    std::string target = path;
    if (EndsWith(Lower(path), ".url")) {
        std::string text;
        ReadFileBytes(Utf8ToWide(path), true, text);
        target = ShortcutUrl(text);
        if (!IsWebAddress(target)) {
            std::fprintf(stderr, "ShellExecuteA: %s holds no http or https address\n", file);
            return Result(SE_ERR_NOASSOC);
        }
    }
    if (platform::hooks::RecordShell(action, file, target)) return kStarted;

    const std::string opener = FindOpener();
    if (opener.empty() || !StartDetached(opener, target)) {
        std::fprintf(stderr, "ShellExecuteA: nothing can open %s (xdg-open missing)\n", target.c_str());
        return Result(SE_ERR_NOASSOC);
    }
    return kStarted;
}

UINT WinExec(LPCSTR command, UINT show)
{
    const std::string text = command ? command : "";
    if (platform::hooks::RecordShell("exec", text, NativePath(text))) return ERROR_BAD_FORMAT;
    std::fprintf(stderr, "WinExec: %s is a Windows program and cannot run here\n", text.c_str());
    return ERROR_BAD_FORMAT;
}
