#pragma once
// A line of text drawn as one screen quad per character, each cut from a glyph-grid texture of
// charsW columns by charsH rows. Per-character advances and cells come from the game's font
// metrics; fonts are not stored in XML.

#include "engine/framework/drawables/SMesh.h"

#include <cstdint>
#include <map>

namespace SCore {
class SVertexBuffer;
class SIndexBuffer;
}

namespace TarnEngine {

struct SScreenVertex;

class STextureFont : public SMesh {
public:
    static const char* const kTag; // "TextureFont"
    // 16-bit indices address 65536 vertices, four per character.
    static constexpr size_t kMaxDrawnChars = 16384;

    // Throws "font glyph grid is empty" for a grid below one cell in either direction.
    STextureFont(float charsW, float charsH, float indent);
    ~STextureFont() override;

    void SetText(const std::string& text);
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return m_Text; }
    // In glyph widths: the sum of the characters' advances.
    float GetTextWidth() const;

    void DoSerialize(SCore::SSerializator&) override {}
    void DoDeserialize(SCore::SDeserializator&, unsigned int) override {}
    void DoDeserialize(SCore::SDeserializator&) override {}
    void DoCreate(const boost::shared_ptr<SCore::SViewport>&) override {}
    void DoRender(const SCore::SMatrix& transform) override;
    void RefreshAABB() override {}
    const char* GetTypeName() const override { return kTag; }
    std::vector<STriangle>& DoGetTriangles() override { return m_NoTriangles; }

    void Precashing();
    void FillVertexData(SScreenVertex* pVData);
    void FillIndexData(uint16_t* pIData);

    // The colour composed as 0xAARRGGBB.
    uint32_t GetColor() const;
    const boost::shared_ptr<SCore::SVertexBuffer>& GetVertexBuffer() const { return m_VertexBuffer; }
    const boost::shared_ptr<SCore::SIndexBuffer>& GetIndexBuffer() const { return m_IndexBuffer; }

    bool m_Cached = false;
    float m_X = 0.0f, m_Y = 0.0f;                     // top-left of the first glyph, viewport fractions
    float m_GlyphWidth = 0.0f, m_GlyphHeight = 0.0f; // one glyph quad, viewport fractions
    float m_CharsW, m_CharsH;
    float m_Indent; // multiplier of the pitch; 1.0 sets characters edge to edge
    float m_TexOffsetU = 0.0f, m_TexOffsetV = 0.0f;
    float m_TexScaleU = 1.0f, m_TexScaleV = 1.0f;
    uint8_t m_Color[4] = {255, 255, 255, 255}; // alpha, red, green, blue
    std::map<uint32_t, float> m_Advances;       // in glyph widths; 1.0 when absent
    std::map<uint32_t, uint32_t> m_Cells;       // grid cell, row by row; the code when absent

private:
    size_t DrawnChars() const;

    boost::shared_ptr<SCore::SVertexBuffer> m_VertexBuffer;
    boost::shared_ptr<SCore::SIndexBuffer> m_IndexBuffer;
    std::wstring m_Text;
    std::vector<STriangle> m_NoTriangles;
};

} // namespace TarnEngine
