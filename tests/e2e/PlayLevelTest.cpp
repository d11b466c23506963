// The game on a copy of the shipped content, in process, drawn through OpenGL: a profile exists,
// level 1 is loaded through the mode switcher, the player clears the start prompt, scrolls to the
// right and draws the wall gesture where the level needs it with the platform's input hooks; the
// level is done, the cast is booked in the profile and the score mode is asked for with the level's
// results. Each step's screenshot is checked by its pixels; with TARN_E2E_SHOTS set to a folder
// they are also written there (PPM) to be looked at. The game runs on an X server of its own: on a
// shared one, another test's window takes the focus and the game pauses as it should.

#include "engine/core/input/SInput.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/app/kit/RGConfiguration.h"
#include "game/app/application/RunegardenGame.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/app/screens/RGMap.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "game/gameplay/world/RGWorld.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"
#include "platform/testing_input.h"
#include "platform/testing_render.h"

#include "tests/support/OwnDisplay.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace pt = platform::testing;
namespace fs = std::filesystem;
using namespace Runegarden;

namespace {

const DWORD kFrameMs = 20;

class E2EGame : public RunegardenGame {
public:
    using RunegardenGame::RunegardenGame;
    // One turn of the run loop: the button state and the update, then (when asked) a frame.
    void Step() { Update(); }
    void Frame() { DoRender(); }
};

// The mean colour of a rectangle of the image, as (red + green + blue) / 3.
double Brightness(const pt::Image& image, UINT x0, UINT y0, UINT x1, UINT y1)
{
    double sum = 0;
    for (UINT y = y0; y < y1; ++y)
        for (UINT x = x0; x < x1; ++x) {
            const uint32_t c = image.Pixel(x, y);
            sum += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
        }
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
}

// Pixels of the rectangle that differ between two images.
unsigned Changed(const pt::Image& a, const pt::Image& b, UINT x0, UINT y0, UINT x1, UINT y1)
{
    unsigned n = 0;
    for (UINT y = y0; y < y1; ++y)
        for (UINT x = x0; x < x1; ++x) n += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
    return n;
}

class PlayLevelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tarn_test::OwnDisplay());
        pt::ResetAll();
        pt::SetRenderMode(pt::RenderMode::OpenGL);
        pt::SetFakeTime(5000000);
        pt::HookMessageBox(true);
        pt::CaptureOnPresent(true);
        fs::copy(TARN_DATA_DIR, m_Data.Path() / "data", fs::copy_options::recursive);
        m_Cwd.reset(new platformtest::ScopedCwd((m_Data.Path() / "data").string()));
        // A player who has not started yet.
        fs::create_directories(m_Home.Path() / "Documents" / "Mossbrook_Cinderwell");
        std::ofstream(m_Home.File("Documents/Mossbrook_Cinderwell/users.xml"))
            << "<Users><Userprofiles Current=\"TESTER\" MusicVolume=\"1\" SoundVolume=\"1\" IsFullScreen=\"0\">"
               "<Userprofile Name=\"TESTER\" Score=\"0\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"></Userprofile>"
               "</Userprofiles></Users>";
    }
    void TearDown() override
    {
        pt::SetSleepMode(pt::SleepMode::Return);
        m_Game.reset();
        gSoundManager.reset();
        gProfileManager.reset();
        m_Cwd.reset();
        pt::ResetAll();
    }

    // The entry function's start-up, on the copied content.
    void Start()
    {
        StartPythonInterpreter();
        SCore::SXMLDeserializator reader(std::wstring(L"config.xml"));
        RGConfiguration configuration;
        configuration.Read(reader);
        m_Game.reset(new E2EGame(false));
        RGLevelPacks::ApplyLevelMove(configuration.LevelMove);
        m_Game->DoInit("D3D9Render");
        m_Game->Create(configuration.AppName.c_str(), 1024, 768, 32, false, configuration.WideTexturePath());
        // The level is started as the map's Next button starts it: the profile's current one.
        m_Game->GetMap()->m_CurrentLevelMain = true;
    }

    // One frame of the game after kFrameMs of the clock, with the window's input delivered.
    void Frame(bool draw = false)
    {
        pt::AdvanceFakeTime(kFrameMs);
        MSG msg;
        for (int i = 0; i < 64 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        m_Game->GetViewport()->m_Input->Update();
        m_Game->Step();
        if (draw) m_Game->Frame();
    }
    pt::Image Shot(const char* name)
    {
        Frame(true);
        pt::Image image = pt::LastPresented();
        if (const char* folder = std::getenv("TARN_E2E_SHOTS")) {
            std::ofstream out(std::string(folder) + "/" + name + ".ppm", std::ios::binary);
            out << "P6\n" << image.width << " " << image.height << "\n255\n";
            for (size_t i = 0; i + 3 < image.bgra.size(); i += 4)
                out << char(image.bgra[i + 2]) << char(image.bgra[i + 1]) << char(image.bgra[i]);
        }
        return image;
    }
    void MouseTo(int x, int y) { pt::InjectMouseMove(x, y); }
    RGGameModeType Pending() { return m_Game->GetGameMode()->GetPendingMode(); }
    RGGameModeType Current() { return m_Game->GetGameMode()->m_CurrentMode; }

    tarn_test::TempDir m_Data, m_Home;
    platformtest::ScopedEnv m_HomeEnv{"HOME", m_Home.Path().c_str()};
    platformtest::ScopedEnv m_DocumentsEnv{"XDG_DOCUMENTS_DIR", nullptr};
    std::unique_ptr<platformtest::ScopedCwd> m_Cwd;
    std::unique_ptr<E2EGame> m_Game;
};

