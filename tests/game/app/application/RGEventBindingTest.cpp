#include "game/app/application/RGEventBinding.h"

#include <boost/weak_ptr.hpp>
#include <gtest/gtest.h>

#include <string>

using namespace Runegarden;
using namespace TarnEngine::UI;

namespace {

struct Screen {
    void A() { m_Calls += "A"; }
    void B() { m_Calls += "B"; }
    std::string m_Calls;
};

TEST(RGEventBindingTest, EachBinderFillsItsSlotAndBindingAgainReplacesTheEvent)
{
    Screen screen;
    SUIButton button;
    SUICheckBox checkBox;
    SUITrackBar trackBar;
    SUIForm form("Form");
    BindClickEvent(button, &Screen::A, &screen);
    boost::weak_ptr<IUIEvent> first = button.m_ClickEvent;
    BindClickEvent(button, &Screen::B, &screen);
    EXPECT_TRUE(first.expired()) << "the first event is released";
    BindFocusEvent(button, &Screen::A, &screen);
    BindClickEvent(checkBox, &Screen::B, &screen);
    BindChangeEvent(trackBar, &Screen::A, &screen);
    BindUpdateEvent(form, &Screen::B, &screen);

    for (const auto& slot : {button.m_ClickEvent, button.m_FocusEvent, checkBox.m_ClickEvent, trackBar.m_ChangeEvent,
                             form.m_UpdateEvent})
        slot->Invoke();
    EXPECT_EQ(screen.m_Calls, "BABAB");
}

} // namespace
