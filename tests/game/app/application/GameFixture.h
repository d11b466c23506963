#pragma once
// The game started on the shipped content, in process and headless: virtual windows, a save
// folder of its own and the fake clock, which only the tests move (sleeps are real, so the
// worker threads idle as they would). Tests then drive frames by hand.

#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/app/kit/RGConfiguration.h"
#include "game/app/application/RunegardenGame.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/app/screens/RGMap.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"

#include "tests/game/app/profiles/ProfileTestSupport.h"
#include "tests/support/HeadlessApp.h"

#include <gtest/gtest.h>

#include <memory>

namespace apptest {

namespace pt = platform::testing;

// Opens the game's protected parts to the tests.
class TestGame : public Runegarden::RunegardenGame {
public:
    using RunegardenGame::RunegardenGame;
    using RunegardenGame::m_Cursor;
    using RunegardenGame::m_Painter;
    using RunegardenGame::UpdateCursor;
    using RunegardenGame::m_LeftButtonHeld;
};

class GameTest : public tarn_test::HeadlessAppTest {
protected:
    void SetUp() override
    {
        HeadlessAppTest::SetUp();
        pt::SetFakeTime(1000000);
        m_Cwd.reset(new platformtest::ScopedCwd(TARN_DATA_DIR));
    }
    void EndApp() override
    {
        m_Game.reset();
        Runegarden::gSoundManager.reset();
        Runegarden::gProfileManager.reset();
        m_Cwd.reset();
    }

    // Constructs the game and runs the application frame's start-up as the entry function does.
    void Start(bool fullScreen = false, const std::wstring& textures = L"Res\\textures.xml")
    {
        Runegarden::StartPythonInterpreter();
        SCore::SXMLDeserializator config(std::wstring(L"config.xml"));
        Runegarden::RGConfiguration configuration;
        configuration.Read(config);
        m_Game.reset(new TestGame(fullScreen));
        Runegarden::RGLevelPacks::ApplyLevelMove(configuration.LevelMove);
        HeadlessAppTest::Start(*m_Game, "Runegarden test", 1024, 768, fullScreen, textures);
        // Levels are started as the map's Next button starts them: the profile's current one.
        m_Game->GetMap()->m_CurrentLevelMain = true;
    }
    // One frame of the run loop after ms of the clock, with the window's input delivered.
    void Frame(DWORD ms = 0) { HeadlessAppTest::Frame(*m_Game, ms); }
    Runegarden::RGGameMode& Modes() { return *m_Game->GetGameMode(); }
    // Requests the mode and runs frames until it is current and clear again.
    void EnterMode(Runegarden::RGGameModeType mode)
    {
        Modes().ChangeMode(mode);
        Frame(500);
        Frame(500);
    }

    SaveFolder m_Save;
    std::unique_ptr<platformtest::ScopedCwd> m_Cwd;
    std::unique_ptr<TestGame> m_Game;
};

} // namespace apptest
