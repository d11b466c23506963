#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/framework/app/TarnApplication.h"
#include "engine/framework/app/WindowProc.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "platform/testing_input.h"
#include "tests/support/HeadlessApp.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace pt = platform::testing;
using tarn_test::ThrowsStartingWith;

namespace {

typedef std::vector<std::string> Calls;

// An application frame whose game side writes down every call.
class RecordingApp : public TarnEngine::TarnApplication {
public:
    void DoLeftButtonDown() override { Add("LeftDown"); }
    void DoRightButtonDown() override { Add("RightDown"); }
    void DoLeftButtonUp() override { Add("LeftUp"); }
    void DoRightButtonUp() override { Add("RightUp"); }
    LRESULT DoWindowMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_USER) Add("User");
        return 0;
    }
    void DoUpdate() override { Add("Update"); }
    void DoDraw() override
    {
        Add("Draw");
        ++m_Frames;
    }
    void DoInitObjects() override
    {
        Add("InitObjects");
        std::unique_lock<std::mutex> lock(m_Lock);
        if (m_WaitForLoadingFrame) // proves the loading screen is drawn while the loader works
            m_Changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_LoadingFrames > 0; });
    }
    void DoRestoreObjects() override { Add("RestoreObjects"); }
    void DoInvalidateObjects() override
    {
        Add("InvalidateObjects");
        m_InvalidatedOutsideRenderLock = RenderLockFree();
    }
    bool DoIsExit() override { return m_Frames >= m_ExitAfterFrames; }
    void DoDrawLoading() override
    {
        std::unique_lock<std::mutex> lock(m_Lock);
        ++m_LoadingFrames;
        m_Changed.notify_all();
        lock.unlock();
        if (m_ThrowInLoadingFrame) throw SCore::TarnCoreException("loading frame failed");
    }
    void DoCreateLoading() override { Add("CreateLoading"); }
    void DoLoadProgress(unsigned int loaded, unsigned int total) override
    {
        m_ProgressUnderLock = m_ProgressUnderLock && !RenderLockFree();
        Add("Progress " + std::to_string(loaded) + "/" + std::to_string(total));
    }

    // The calls since the last take.
    Calls Take()
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        return std::move(m_Calls);
    }
    // Whether another thread could take the render lock now.
    bool RenderLockFree()
    {
        bool free = false;
        std::thread probe([&] {
            if ((free = TryEnterCriticalSection(&RenderLock()) != 0)) LeaveCriticalSection(&RenderLock());
        });
        probe.join();
        return free;
    }
    void RunFrames(int frames)
    {
        m_ExitAfterFrames = m_Frames + frames;
        DoRun();
    }

    int m_Frames = 0, m_ExitAfterFrames = 1 << 30;
    bool m_WaitForLoadingFrame = false, m_ThrowInLoadingFrame = false, m_ProgressUnderLock = true;
    bool m_InvalidatedOutsideRenderLock = false;
    std::atomic<int> m_LoadingFrames{0};

private:
    void Add(const std::string& call)
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Calls.push_back(call);
    }

    std::mutex m_Lock;
    std::condition_variable m_Changed;
    Calls m_Calls;
};

class TarnApplicationTest : public tarn_test::HeadlessAppTest {
protected:
    void SetUp() override
    {
        HeadlessAppTest::SetUp();
        pt::SetSleepMode(pt::SleepMode::Return);
    }
    void EndApp() override { m_App.reset(); }

    // A texture list of the given entries ("Name=file", or "Name=file@MipLevels"); each file a 2 x 2
    // grey PPM image, empty when its name starts with "empty", and for a ".tga" name a 32-bit
    // picture whose top row is opaque red, transparent red and whose bottom row is transparent black.
    std::wstring TextureList(const std::vector<std::string>& entries)
    {
        std::string xml = "<Textures>";
        for (const std::string& e : entries) {
            const size_t at = e.find('@');
            const std::string name = e.substr(e.find('=') + 1, at == std::string::npos ? at : at - e.find('=') - 1);
            const std::string file = m_Dir.File(name);
            std::string bytes = std::string("P6\n2 2\n255\n") + std::string(12, '\x7f');
            if (name.rfind("empty", 0) == 0) bytes.clear();
            if (name.find(".tga") != std::string::npos)
                bytes = std::string("\0\0\x02\0\0\0\0\0\0\0\0\0\x02\0\x02\0\x20\x28", 18) +
                        std::string("\0\0\xff\xff\0\0\xff\0", 8) + std::string(8, '\0');
            tarn_test::WriteBytes(file, bytes);
            xml += "<Texture Name=\"" + e.substr(0, e.find('=')) + "\" Path=\"" + file + "\"" +
                   (at == std::string::npos ? "" : " MipLevels=\"" + e.substr(at + 1) + "\"") + "></Texture>";
        }
        tarn_test::WriteBytes(m_Dir.File("textures.xml"), xml + "</Textures>");
        return m_Dir.WFile("textures.xml");
    }

