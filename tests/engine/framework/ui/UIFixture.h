#pragma once
// The headless 800 x 600 viewport of the drawables' tests, with a glyph texture named "font",
// counting callbacks and pointer helpers in client pixels.

#include "engine/core/render/STexture.h"
#include "engine/framework/threads/IUIEvent.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/ui/SUIControl.h"
#include "tests/engine/framework/drawables/DrawablesFixture.h"
#include "platform/testing_render.h"

#include <functional>

namespace ui_test {

using namespace TarnEngine;
using namespace TarnEngine::UI;
using drawables_test::ThrownText;
using drawables_test::StartsWith;

class Counter : public IUIEvent {
public:
    explicit Counter(std::function<void()> also = nullptr) : m_Also(also) {}
    void Invoke() override
    {
        ++m_Count;
        if (m_Also) m_Also();
    }
    int m_Count = 0;

private:
    std::function<void()> m_Also;
};

class UITest : public drawables_test::DrawablesTest {
protected:
    void SetUp() override
    {
        DrawablesTest::SetUp();
        boost::shared_ptr<SCore::STexture> font = m_Viewport->CreateTexture("font");
        font->DoCreate(16, 16, 32);
        m_Viewport->m_TextureManager->AddTexture(font);
    }
    template <typename T>
    boost::shared_ptr<T> Make()
    {
        boost::shared_ptr<T> control(new T);
        control->SetViewport(m_Viewport);
        return control;
    }
    boost::shared_ptr<SSprite> Sprite(const std::string& name)
    {
        boost::shared_ptr<SSprite> sprite(new SSprite(name, false));
        sprite->Create(m_Viewport);
        sprite->m_CoordAligment = SCA_LEFT_TOP;
        return sprite;
    }
    static void Move(SUIControl& c, int x, int y) { c.DoMouseMoveEvent(SUIInputMouseMoveEvent(x, y)); }
    static void Down(SUIControl& c, int x, int y) { c.DoMouseDownEvent(SUIInputMouseDownEvent(x, y)); }
    static void Up(SUIControl& c, int x, int y) { c.DoMouseUpEvent(SUIInputMouseUpEvent(x, y)); }
    static void Click(SUIControl& c, int x, int y)
    {
        Down(c, x, y);
        Up(c, x, y);
    }
    static void Type(SUIControl& c, const std::string& text)
    {
        for (char ch : text) c.DoCharEvent(SUIInputCharEvent(uint8_t(ch)));
    }
    static void Key(SUIControl& c, uint32_t code)
    {
        c.DoKeyDownEvent(SUIInputKeyDownEvent(code));
        c.DoKeyUpEvent(SUIInputKeyUpEvent(code));
    }
    static size_t Draws() { return platform::testing::RenderCalls("DrawIndexedPrimitive").size(); }
    // The native draws that draw makes.
    static size_t DrawsOf(const std::function<void()>& draw)
    {
        platform::testing::ClearRenderCalls();
        draw();
        return Draws();
    }
    template <typename C>
    static void Place(C& c, float x, float y, float w, float h)
    {
        c.m_X = x;
        c.m_Y = y;
        c.m_W = w;
        c.m_H = h;
    }
};

} // namespace ui_test
