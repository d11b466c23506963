#pragma once
// The real game started from outside as a player starts it: in a copy of the shipped data, with a
// home folder of its own (the save folder under its Documents) and its stderr kept in a file.
// Headless and without a display unless the environment given says otherwise. Waits poll in 50 ms
// steps up to a bound the caller gives.

#include "tests/support/TempDir.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace gametest {

namespace fs = std::filesystem;

// Polls until the condition holds, for at most the given number of 50 ms steps.
template <typename Condition> bool Within(int steps, Condition condition)
{
    for (int i = 0; i < steps; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50)))
        if (condition()) return true;
    return false;
}

// How often part occurs in text (the game's stderr or log).
inline size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class GameProcess {
public:
    // Variables set for the game on top of the defaults; a null value unsets one.
    typedef std::vector<std::pair<std::string, const char*>> Environment;

    GameProcess() { fs::copy(TARN_DATA_DIR, Data(), fs::copy_options::recursive); }
    ~GameProcess()
    {
        if (m_Pid <= 0) return;
        kill(m_Pid, SIGKILL);
        waitpid(m_Pid, &m_Status, 0);
    }
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    fs::path Data() const { return m_Home.Path() / "data"; }
    fs::path Save() const { return m_Home.Path() / "Documents" / "Mossbrook_Cinderwell"; }
    std::string Log() const { return tarn_test::ReadBytes((Save() / "log.txt").string()); }
    std::string Stderr() const { return tarn_test::ReadBytes(m_Home.File("stderr.txt")); }

    void Start(const Environment& environment = Environment())
    {
        const std::string err = m_Home.File("stderr.txt");
        m_Pid = fork();
        if (m_Pid != 0) return;
        const int errFile = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (chdir(Data().c_str()) != 0 || errFile < 0 || dup2(errFile, 2) < 0) _exit(126);
        setenv("HOME", m_Home.Path().c_str(), 1);
        setenv("TARN_DISPLAY_DRIVER", "headless", 1);
        for (const char* name : {"XDG_DOCUMENTS_DIR", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
        for (const auto& variable : environment) {
            if (variable.second) setenv(variable.first.c_str(), variable.second, 1);
            else unsetenv(variable.first.c_str());
        }
        execl(TARN_GAME, TARN_GAME, static_cast<char*>(nullptr));
        _exit(127);
    }
    bool Started() const { return m_Pid > 0; }
    // Polls until the log holds the text.
    bool LogShows(const std::string& text, int steps = 1200) const
    {
        return Within(steps, [&] { return Log().find(text) != std::string::npos; });
    }
    void Signal(int signal) const { kill(m_Pid, signal); }
    // True when the game ended by itself within the steps; a game still running is killed.
    bool Ends(int steps)
    {
        const bool ended = Within(steps, [&] { return waitpid(m_Pid, &m_Status, WNOHANG) == m_Pid; });
        if (!ended) {
            kill(m_Pid, SIGKILL);
            waitpid(m_Pid, &m_Status, 0);
        }
        m_Pid = -1;
        return ended;
    }
    // The wait status of the ended game.
    int Status() const { return m_Status; }

private:
    tarn_test::TempDir m_Home;
    pid_t m_Pid = -1;
    int m_Status = 0;
};

} // namespace gametest
