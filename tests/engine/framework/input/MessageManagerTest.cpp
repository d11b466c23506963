#include "InputFakes.h"

#include "engine/framework/input/SUIMessageManager.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <atomic>
#include <sstream>
#include <thread>

namespace pt = platform::testing;
using inputtest::FakeInput;
using inputtest::RecordingControl;
using TarnEngine::UI::SUIMessageManager;

namespace {

class MessageManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::ResetAll();
        m_Window.reset(new tarn_test::VirtualWindow(100, 50, 640, 480));
        m_Input = boost::make_shared<FakeInput>(m_Window->Handle());
        m_Manager.reset(new SUIMessageManager(m_Input));
        m_Manager->AddReceiver(m_Control);
    }
    void TearDown() override
    {
        m_Manager.reset();
        m_Window.reset();
        pt::ResetAll();
    }
    void MoveTo(int x, int y)
    {
        pt::InjectMouseMove(x, y);
        tarn_test::VirtualWindow::Pump();
    }

    std::unique_ptr<tarn_test::VirtualWindow> m_Window;
    boost::shared_ptr<FakeInput> m_Input;
    boost::shared_ptr<RecordingControl> m_Control = boost::make_shared<RecordingControl>();
    std::unique_ptr<SUIMessageManager> m_Manager;
};

TEST_F(MessageManagerTest, PassesTurnPointerButtonAndKeysIntoEvents)
{
    MoveTo(10, 20);
    m_Manager->PushKeyDown('A');
    m_Manager->PushChar('a');
    m_Manager->PushChar('b');
    m_Manager->PushKeyUp('A');
    m_Manager->Process();
    EXPECT_EQ(m_Control->Take(), "move(10,20) up(10,20) keydown(65) keyup(65) char(97) char(98)")
        << "queues drain kind by kind, each in typing order";

    m_Manager->Process();
    EXPECT_EQ(m_Control->Take(), "up(10,20)") << "mouse-up is sent on every pass with the button up";

    m_Input->Mouse().Press(true);
    m_Manager->PushKeyDown('B');
    m_Manager->Process();
    EXPECT_EQ(m_Control->Take(), "down(10,20)");
    MoveTo(12, 20);
    m_Manager->Process();
    m_Manager->Process();
    EXPECT_EQ(m_Control->Take(), "move(12,20) move(12,20)")
        << "held: the position before the press stays the reference; keys wait";

    m_Input->Mouse().Press(false);
    m_Manager->Process();
    EXPECT_EQ(m_Control->Take(), "move(12,20) up(12,20) keydown(66)") << "the waiting key comes after release";
}

TEST_F(MessageManagerTest, DisabledReceiversGetOnlyPointerMoves)
{
    m_Control->SetEnabled(false);
    MoveTo(5, 6);
    m_Input->Mouse().Press(true);
    m_Manager->PushChar('x');
    m_Manager->Process();
    m_Input->Mouse().Press(false);
    m_Manager->Process();
    EXPECT_EQ(m_Control->Take(), "move(5,6) move(5,6)") << "the press kept (0, 0) as the last position";
}

TEST_F(MessageManagerTest, AThrowingHandlerIsLoggedAndTheNextReceiverStillGetsTheEvent)
{
    tarn_test::LogCapture log;
    m_Control->m_ThrowOnDown = true;
    boost::shared_ptr<RecordingControl> second = boost::make_shared<RecordingControl>();
    m_Manager->AddReceiver(second);
    MoveTo(1, 2);
    m_Input->Mouse().Press(true);
    EXPECT_NO_THROW(m_Manager->Process());
    EXPECT_EQ(second->Take(), "move(1,2) down(1,2)");
    EXPECT_TRUE(log.HasEntry("exception in SInputMessager:boom\n")) << log.Text();

    m_Manager->RemoveReceiver(m_Control);
    m_Input->Mouse().Press(false);
    m_Manager->Process();
    EXPECT_EQ(second->Take(), "move(1,2) up(1,2)");
    EXPECT_EQ(m_Control->Take(), "move(1,2) down(1,2)") << "removed: nothing after";
}

// Without the queue lock the thread sanitizer reports the race on the queues.
TEST_F(MessageManagerTest, KeysPushedFromTheMainThreadWhileTheInputThreadDeliversArriveInOrder)
{
    const int kKeys = 3000;
    std::atomic<bool> done{false};
    std::thread input([&] {
        // Presses and releases in turn, at least once, until the pushes are over; then a pass
        // with the button up takes the keys still waiting.
        for (int pass = 0; pass < 2 || !done || pass % 2; ++pass) {
            m_Input->Mouse().Press(pass % 2 == 0);
            m_Manager->Process();
        }
        m_Manager->Process();
    });
    for (int i = 0; i < kKeys; ++i) {
        m_Manager->PushKeyDown(uint8_t(i));
        m_Manager->PushChar(uint8_t(i));
        m_Manager->PushKeyUp(uint8_t(i));
    }
    done = true;
    input.join();
    std::istringstream events(m_Control->Take());
    std::string event;
    int chars = 0, downs = 0;
    while (events >> event) {
        if (event.rfind("char(", 0) == 0) {
            EXPECT_EQ("char(" + std::to_string(chars++ % 256) + ")", event);
        } else if (event.rfind("down(", 0) == 0) {
            ++downs;
        }
    }
    EXPECT_EQ(kKeys, chars);
    EXPECT_GT(downs, 0);
}

TEST_F(MessageManagerTest, ThePointerIsMeasuredFromTheClientArea)
{
    MoveTo(-30, 500);
    m_Manager->Process();
    EXPECT_EQ(m_Control->Take(), "move(-30,500) up(-30,500)");
    pt::SetWindowScreenPosition(m_Window->Handle(), 0, 0);
    m_Manager->Process();
    EXPECT_EQ(m_Control->Take(), "move(70,550) up(70,550)") << "same screen point, window moved";
}

} // namespace
