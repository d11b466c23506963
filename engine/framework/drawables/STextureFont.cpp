#include "engine/framework/drawables/STextureFont.h"

#include "engine/core/base/SEngineException.h"
#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/render/TResourceLock.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SVertices.h"

#include <algorithm>

static const char* const kTarnSource = "Src\\STextureFont";

namespace TarnEngine {

const char* const STextureFont::kTag = "TextureFont";

STextureFont::STextureFont(float charsW, float charsH, float indent)
    : SMesh(kTag), m_CharsW(charsW), m_CharsH(charsH), m_Indent(indent)
{
    // A grid narrower than one cell would divide by zero columns; NaN fails too.
    if (!(charsW >= 1.0f && charsH >= 1.0f)) throw SEngineException("font glyph grid is empty");
}

STextureFont::~STextureFont()
{
    m_Cells.clear();
    m_Advances.clear();
    m_IndexBuffer.reset();
    m_VertexBuffer.reset();
}

void STextureFont::SetText(const std::string& text)
{
    std::wstring wide;
    wide.reserve(text.size());
    // Each byte sign-extended to 16 bits: 0x80..0xFF become 0xFF80..0xFFFF.
    for (char c : text) wide.push_back(wchar_t(uint16_t(int16_t(static_cast<signed char>(c)))));
    SetText(wide);
}

void STextureFont::SetText(const std::wstring& text)
{
    m_Cached = false;
    m_Text = text;
}

float STextureFont::GetTextWidth() const
{
    float width = 0.0f;
    for (wchar_t c : m_Text) {
        auto it = m_Advances.find(uint32_t(c));
        width += it == m_Advances.end() ? 1.0f : it->second;
    }
    return width;
}

uint32_t STextureFont::GetColor() const
{
    return uint32_t(m_Color[0]) << 24 | uint32_t(m_Color[1]) << 16 | uint32_t(m_Color[2]) << 8 | m_Color[3];
}

size_t STextureFont::DrawnChars() const { return std::min(m_Text.size(), kMaxDrawnChars); }

void STextureFont::FillVertexData(SScreenVertex* pVData)
{
    TARN_TRY
    TARN_ASSERT(pVData != 0);
    float w = float(RenderDevice().DoGetWidth());
    float h = float(RenderDevice().DoGetHeight());
    uint32_t cols = uint32_t(m_CharsW);
    uint32_t colour = GetColor();
    float pen = 0.0f;
    size_t n = DrawnChars();
    for (size_t i = 0; i < n; ++i) {
        uint32_t code = uint32_t(m_Text[i]);
        auto advance = m_Advances.find(code);
        auto cell = m_Cells.find(code);
        float a = advance == m_Advances.end() ? 1.0f : advance->second;
        uint32_t k = cell == m_Cells.end() ? code : cell->second;
        float cu = float(k % cols) / m_CharsW;
        float cv = float(k / cols) / m_CharsH;
        float du = a / m_CharsW;
        float dv = 1.0f / m_CharsH;
        float start = m_X + m_Indent * float(i) * m_GlyphWidth + pen;
        float left = start * w;
        float right = (start + a * m_GlyphWidth) * w;
        float top = m_Y * h;
        float bottom = (m_Y + m_GlyphHeight) * h;
        const float x[4] = {left, right, right, left};
        const float y[4] = {top, top, bottom, bottom};
        const float u[4] = {cu, cu + du, cu + du, cu};
        const float v[4] = {cv, cv, cv + dv, cv + dv};
        for (int j = 0; j < 4; ++j)
            pVData[4 * i + j] = {x[j], y[j], 1.0f, 1.0f, colour, m_TexScaleU * u[j] + m_TexOffsetU,
                                 m_TexScaleV * v[j] + m_TexOffsetV};
        pen += (a - 1.0f) * m_GlyphWidth;
    }
    TARN_CATCH("STextureFont::FillVertexData()")
}

void STextureFont::FillIndexData(uint16_t* pIData)
{
    TARN_ASSERT(pIData != 0);
    size_t n = DrawnChars();
    for (size_t i = 0; i < n; ++i) {
        uint16_t b = uint16_t(4 * i);
        const uint16_t quad[6] = {b, uint16_t(b + 1), uint16_t(b + 3), uint16_t(b + 1), uint16_t(b + 2), uint16_t(b + 3)};
        std::copy(quad, quad + 6, pIData + 6 * i);
    }
}

void STextureFont::Precashing()
{
    TARN_TRY
    TARN_ASSERT(0 != m_Viewport.get());
    uint32_t n = uint32_t(DrawnChars());
    if (!m_VertexBuffer || m_VertexBuffer->m_VertexCount != 4 * n) {
        m_VertexBuffer.reset();
        m_VertexBuffer = m_Viewport->CreateVertexBuffer(4 * n, sizeof(SScreenVertex), SScreenVertex::kFVF, 4);
    }
    {
        SCore::TResourceLock<SCore::SVertexBuffer> lock(m_VertexBuffer);
        FillVertexData(static_cast<SScreenVertex*>(lock.Data()));
    }
    if (!m_IndexBuffer || m_IndexBuffer->m_IndexCount != 6 * n) {
        m_IndexBuffer.reset();
        m_IndexBuffer = m_Viewport->CreateIndexBuffer(6 * n);
    }
    {
        SCore::TResourceLock<SCore::SIndexBuffer> lock(m_IndexBuffer);
        FillIndexData(static_cast<uint16_t*>(lock.Data()));
    }
    m_Cached = true;
    TARN_CATCH("STextureFont::Precashing()")
}

void STextureFont::DoRender(const SCore::SMatrix&)
{
    TARN_TRY
    if (m_Text.empty()) return;
    SCore::SRenderDevice& device = RenderDevice();
    if (!m_Cached) Precashing();
    device.DoBindVertexBuffer(m_VertexBuffer);
    device.DoBindIndexBuffer(m_IndexBuffer);
    device.DoRender(m_VertexBuffer, m_IndexBuffer, 0);
    TARN_CATCH("STextureFont::DoRender()")
}

} // namespace TarnEngine
