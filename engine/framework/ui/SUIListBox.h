#pragma once
// A list of text rows, some of them visible at a time, with a selected row and scroll arrows
// drawn right of the rows when there are more rows than fit.

#include "engine/framework/ui/SUIControl.h"
#include "engine/framework/ui/SUILabel.h"

#include <vector>

namespace TarnEngine {
namespace UI {

class SUIListBox : public SUIControl {
public:
    // Rows take over the cell, spacing and paddings; they are 20 characters wide.
    void Create(float cellWidth, float cellHeight, float spacing, const std::string& textureName, float charsW,
                float charsH, float x, float y, uint32_t visibleRows, float paddingLeft, float paddingTop,
                float paddingRight, float paddingBottom);
    // Appends a row and selects it.
    void AddItem(const std::wstring& text);
    // Puts a row at the top and selects it.
    void InsertItem(const std::wstring& text);
    // Does nothing when no row is selected.
    void RemoveSelectedItem();
    // Selects the first row with that text; none selected when no row has it.
    void SelectItem(const std::wstring& text);
    void GetItemFonts(std::vector<boost::shared_ptr<STextureFont>>& fonts) const;
    // The selected row's text, or the empty text when no row is selected.
    std::wstring GetSelectedItemText() const;
    bool HasSelection() const { return m_Selected < m_Items.size(); }
    uint32_t GetSelected() const { return m_Selected; }
    uint32_t GetFirstVisible() const { return m_FirstVisible; }
    size_t GetItemCount() const { return m_Items.size(); }

    bool DoHitTest(float x, float y) override;
    // Selects the row under the press, or scrolls when the press is on an arrow.
    void DoMouseDown(float x, float y) override;
    void DoRender(float x, float y) override;

    float m_X = 0.0f, m_Y = 0.0f;
    uint32_t m_RowWidth = 20; // characters
    uint32_t m_VisibleRows = 0;
    // The backgrounds the rows are drawn on: the selected row's and every other row's.
    boost::shared_ptr<SSprite> m_NormalLook, m_SelectedLook;
    boost::shared_ptr<SSprite> m_ArrowSprite;
    uint32_t m_RowAlignment = SUITA_LEFT;

private:
    boost::shared_ptr<SUILabel> CreateItem(const std::wstring& text);
    float RowHeight() const;
    float RightEdge() const;
    // Keeps the first visible row within the rows.
    void ClampFirstVisible();

    std::vector<boost::shared_ptr<SUILabel>> m_Items;
    SUITextLayout m_RowLayout;
    std::string m_TextureName;
    float m_CharsW = 16.0f, m_CharsH = 16.0f;
    uint32_t m_FirstVisible = 0;
    uint32_t m_Selected = 0;
};

} // namespace UI
} // namespace TarnEngine
