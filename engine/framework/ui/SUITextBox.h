#pragma once
// A single-line text entry: a press focuses it, typed characters (upper-cased, 32..127, up to the
// maximum length) are appended, Backspace removes the last one. It can write into an outside
// string instead of its own. Input (input thread) and drawing (main thread) hold its lock.

#include "engine/framework/threads/SLockGuard.h"
#include "engine/framework/ui/SUIControl.h"
#include "engine/framework/ui/SUITextBinding.h"
#include "engine/framework/ui/SUITextLayout.h"

#include <bitset>

namespace TarnEngine {
namespace UI {

class SUITextBox : public SUIControl {
public:
    // As SUILabel::Create for the font; the maximum length becomes 20.
    void Create(float cellWidth, float cellHeight, float spacing, const std::string& textureName, float charsW,
                float charsH, float x, float y);
    // From now on characters go to target, and the box shows it.
    void BindText(std::wstring& target);
    // The bound text, or the box's own.
    std::wstring GetText();
    const boost::shared_ptr<STextureFont>& GetFont() const { return m_Font; }
    bool IsFocused() const { return m_Focused; }

    bool DoHitTest(float x, float y) override;
    void DoKillFocus() override { m_Focused = false; }
    void DoMouseDown(float x, float y) override { m_Focused = true; }
    void DoRender(float x, float y) override;
    void DoKeyDown(uint32_t code) override;
    void DoKeyUp(uint32_t code) override;
    void DoChar(uint32_t code) override;

    float m_X = 0.0f, m_Y = 0.0f;
    boost::shared_ptr<SSprite> m_Background;
    boost::shared_ptr<SSprite> m_CaretSprite;
    uint32_t m_MaxLength = 20;
    SUITextLayout m_Layout;

private:
    std::wstring& Text();
    void RefreshFont();

    boost::shared_ptr<STextureFont> m_Font;
    std::atomic<bool> m_Focused{false};
    std::wstring m_Text;
    size_t m_CaretIndex = 0;
    std::bitset<256> m_KeysDown;
    boost::shared_ptr<SUITextBinding> m_Binding;
    SLockGuard m_Lock;
};

} // namespace UI
} // namespace TarnEngine
