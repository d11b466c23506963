// The sample application end to end on a real window: needs a display (Xvfb in CI), skips
// without one.

#include "SampleApp.h"

#include "engine/core/render/STextureManager.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "platform/testing_input.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace pt = platform::testing;

namespace {

class SampleAppPixelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::ResetAll();
        if (!platform::sdl::VideoAvailable()) GTEST_SKIP() << "no display";
        // Sleeps return at once: the loop runs as fast as it can, the input thread too.
        pt::SetSleepMode(pt::SleepMode::Return);
        pt::HookMessageBox(true);
        pt::CaptureOnPresent(true);
    }
    void TearDown() override { pt::ResetAll(); }

    // Pumps window messages (and so the input the input thread reads) until the condition holds;
    // false when it never did within a bounded number of pumps.
    bool PumpUntil(std::function<bool()> condition)
    {
        MSG m;
        for (int pumps = 0; pumps < 2000000; ++pumps) {
            if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.message == WM_QUIT) return false;
                DispatchMessageA(&m);
            }
            if (condition()) return true;
        }
        return false;
    }
};

uint32_t Rgb(uint32_t argb) { return argb & 0x00FFFFFFu; }

TEST_F(SampleAppPixelsTest, LoadsBehindItsLoadingScreenTakesAClickAndAKeyAndQuits)
{
    tarn_test::TempDir dir;
    tarn_test::WriteBytes(dir.File("dot.ppm"), std::string("P6\n1 1\n255\n") + "\xff\xff\xff");
    tarn_test::WriteBytes(dir.File("textures.xml"),
                          "<Textures><Texture Name=\"dot\" Path=\"" + dir.File("dot.ppm") + "\"></Texture></Textures>");

    sample::SampleApp app;
    app.DoInit("D3D9Render");
    app.Create("sample", 320, 240, 32, false, dir.WFile("textures.xml"));
    ASSERT_GE(app.LoadingFrames(), 1);
    ASSERT_EQ(app.GetMode(), sample::SampleApp::Running);
    EXPECT_TRUE(app.GetViewport()->m_TextureManager->ContainsTexture("dot"));
    pt::Image loading = pt::LastPresented();
    ASSERT_EQ(loading.width, 320u);
    ASSERT_EQ(loading.height, 240u);
    EXPECT_EQ(Rgb(loading.Pixel(5, 5)), 0x0000FFu) << "the loading screen";
    EXPECT_EQ(Rgb(loading.Pixel(319, 239)), 0x0000FFu);

    HWND window = app.GetWindow()->GetHandle();
    // The press must stay down for one input pass: the input thread reads the button state.
    pt::InjectMouseMove(100, 80, window);
    pt::InjectMouseButton(1, true, window);
    ASSERT_TRUE(PumpUntil([&] { return app.Control()->m_Clicked.load(); })) << "no click on the input thread";
    EXPECT_EQ(app.Control()->m_ClickX.load(), 100);
    EXPECT_EQ(app.Control()->m_ClickY.load(), 80);
    pt::InjectMouseButton(1, false, window);
    pt::InjectKeyDown('Q', window);
    pt::InjectKeyUp('Q', window);

    app.DoRun();
    EXPECT_EQ(app.GetMode(), sample::SampleApp::Quit) << "the loop ended on the quit mode";
    EXPECT_EQ(app.Control()->m_LastChar.load(), 'q');

    pt::Image shot = pt::LastPresented();
    ASSERT_EQ(shot.width, 320u);
    // A green square of 20 pixels about the click, red in the corner for the key, black elsewhere.
    const struct {
        int x, y;
        uint32_t rgb;
    } expected[] = {{100, 80, 0x00FF00}, {90, 70, 0x00FF00}, {109, 89, 0x00FF00}, {110, 90, 0},
                    {89, 80, 0},         {8, 8, 0xFF0000},   {300, 200, 0}};
    for (const auto& e : expected) EXPECT_EQ(Rgb(shot.Pixel(e.x, e.y)), e.rgb) << e.x << "," << e.y;
}

} // namespace