TEST_F(PlayLevelTest, LevelOneIsWonWithTheWallGestureAndTheCastIsBooked)
{
    Start();
    ASSERT_TRUE(m_Game->IsInitialised());
    ASSERT_TRUE(gProfileManager->GetCurrent());
    MouseTo(600, 384);

    // Loading of level 1 through the mode switcher.
    m_Game->GetGameMode()->ChangeMode(RGGM_LOADING);
    for (int i = 0; i < 30; ++i) Frame();
    ASSERT_EQ(Current(), RGGM_LOADING);
    ASSERT_TRUE(m_Game->GetLevel());
    EXPECT_EQ(m_Game->GetLevel()->m_Name, "level1");
    for (int i = 0; i < 20; ++i) Frame();
    const pt::Image loading = Shot("1-loading");
    ASSERT_EQ(loading.width, 1024u);
    // The bar fills from the left: its filled part is drawn with the active picture.
    EXPECT_GT(std::abs(Brightness(loading, 290, 370, 380, 410) - Brightness(loading, 660, 370, 750, 410)), 8.0);
    EXPECT_GT(Brightness(loading, 0, 0, 1024, 768), 10.0) << "the background picture";

    for (int i = 0; i < 120 && Current() != RGGM_PLAY; ++i) Frame();
    ASSERT_EQ(Current(), RGGM_PLAY);
    for (int i = 0; i < 30; ++i) Frame();
    EXPECT_EQ(gProfileManager->GetCurrent()->Level, "level1");
    ASSERT_TRUE(m_Game->IsStartPrompt());
    const pt::Image prompt = Shot("2-start-prompt");
    EXPECT_GT(Brightness(prompt, 0, 0, 120, 768), 20.0) << "the left bar";
    EXPECT_GT(Brightness(prompt, 140, 740, 1024, 768), 20.0) << "the bottom bar";
    EXPECT_LT(Brightness(prompt, 340, 322, 848, 378), Brightness(prompt, 340, 250, 848, 306) - 30.0)
        << "the dark press-space plate over the sky";
    EXPECT_GT(Brightness(prompt, 140, 100, 1024, 700), 10.0) << "the level's field";

    // A click clears the prompt.
    pt::InjectMouseButton(1, true);
    Frame();
    pt::InjectMouseButton(1, false);
    Frame();
    ASSERT_FALSE(m_Game->IsStartPrompt());
    ASSERT_FALSE(m_Game->IsPaused());

    // Scroll right until the view has moved a whole screen.
    MouseTo(1010, 384);
    for (int i = 0; i < 1000 && m_Game->GetLevel()->GetViewBody().m_Position.X > -0.98f; ++i) Frame();
    ASSERT_LE(m_Game->GetLevel()->GetViewBody().m_Position.X, -0.98f);
    MouseTo(600, 384);
    for (int i = 0; i < 400; ++i) Frame(); // the tutorial's opening (8 s of play)
    const pt::Image before = Shot("3-scrolled");

    // The wall gesture: a stroke drawn downwards where the wall must stand (field x 1.25, its
    // bottom at y 0.85), 20 x 50 canvas pixels large.
    const SCore::SVector3 offset = m_Game->GetLevel()->GetWorld()->m_Offset;
    const float height = 50.0f / 256.0f;
    const float centreX = ((1.25f + offset.X) * 0.875f + 0.125f) * 1024.0f;
    const float centreY = ((0.85f - 0.5f * height / 0.953125f) + offset.Y) * 0.953125f * 768.0f;
    const float halfW = 0.5f * 20.0f / 256.0f * 1024.0f, halfH = 0.5f * height * 768.0f;
    const uint32_t scoreBefore = gProfileManager->GetCurrent()->Score;
    MouseTo(int(centreX - halfW), int(centreY - halfH));
    Frame();
    pt::InjectMouseButton(1, true);
    const int points = 16;
    pt::Image drawing;
    for (int i = 0; i <= points; ++i) {
        MouseTo(int(centreX - halfW + 2.0f * halfW * i / points), int(centreY - halfH + 2.0f * halfH * i / points));
        if (i == points / 2)
            drawing = Shot("4-drawing");
        else
            Frame();
    }
    pt::InjectMouseButton(1, false);
    Frame();
    EXPECT_EQ(gProfileManager->GetCurrent()->Score, scoreBefore + 100) << "the cast is booked";
    EXPECT_GT(Changed(before, drawing, UINT(centreX - halfW - 20), UINT(centreY - halfH - 20),
                      UINT(centreX + 20), UINT(centreY)),
              20u)
        << "the particle trail along the stroke";

    for (int i = 0; i < 60; ++i) Frame();
    const pt::Image cast = Shot("5-cast");
    EXPECT_GT(Changed(before, cast, UINT(centreX - 60), UINT(centreY - halfH - 40), UINT(centreX + 60),
                      UINT(centreY + halfH + 10)),
              200u)
        << "the wall stands in the field";

    // The level runs to its end.
    for (int i = 0; i < 6000 && Pending() == RGGM_PLAY; ++i) Frame();
    ASSERT_EQ(Pending(), RGGM_SCORE);
    const RGLevelResults& results = m_Game->GetLevelResults();
    EXPECT_EQ(results.LevelTime, 120u);
    EXPECT_EQ(results.LevelIndex, 0u);
    EXPECT_EQ(results.Lives, 5);
    EXPECT_FALSE(results.BonusMap);
    const pt::Image done = Shot("6-done");
    EXPECT_GT(Brightness(done, 0, 0, 120, 768), 5.0) << "the frame still shows under the fade";
}

} // namespace
