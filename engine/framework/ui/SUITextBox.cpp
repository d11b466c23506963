#include "engine/framework/ui/SUITextBox.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"

#include <cctype>

static const char* const kTarnSource = "Src\\SUITextBox";

namespace TarnEngine {
namespace UI {

namespace {
const uint32_t kBackspace = 8;
// Names end up as XML attribute values, which cannot hold a double quote.
const uint32_t kDoubleQuote = 34;
}

void SUITextBox::Create(float cellWidth, float cellHeight, float spacing, const std::string& textureName,
                        float charsW, float charsH, float x, float y)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    m_Layout.SetCell(cellWidth, cellHeight, spacing);
    m_Font = m_Layout.CreateFont(m_Viewport, textureName, charsW, charsH);
    m_X = x;
    m_Y = y;
    m_MaxLength = 20;
    RefreshFont();
    TARN_CATCH("SUITextBox::Create()")
}

void SUITextBox::BindText(std::wstring& target)
{
    CriticalSectionLock lock(m_Lock.Section());
    m_Binding.reset(new SUITextBinding(&target));
    RefreshFont();
}

std::wstring SUITextBox::GetText()
{
    CriticalSectionLock lock(m_Lock.Section());
    return Text();
}

std::wstring& SUITextBox::Text() { return m_Binding ? m_Binding->Text() : m_Text; }

void SUITextBox::RefreshFont()
{
    if (m_Font) m_Font->SetText(Text());
}

bool SUITextBox::DoHitTest(float x, float y) { return m_Layout.HitTest(m_X, m_Y, m_MaxLength, x, y); }

void SUITextBox::DoKeyDown(uint32_t code)
{
    CriticalSectionLock lock(m_Lock.Section());
    if (code < m_KeysDown.size()) m_KeysDown.set(code);
}

void SUITextBox::DoKeyUp(uint32_t code)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    if (code >= m_KeysDown.size() || !m_KeysDown.test(code)) return;
    if (code == kBackspace) {
        // The text may have changed outside (a bound string emptied by its owner): the caret
        // follows the text's end, so a cut never reaches past it.
        std::wstring& text = Text();
        m_CaretIndex = text.size();
        if (m_CaretIndex > 0) {
            --m_CaretIndex;
            text.erase(m_CaretIndex);
            RefreshFont();
        }
    }
    m_KeysDown.reset(code);
    TARN_CATCH("SUITextBox::DoKeyUp()")
}

void SUITextBox::DoChar(uint32_t code)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    uint32_t c = code < 256 ? uint32_t(std::toupper(int(code))) : code;
    std::wstring& text = Text();
    m_CaretIndex = text.size();
    if (!m_Focused || c < 32 || c > 127 || c == kDoubleQuote || text.size() >= m_MaxLength) return;
    if (m_Binding) m_Binding->Append(wchar_t(c));
    else m_Text.push_back(wchar_t(c));
    m_CaretIndex = Text().size();
    RefreshFont();
    TARN_CATCH("SUITextBox::DoChar()")
}

void SUITextBox::DoRender(float x, float y)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    TARN_ASSERT(0 != m_Font.get());
    if (m_Binding && m_Font->GetText() != m_Binding->Text()) RefreshFont();
    float textEnd, textY;
    m_Layout.Arrange(*m_Font, m_Background, m_X + x, m_Y + y, m_MaxLength, textEnd, textY);
    DrawSprite(m_Background);
    m_Font->Draw();
    if (m_CaretSprite) {
        m_CaretSprite->m_Position.X = textEnd;
        m_CaretSprite->m_Position.Y = textY;
        m_CaretSprite->m_Cached = false;
        DrawSprite(m_CaretSprite);
    }
    TARN_CATCH("SUITextBox::DoRender()")
}

} // namespace UI
} // namespace TarnEngine
