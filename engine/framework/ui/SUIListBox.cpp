#include "engine/framework/ui/SUIListBox.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"

#include <algorithm>
#include <cmath>

static const char* const kTarnSource = "Src\\SUIListBox";

namespace TarnEngine {
namespace UI {

void SUIListBox::Create(float cellWidth, float cellHeight, float spacing, const std::string& textureName, float charsW,
                        float charsH, float x, float y, uint32_t visibleRows, float paddingLeft, float paddingTop,
                        float paddingRight, float paddingBottom)
{
    m_RowLayout.SetCell(cellWidth, cellHeight, spacing);
    m_RowLayout.m_PaddingLeft = paddingLeft;
    m_RowLayout.m_PaddingTop = paddingTop;
    m_RowLayout.m_PaddingRight = paddingRight;
    m_RowLayout.m_PaddingBottom = paddingBottom;
    m_RowWidth = 20;
    m_TextureName = textureName;
    m_CharsW = charsW;
    m_CharsH = charsH;
    m_X = x;
    m_Y = y;
    m_VisibleRows = visibleRows;
}

boost::shared_ptr<SUILabel> SUIListBox::CreateItem(const std::wstring& text)
{
    TARN_TRY
    boost::shared_ptr<SUILabel> row(new SUILabel);
    row->SetViewport(m_Viewport);
    row->Create(m_RowWidth, m_RowLayout.m_CellWidth, m_RowLayout.m_CellHeight, m_RowLayout.m_Spacing, m_TextureName,
                m_CharsW, m_CharsH, m_X, m_Y, text);
    row->m_Layout = m_RowLayout;
    return row;
    TARN_CATCH("SUIListBox::CreateItem()")
}

void SUIListBox::AddItem(const std::wstring& text)
{
    TARN_TRY
    m_Items.push_back(CreateItem(text));
    m_Selected = uint32_t(m_Items.size() - 1);
    TARN_CATCH("SUIListBox::AddItem()")
}

void SUIListBox::InsertItem(const std::wstring& text)
{
    TARN_TRY
    m_Items.insert(m_Items.begin(), CreateItem(text));
    m_Selected = 0;
    TARN_CATCH("SUIListBox::InsertItem()")
}

void SUIListBox::RemoveSelectedItem()
{
    if (!HasSelection()) return;
    m_Items.erase(m_Items.begin() + m_Selected);
    if (m_Items.size() > m_VisibleRows) {
        ClampFirstVisible();
        m_Selected = m_FirstVisible;
    } else {
        m_FirstVisible = 0;
        m_Selected = 0;
    }
}

void SUIListBox::SelectItem(const std::wstring& text)
{
    m_Selected = 0;
    while (m_Selected < m_Items.size() && m_Items[m_Selected]->GetText() != text) ++m_Selected;
}

void SUIListBox::GetItemFonts(std::vector<boost::shared_ptr<STextureFont>>& fonts) const
{
    for (const auto& item : m_Items) fonts.push_back(item->GetFont());
}

std::wstring SUIListBox::GetSelectedItemText() const
{
    return HasSelection() ? m_Items[m_Selected]->GetText() : std::wstring();
}

float SUIListBox::RowHeight() const
{
    return m_RowLayout.m_PaddingTop + m_RowLayout.m_CellHeight + m_RowLayout.m_PaddingBottom;
}

float SUIListBox::RightEdge() const
{
    return m_X + float(m_RowWidth - 1) * m_RowLayout.m_CellWidth * m_RowLayout.m_Spacing + m_RowLayout.m_CellWidth;
}

void SUIListBox::ClampFirstVisible()
{
    uint32_t rows = uint32_t(m_Items.size());
    uint32_t last = rows > m_VisibleRows ? rows - m_VisibleRows : 0;
    m_FirstVisible = std::min(m_FirstVisible, last);
}

bool SUIListBox::DoHitTest(float x, float y)
{
    float shown = float(std::min<size_t>(m_Items.size(), m_VisibleRows));
    return x >= m_X && x <= RightEdge() + RowHeight() && y >= m_Y && y <= m_Y + shown * RowHeight();
}

void SUIListBox::DoMouseDown(float x, float y)
{
    float rowHeight = RowHeight();
    if (x <= RightEdge()) {
        if (m_Items.empty() || !(rowHeight > 0.0f)) return;
        // The row choice rounds, so the lower half of a row picks the next one; the last row
        // stays the last.
        float row = std::round((y - m_Y) / rowHeight) + float(m_FirstVisible);
        m_Selected = uint32_t(std::min(std::max(row, 0.0f), float(m_Items.size() - 1)));
        return;
    }
    if (m_Items.size() <= m_VisibleRows) return;
    bool belowFirstRow = y > m_Y + rowHeight;
    bool inLastRow = y >= m_Y + float(m_VisibleRows - 1) * rowHeight;
    if (belowFirstRow && inLastRow) {
        m_FirstVisible = std::min<uint32_t>(m_FirstVisible + 1, uint32_t(m_Items.size()) - m_VisibleRows);
    } else if (!belowFirstRow && m_FirstVisible > 0) {
        --m_FirstVisible;
    }
}

void SUIListBox::DoRender(float x, float y)
{
    TARN_TRY
    ClampFirstVisible();
    float rowHeight = RowHeight();
    for (uint32_t i = 0; i < m_VisibleRows && m_FirstVisible + i < m_Items.size(); ++i) {
        uint32_t index = m_FirstVisible + i;
        SUILabel& row = *m_Items[index];
        row.m_X = m_X + x;
        row.m_Y = m_Y + y + float(i) * rowHeight;
        row.m_Background = index == m_Selected ? m_SelectedLook : m_NormalLook;
        row.m_Layout = m_RowLayout;
        row.m_Layout.m_Alignment = m_RowAlignment;
        row.DoRender(0.0f, 0.0f);
    }
    if (m_Items.size() > m_VisibleRows && m_ArrowSprite && m_VisibleRows > 0) {
        float arrowX = RightEdge() + x;
        PlaceSprite(m_ArrowSprite, arrowX, m_Y + y, rowHeight, rowHeight);
        m_ArrowSprite->m_FlipVertical = false;
        DrawSprite(m_ArrowSprite);
        PlaceSprite(m_ArrowSprite, arrowX, m_Y + y + float(m_VisibleRows - 1) * rowHeight, rowHeight, rowHeight);
        m_ArrowSprite->m_FlipVertical = true;
        DrawSprite(m_ArrowSprite);
        m_ArrowSprite->m_FlipVertical = false;
        m_ArrowSprite->m_Cached = false;
    }
    TARN_CATCH("SUIListBox::DoRender()")
}

} // namespace UI
} // namespace TarnEngine