    // Creates the application over the list; the text of the failure, or "".
    std::string Start(const std::vector<std::string>& textures, bool waitForLoadingFrame = false,
                      const boost::shared_ptr<SCore::SRenderDevice>& device = nullptr, bool throwInLoadingFrame = false)
    {
        m_App.reset(new RecordingApp);
        m_App->m_WaitForLoadingFrame = waitForLoadingFrame;
        m_App->m_ThrowInLoadingFrame = throwInLoadingFrame;
        return tarn_test::ThrownText([&] { HeadlessAppTest::Start(*m_App, "frame test", 320, 240, false, TextureList(textures), device); });
    }

    tarn_test::TempDir m_Dir;
    std::unique_ptr<RecordingApp> m_App;
};

TEST_F(TarnApplicationTest, StartUpLoadsTexturesOnTheLoaderWhileTheLoadingScreenIsDrawn)
{
    tarn_test::LogCapture log;
    ASSERT_EQ("", Start({"a=a.ppm", "b=b.ppm"}, true));

    EXPECT_EQ(m_App->Take(), (Calls{"CreateLoading", "Progress 1/2", "Progress 2/2", "InitObjects"}));
    EXPECT_TRUE(m_App->m_ProgressUnderLock);
    EXPECT_GE(m_App->m_LoadingFrames.load(), 1);
    EXPECT_TRUE(m_App->GetViewport()->m_TextureManager->ContainsTexture("b"));
    EXPECT_EQ(TarnEngine::GetApplication(), m_App.get());
    EXPECT_TRUE(m_App->GetInputMessager()->IsStarted());

    RECT client;
    ASSERT_TRUE(GetClientRect(m_App->GetWindow()->GetHandle(), &client));
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_EQ(GetWindowLongA(m_App->GetWindow()->GetHandle(), GWL_STYLE), LONG(0x06CA0000));

    const std::string text = log.Text();
    for (const char* line : {"Starting application\n", "\tcreate window(320x240x32)\n", " loading texturea\n",
                             " Starting complete\n"})
        EXPECT_TRUE(log.HasEntry(line)) << line;
    EXPECT_NE(text.find(" Loaded2 textures in "), std::string::npos);
    for (const pt::SleepCall& call : pt::SleepCalls()) {
        if (call.thread != std::this_thread::get_id()) continue;
        EXPECT_EQ(call.ms, 100u) << "loading frames";
    }
}

TEST_F(TarnApplicationTest, ATextureListedWithMipLevelsKeepsItsAlphaAndRoundsItsLevels)
{
    ASSERT_EQ("", Start({"m=m.tga@2"}));
    auto* native = static_cast<IDirect3DTexture9*>(
        m_App->GetViewport()->m_TextureManager->GetTexture("m")->DoGetNativeTexture());
    ASSERT_EQ(2u, native->GetLevelCount());
    auto texel = [&](UINT level, UINT x) {
        D3DLOCKED_RECT r;
        EXPECT_EQ(D3D_OK, native->LockRect(level, &r, nullptr, 0));
        const uint32_t value = static_cast<const uint32_t*>(r.pBits)[x];
        native->UnlockRect(level);
        return value;
    };
    EXPECT_EQ(0xFFFF0000u, texel(0, 0));
    EXPECT_EQ(0x00FF0000u, texel(0, 1));
    // The 2 x 2 average: red 510 / 4 and alpha 255 / 4, rounded.
    EXPECT_EQ(0x40800000u, texel(1, 0));
}

TEST_F(TarnApplicationTest, LoaderFailuresEndStartUpWithTheLoadersText)
{
    struct Case {
        std::vector<std::string> entries;
        const char* text;
    };
    const Case cases[] = {
        {{"a=a.ppm", "a=b.ppm"}, "can't add texture, because texture with such name is exist:[a]"},
        {{"a=empty.ppm"}, "can't load texture from memory : INVALIDDATA"},
    };
    for (const Case& c : cases) {
        tarn_test::LogCapture log;
        pt::ClearMessageBoxCalls();
        const std::string text = Start(c.entries);
        EXPECT_TRUE(tarn_test::StartsWith(text, c.text)) << text;
        EXPECT_TRUE(pt::MessageBoxCalls().empty()) << "shown once, by the caller that gets the text";
        EXPECT_NE(log.Text().find(c.text), std::string::npos) << "and logged";
        EXPECT_EQ(TarnEngine::GetApplication(), nullptr);
        m_App.reset();
    }
}

