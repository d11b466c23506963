#include "InputFakes.h"

#include "engine/core/render/SViewport.h"
#include "engine/framework/input/SInputMessager.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

namespace pt = platform::testing;
using inputtest::FakeInput;
using inputtest::RecordingControl;
using TarnEngine::SInputMessager;

namespace {

// Only the input system is used by the input thread.
class InputOnlyViewport : public SCore::SViewport {
public:
    explicit InputOnlyViewport(const boost::shared_ptr<SCore::SInput>& input) { m_Input = input; }
    boost::shared_ptr<SCore::SVertexBuffer> DoCreateVertexBuffer(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) override
    {
        return {};
    }
    boost::shared_ptr<SCore::SIndexBuffer> DoCreateIndexBuffer(uint32_t, uint32_t, uint32_t) override { return {}; }
    boost::shared_ptr<SCore::SRenderPass> DoCreateRenderPass() override { return {}; }
    boost::shared_ptr<SCore::SFont> DoCreateFont() override { return {}; }
    boost::shared_ptr<SCore::STexture> DoCreateTexture(const std::string&) override { return {}; }
};

class InputThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::ResetAll();
        m_Window.reset(new tarn_test::VirtualWindow(0, 0, 320, 240));
        m_Input = boost::make_shared<FakeInput>(m_Window->Handle());
        m_Viewport = boost::make_shared<InputOnlyViewport>(m_Input);
    }
    void TearDown() override
    {
        pt::SetSleepMode(pt::SleepMode::Return); // lets a blocked thread finish
        m_Messager.reset();
        m_Window.reset();
        pt::ResetAll();
    }
    void Make()
    {
        m_Messager.reset(new SInputMessager);
        m_Messager->Init(m_Viewport);
        m_Messager->AddReceiver(m_Control);
    }

    std::unique_ptr<tarn_test::VirtualWindow> m_Window;
    boost::shared_ptr<FakeInput> m_Input;
    boost::shared_ptr<InputOnlyViewport> m_Viewport;
    boost::shared_ptr<RecordingControl> m_Control = boost::make_shared<RecordingControl>();
    std::unique_ptr<SInputMessager> m_Messager;
};

TEST_F(InputThreadTest, OnePassPerFiftyMillisecondSleepUntilStopped)
{
    pt::SetSleepMode(pt::SleepMode::Block);
    Make();
    m_Messager->Start();
    ASSERT_TRUE(pt::WaitForSleepCalls(1));
    EXPECT_TRUE(m_Messager->IsRunning());
    EXPECT_EQ(m_Control->Take(), "up(0,0)");

    pt::InjectMouseMove(7, 8);
    tarn_test::VirtualWindow::Pump();
    m_Messager->GetMessageManager()->PushChar('z');
    pt::ReleaseSleepers();
    ASSERT_TRUE(pt::WaitForSleepCalls(2));
    EXPECT_EQ(m_Control->Take(), "move(7,8) up(7,8) char(122)") << "delivered on the input thread's next pass";

    m_Messager->Stop();
    pt::ReleaseSleepers();
    m_Messager->Join();
    EXPECT_FALSE(m_Messager->IsRunning());
    EXPECT_EQ(m_Input->m_Updates.load(), 2) << "the stop ended the loop within one period";
    for (const pt::SleepCall& call : pt::SleepCalls()) EXPECT_EQ(call.ms, 50u);
}

TEST_F(InputThreadTest, AnInputSystemFailureEndsTheThreadWithItsLogLine)
{
    tarn_test::LogCapture log;
    pt::SetSleepMode(pt::SleepMode::Return);
    m_Input->m_Fail = true;
    Make();
    m_Messager->Start();
    m_Messager->Join();
    EXPECT_FALSE(m_Messager->IsRunning());
    EXPECT_TRUE(log.HasEntry("exception in SInputMessager\n")) << log.Text();
}

TEST_F(InputThreadTest, DestroyingRightAfterStartOrWhileRunningJoinsTheThread)
{
    pt::SetSleepMode(pt::SleepMode::Return);
    for (int i = 0; i < 20; ++i) {
        Make();
        m_Messager->Start();
        m_Messager.reset();
    }
    pt::SetSleepMode(pt::SleepMode::Block);
    Make();
    m_Messager->Start();
    ASSERT_TRUE(pt::WaitForSleepCalls(1));
    pt::SetSleepMode(pt::SleepMode::Return);
    m_Messager.reset();
}

TEST_F(InputThreadTest, ReceiversMayBeAddedWhilePassesRun)
{
    pt::SetSleepMode(pt::SleepMode::Return);
    Make();
    m_Messager->Start();
    std::vector<boost::shared_ptr<RecordingControl>> added;
    for (int i = 0; i < 200; ++i) {
        added.push_back(boost::make_shared<RecordingControl>());
        m_Messager->AddReceiver(added.back());
    }
    const size_t before = pt::SleepCalls().size();
    ASSERT_TRUE(pt::WaitForSleepCalls(before + 2));
    m_Messager->Stop();
    m_Messager->Join();
    EXPECT_NE(added.back()->Take().find("up(0,0)"), std::string::npos);
}

} // namespace
