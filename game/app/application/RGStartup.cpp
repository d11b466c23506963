#include "game/app/application/RGStartup.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/SOutputDeviceFile.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/app/application/RunegardenGame.h"
#include "game/app/profiles/RGSaveFolder.h"
#include "game/app/screens/RGScoreCount.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/win32.h"

#include <boost/shared_ptr.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace Runegarden {

namespace {

void Log(const std::string& text)
{
    gLoger << SCore::GetCurrentDateTime() << (text + "\n");
}

void LogBannerRule()
{
    gLoger << (std::string(62, '#') + "\n");
}

void LogBannerTitle()
{
    gLoger << "###############   MOSSBROOK CINDERWELL  log   ##############\n";
}

// The process's end, on the thread that returns from main, which started the interpreter: the
// factory lets go of its module and the interpreter is finalised, running the scripts' exit hooks.
void EndScripts()
{
    RGPYFactory::Release();
    EndPythonInterpreter();
}

bool Exists(const wchar_t* pattern)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

} // namespace

void RGStartup::LogBanner()
{
    LogBannerRule();
    LogBannerTitle();
    LogBannerRule();
}

bool RGStartup::ReadStoredFullScreen(bool configured)
{
    const std::wstring path = RGSaveFolder::File(L"users.xml");
    {
        std::ifstream probe(NativePath(path));
        if (!probe.is_open()) return configured;
    }
    bool fullScreen = configured;
    try {
        SCore::SXMLDeserializator reader(path);
        if (reader.IsHaveChild("Users")) reader.BeginChild("Users");
        if (reader.IsHaveChild("Userprofiles")) {
            reader.BeginChild("Userprofiles");
            if (reader.IsAvialableName("IsFullScreen")) reader.Deserialize("IsFullScreen", fullScreen);
        }
    } catch (const std::exception&) {
        // The profile manager puts an unreadable file aside and says so.
        return configured;
    }
    return fullScreen;
}

void RGStartup::RunExitActions()
{
    if (Exists(L"play.url")) {
        const HINSTANCE result = ShellExecuteA(nullptr, "open", "play.url", nullptr, nullptr, SW_HIDE);
        if (reinterpret_cast<intptr_t>(result) > 32)
            Log(" play.url opened");
        else
            Log(" play.url skipped: no http or https address, or nothing to open it with");
    }
    if (Exists(L"fscommand\\kiosk.exe")) Log(" fscommand\\kiosk.exe skipped: Windows programs cannot run here");
}

int RGStartup::Start()
{
    wchar_t workingDirectory[1024] = {0};
    GetCurrentDirectoryW(1024, workingDirectory);
    StartPythonInterpreter();
    // At the process's end rather than when Run returns: a finalised interpreter is never started
    // again, and a process may run the game more than once.
    static const bool endRegistered = std::atexit(EndScripts) == 0;
    (void)endRegistered;

    const std::wstring saveFolder = RGSaveFolder::Path();
    gLoger.SetDevice(boost::shared_ptr<SCore::SOutputDevice>(
        new SCore::SOutputDeviceFile((saveFolder + L"log.txt").c_str())));
    LogBanner();
    // A display that is named but not there would leave the game running where nobody sees it.
    const std::string display = platform::UnopenedDisplay();
    if (!display.empty()) throw SCore::TarnCoreException("can't open display " + display);
    // The headless device chosen by name runs quietly: the player asked for it.
    if (platform::HeadlessForWantOfDisplay()) {
        const char* const line = "no display: the game runs without a window; set DISPLAY to show it, or "
                                 "TARN_DISPLAY_DRIVER=opengl or headless to choose the driver";
        std::fprintf(stderr, "%s\n", line);
        Log(std::string(" ") + line);
    }

    RGConfiguration configuration;
    SCore::SXMLDeserializator reader(std::wstring(L"config.xml"));
    configuration.Read(reader);
    const bool fullScreen = ReadStoredFullScreen(configuration.FullScreen);

    boost::shared_ptr<RunegardenGame> game(new RunegardenGame(fullScreen));
    RGLevelPacks::ApplyLevelMove(configuration.LevelMove);
    game->DoInit("D3D9Render");
    game->Create(configuration.AppName.c_str(), static_cast<int>(configuration.Width),
                 static_cast<int>(configuration.Height), static_cast<int>(configuration.BitPerPixel), fullScreen,
                 configuration.WideTexturePath());
    game->GetScoreCount()->SetThresholds(configuration.BonusLifeScores);
    game->DoRun();
    RunExitActions();
    game.reset();
    return 0;
}

int RGStartup::Run()
{
    int result = 1;
    std::string failure;
    try {
        result = Start();
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "unhandled exception";
    }
    if (!failure.empty()) {
        Log(" exception:" + failure);
        MessageBoxA(nullptr, failure.c_str(), nullptr, MB_OK); // also written to stderr
        result = 1;
    }
    gLoger.Shutdown();
    return result;
}

} // namespace Runegarden