TEST_F(TarnApplicationTest, AFailingLoadingFrameEndsStartUpAfterTheLoaderHasEnded)
{
    EXPECT_TRUE(tarn_test::StartsWith(Start({"a=a.ppm"}, true, nullptr, true), "loading frame failed"));
    EXPECT_EQ(m_App->Take().back(), "InitObjects") << "the loader finished before Create gave up";
    EXPECT_TRUE(m_App->RenderLockFree());
}

TEST_F(TarnApplicationTest, EachFrameUpdatesThenDrawsUntilTheQuitMode)
{
    ASSERT_EQ("", Start({}));
    m_App->Take();
    PostMessageA(m_App->GetWindow()->GetHandle(), WM_USER, 0, 0);
    const unsigned presentedBefore = pt::PresentedFrames();
    m_App->RunFrames(2);
    EXPECT_EQ(m_App->Take(), (Calls{"User", "LeftUp", "RightUp", "Update", "Draw", "LeftUp", "RightUp", "Update", "Draw"}));
    EXPECT_EQ(pt::PresentedFrames() - presentedBefore, 2u);
    std::vector<DWORD> mainSleeps;
    for (const pt::SleepCall& call : pt::SleepCalls())
        if (call.thread == std::this_thread::get_id()) mainSleeps.push_back(call.ms);
    ASSERT_FALSE(mainSleeps.empty());
    EXPECT_EQ(mainSleeps.back(), 1000u) << "the loop's end waits before stopping input";

    pt::InjectMouseMove(5, 5, m_App->GetWindow()->GetHandle());
    pt::InjectMouseButton(1, true, m_App->GetWindow()->GetHandle());
    m_App->RunFrames(3);
    EXPECT_EQ(m_App->Take(), (Calls{"LeftUp", "RightUp", "Update", "Draw", "LeftDown", "RightUp", "Update", "Draw",
                                     "LeftDown", "RightUp", "Update", "Draw"}))
        << "one message a frame: the cursor message, then the press";

    pt::InjectFocus(false, m_App->GetWindow()->GetHandle());
    m_App->RunFrames(1);
    EXPECT_EQ(m_App->Take(), (Calls{"LeftUp", "RightUp", "Update", "Draw"})) << "focus loss releases the button";
}

TEST_F(TarnApplicationTest, QuitEndsTheLoopBeforeThatPassUpdatesAndClosingTheWindowQuits)
{
    ASSERT_EQ("", Start({}));
    m_App->Take();
    PostQuitMessage(0);
    m_App->RunFrames(5);
    EXPECT_EQ(m_App->Take(), Calls{});

    pt::InjectCloseRequest(m_App->GetWindow()->GetHandle());
    m_App->RunFrames(5);
    EXPECT_EQ(m_App->Take(), (Calls{"LeftUp", "RightUp", "Update", "Draw"})) << "WM_CLOSE's pass, then WM_QUIT";
}

TEST_F(TarnApplicationTest, ADeviceResetInvalidatesTheObjectsOnceAndSkipsOneScene)
{
    ASSERT_EQ("", Start({}));
    m_App->Take();
    pt::RecordRenderCalls(true);
    pt::SimulateDeviceLoss();
    pt::MakeDeviceResettable();
    const unsigned presentedBefore = pt::PresentedFrames();
    m_App->RunFrames(2);
    EXPECT_EQ(m_App->Take(), (Calls{"LeftUp", "RightUp", "Update", "InvalidateObjects", "Draw", "LeftUp", "RightUp",
                                     "Update", "Draw"}));
    EXPECT_TRUE(m_App->m_InvalidatedOutsideRenderLock);
    EXPECT_EQ(pt::RenderCalls("Reset").size(), 1u);
    const std::vector<pt::RenderCall> scenes = pt::RenderCalls("BeginScene");
    ASSERT_EQ(scenes.size(), 1u) << "the first frame is drawn without a scene";
    EXPECT_EQ(scenes[0].result, D3D_OK);
    EXPECT_EQ(pt::PresentedFrames() - presentedBefore, 1u) << "the second frame is shown";
}

class FailingClearDevice : public SCore::SD3D9RenderDevice {
public:
    void DoClearScene(float z) override
    {
        if (m_FailClear) throw SCore::TarnCoreException("clear failed");
        SD3D9RenderDevice::DoClearScene(z);
    }
    using SD3D9RenderDevice::DoClearScene;
    bool m_FailClear = false;
};

TEST_F(TarnApplicationTest, AFailingFrameFreesTheRenderLock)
{
    boost::shared_ptr<FailingClearDevice> device(new FailingClearDevice);
    ASSERT_EQ("", Start({}, false, device));
    device->m_FailClear = true;
    EXPECT_TRUE(ThrowsStartingWith([&] { m_App->RunFrames(1); },
                                   "clear failed TarnApplication::DoRender() Src\\TarnApplication at:"));
    EXPECT_TRUE(m_App->RenderLockFree());
}

} // namespace
