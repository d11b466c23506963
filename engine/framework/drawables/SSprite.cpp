#include "engine/framework/drawables/SSprite.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/render/TResourceLock.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/base/SEngineException.h"
#include "engine/framework/drawables/SMathMatrix.h"
#include "engine/framework/drawables/SVertices.h"

#include <cmath>
#include <utility>

static const char* const kTarnSource = "Src\\SSprite";

namespace TarnEngine {

const char* const SSprite::kTag = "Sprite";

namespace {

const uint32_t kTriangleList = 4;

struct Corners {
    float x[4], y[4];
};

// Corner offsets of a centred quad in vertex order: left-upper, right-upper, right-lower,
// left-lower.
void CentredOffsets(float hw, float hh, float dx[4], float dy[4])
{
    dx[0] = -hw, dy[0] = -hh;
    dx[1] = hw, dy[1] = -hh;
    dx[2] = hw, dy[2] = hh;
    dx[3] = -hw, dy[3] = hh;
}

void Flip(Corners& c, bool horizontal, bool vertical)
{
    if (horizontal) {
        std::swap(c.x[0], c.x[1]);
        std::swap(c.x[2], c.x[3]);
    }
    if (vertical) {
        std::swap(c.y[0], c.y[2]);
        std::swap(c.y[1], c.y[3]);
    }
}

// Restores the world, view and projection transforms pushed for a transformed draw, on every
// way out.
class TransformRestore {
public:
    explicit TransformRestore(SCore::SRenderDevice& device) : m_Device(device)
    {
        m_Device.DoPushTransform(SCore::STT_WORLD);
        m_Device.DoPushTransform(SCore::STT_VIEW);
        m_Device.DoPushTransform(SCore::STT_PROJECTION);
    }
    ~TransformRestore()
    {
        try {
            m_Device.DoPopTransform(SCore::STT_PROJECTION);
            m_Device.DoPopTransform(SCore::STT_VIEW);
            m_Device.DoPopTransform(SCore::STT_WORLD);
        } catch (const SCore::TarnCoreException&) {
        }
    }

private:
    SCore::SRenderDevice& m_Device;
};

} // namespace

SSprite::SSprite(const std::string& name, bool withTransform) : SMesh(name), m_WithTransform(withTransform)
{
    m_TexCoords.Width = 1.0f;
    m_TexCoords.Height = 1.0f;
}

SSprite::~SSprite()
{
    m_IndexBuffer.reset();
    m_VertexBuffer.reset();
}

void SSprite::FillVertexData(SScreenVertex* pVData)
{
    TARN_TRY
    TARN_ASSERT(pVData != 0);
    float w = float(RenderDevice().DoGetWidth());
    float h = float(RenderDevice().DoGetHeight());
    const SCore::SRect& p = m_Position;
    float hw = p.Width * 0.5f * m_XScaleFactor;
    float hh = p.Height * 0.5f * m_YScaleFactor;
    Corners c;
    if (m_Angle == 0.0f) {
        float left, right, top, bottom;
        if (m_CoordAligment == SCA_LEFT_TOP) {
            left = p.X * w;
            right = (p.X + m_XScaleFactor * p.Width) * w;
            top = p.Y * h;
            bottom = (p.Y + m_YScaleFactor * p.Height) * h;
        } else { // every other alignment value is taken as the centre
            left = (p.X - hw) * w;
            right = (p.X + hw) * w;
            top = (p.Y - hh) * h;
            bottom = (p.Y + hh) * h;
        }
        c = {{left, right, right, left}, {top, top, bottom, bottom}};
    } else {
        float dx[4], dy[4];
        CentredOffsets(hw, hh, dx, dy);
        float cs = std::cos(m_Angle), sn = std::sin(m_Angle);
        for (int i = 0; i < 4; ++i) {
            c.x[i] = (p.X + dx[i] * cs - dy[i] * sn) * w;
            c.y[i] = (p.Y + dx[i] * sn + dy[i] * cs) * h;
        }
    }
    Flip(c, m_FlipHorizontal, m_FlipVertical);
    const SColor colours[4] = {m_ColorLU, m_ColorRU, m_ColorRD, m_ColorLD};
    const float u[4] = {m_TexCoords.X, m_TexCoords.Width, m_TexCoords.Width, m_TexCoords.X};
    const float v[4] = {m_TexCoords.Y, m_TexCoords.Y, m_TexCoords.Height, m_TexCoords.Height};
    for (int i = 0; i < 4; ++i) pVData[i] = {c.x[i], c.y[i], 0.0f, 1.0f, colours[i], u[i], v[i]};
    TARN_CATCH("SSprite::FillVertexData()")
}

void SSprite::FillVertexData(SColorVertex* pVData)
{
    TARN_TRY
    TARN_ASSERT(pVData != 0);
    float xs = m_XScaleFactor, ys = m_YScaleFactor;
    Corners c;
    if (m_Angle == 0.0f && m_CoordAligment == SCA_LEFT_TOP) {
        c = {{-1.0f, 2 * xs - 1, 2 * xs - 1, -1.0f}, {1.0f, 1.0f, -1.0f, -1.0f}};
    } else if (m_Angle == 0.0f) {
        c = {{-xs - 1, xs - 1, xs - 1, -xs - 1}, {ys + 1, ys + 1, 1 - ys, 1 - ys}};
    } else { // a turned sprite is centred whatever its alignment
        float dx[4], dy[4];
        CentredOffsets(0.5f * xs, 0.5f * ys, dx, dy);
        float cs = std::cos(m_Angle), sn = std::sin(m_Angle);
        for (int i = 0; i < 4; ++i) {
            c.x[i] = (dx[i] * cs - dy[i] * sn) * 2 - 1;
            c.y[i] = 1 - (dx[i] * sn + dy[i] * cs) * 2;
        }
    }
    Flip(c, m_FlipHorizontal, m_FlipVertical);
    const SColor colours[4] = {m_ColorLU, m_ColorRU, m_ColorRD, m_ColorLD};
    const float u[4] = {m_TexCoords.X, m_TexCoords.Width, m_TexCoords.Width, m_TexCoords.X};
    const float v[4] = {m_TexCoords.Y, m_TexCoords.Y, m_TexCoords.Height, m_TexCoords.Height};
    for (int i = 0; i < 4; ++i) pVData[i] = {c.x[i], c.y[i], 1.0f, colours[i], u[i], v[i]};
    TARN_CATCH("SSprite::FillVertexData()")
}

void SSprite::FillIndexData(uint16_t* pIData)
{
    TARN_ASSERT(pIData != 0);
    const uint16_t indices[6] = {0, 1, 3, 1, 2, 3};
    for (int i = 0; i < 6; ++i) pIData[i] = indices[i];
}

void SSprite::Precashing()
{
    TARN_TRY
    TARN_ASSERT(0 != m_Viewport.get());
    if (!m_VertexBuffer) {
        if (m_WithTransform)
            m_VertexBuffer = m_Viewport->CreateVertexBuffer(4, sizeof(SColorVertex), SColorVertex::kFVF, kTriangleList);
        else
            m_VertexBuffer = m_Viewport->CreateVertexBuffer(4, sizeof(SScreenVertex), SScreenVertex::kFVF, kTriangleList);
    }
    {
        SCore::TResourceLock<SCore::SVertexBuffer> lock(m_VertexBuffer);
        if (m_WithTransform) FillVertexData(static_cast<SColorVertex*>(lock.Data()));
        else FillVertexData(static_cast<SScreenVertex*>(lock.Data()));
    }
    if (!m_IndexBuffer) m_IndexBuffer = m_Viewport->CreateIndexBuffer(6);
    {
        SCore::TResourceLock<SCore::SIndexBuffer> lock(m_IndexBuffer);
        FillIndexData(static_cast<uint16_t*>(lock.Data()));
    }
    m_Cached = true;
    TARN_CATCH("SSprite::Precashing()")
}

void SSprite::DoRender(const SCore::SMatrix& transform)
{
    TARN_TRY
    SCore::SRenderDevice& device = RenderDevice();
    if (!m_Cached) Precashing();
    device.DoBindVertexBuffer(m_VertexBuffer);
    device.DoBindIndexBuffer(m_IndexBuffer);
    if (!m_WithTransform) {
        device.DoRender(m_VertexBuffer, m_IndexBuffer, 0);
        return;
    }
    TransformRestore restore(device);
    // Scale by the rectangle's size, then move to its place in -1..1 device coordinates.
    SCore::SMatrix place;
    MatrixTranslation(&place, 2 * m_Position.X + m_Position.Width - 1, 1 - m_Position.Height - 2 * m_Position.Y, 0.0f);
    place.m[0][0] = m_Position.Width;
    place.m[1][1] = m_Position.Height;
    SCore::SMatrix world;
    MatrixMultiply(&world, place, transform);
    device.DoSetTransform(SCore::STT_WORLD, world);
    device.DoSetTransform(SCore::STT_VIEW, IdentityMatrix());
    device.DoSetTransform(SCore::STT_PROJECTION, IdentityMatrix());
    device.DoRender(m_VertexBuffer, m_IndexBuffer, 0);
    TARN_CATCH("SSprite::DoRender()")
}

void SSprite::RefreshAABB()
{
    TARN_TRY
    float w = float(RenderDevice().DoGetWidth());
    float h = float(RenderDevice().DoGetHeight());
    const SCore::SRect& p = m_Position;
    SCore::SAABBox box;
    if (m_Angle == 0.0f && m_CoordAligment == SCA_LEFT_TOP) {
        box.Min = {p.X * w, p.Y * h, 0.0f};
        box.Max = {(p.X + p.Width) * w, (p.Y + p.Height) * h, 0.0f};
    } else if (m_Angle == 0.0f) {
        box.Min = {(p.X - p.Width / 2) * w, (p.Y - p.Height / 2) * h, 0.0f};
        box.Max = {(p.X + p.Width / 2) * w, (p.Y + p.Height / 2) * h, 0.0f};
    } else {
        // The turned left-upper and right-lower corners, taken as they are.
        float hw = p.Width * 0.5f, hh = p.Height * 0.5f;
        float cs = std::cos(m_Angle), sn = std::sin(m_Angle);
        box.Min = {(p.X - hw * cs + hh * sn) * w, (p.Y - hw * sn - hh * cs) * h, 0.0f};
        box.Max = {(p.X + hw * cs - hh * sn) * w, (p.Y + hw * sn + hh * cs) * h, 0.0f};
    }
    m_Box = box;
    TARN_CATCH("SSprite::RefreshAABB()")
}

std::vector<STriangle>& SSprite::DoGetTriangles() { throw SEngineException("not implemented"); }

void SSprite::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    out.BeginChild(kTag);
    out.Serialize("ColorLU", m_ColorLU);
    out.Serialize("ColorRU", m_ColorRU);
    out.Serialize("ColorLD", m_ColorLD);
    out.Serialize("ColorRD", m_ColorRD);
    out.Serialize("Angle", m_Angle);
    out.Serialize("Position", m_Position);
    out.Serialize("TexCoords", m_TexCoords);
    out.Serialize("CoordAligment", m_CoordAligment);
    out.Serialize("WithTransform", m_WithTransform);
    out.Serialize("FlipHorizontal", m_FlipHorizontal);
    out.Serialize("FlipVertical", m_FlipVertical);
    out.Serialize("XScaleFactor", m_XScaleFactor);
    out.Serialize("YScaleFactor", m_YScaleFactor);
    out.BeginChild("Mesh");
    SerializeMeshData(out);
    out.EndChild();
    out.EndChild();
    TARN_CATCH("SSprite::DoSerialize()")
}

void SSprite::DoDeserialize(SCore::SDeserializator& in, unsigned int index)
{
    TARN_TRY
    in.BeginChild(index);
    ReadSprite(in);
    in.EndChild();
    TARN_CATCH("SSprite::DoDeserialize()")
}

void SSprite::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild(kTag);
    ReadSprite(in);
    in.EndChild();
    TARN_CATCH("SSprite::DoDeserialize()")
}

void SSprite::ReadSprite(SCore::SDeserializator& in)
{
    TARN_ASSERT(0 != m_Viewport.get());
    in.Deserialize("ColorLU", m_ColorLU);
    in.Deserialize("ColorRU", m_ColorRU);
    in.Deserialize("ColorLD", m_ColorLD);
    in.Deserialize("ColorRD", m_ColorRD);
    in.Deserialize("Angle", m_Angle);
    in.Deserialize("Position", m_Position);
    in.Deserialize("TexCoords", m_TexCoords);
    in.Deserialize("CoordAligment", m_CoordAligment);
    bool withTransform = m_WithTransform;
    in.Deserialize("WithTransform", withTransform);
    in.Deserialize("FlipHorizontal", m_FlipHorizontal);
    in.Deserialize("FlipVertical", m_FlipVertical);
    in.Deserialize("XScaleFactor", m_XScaleFactor);
    in.Deserialize("YScaleFactor", m_YScaleFactor);
    // The buffers' vertex format follows the kind: a change of kind needs new ones.
    if (withTransform != m_WithTransform) {
        m_VertexBuffer.reset();
        m_IndexBuffer.reset();
        m_WithTransform = withTransform;
    }
    m_Cached = false;
    in.BeginChild("Mesh");
    DeserializeMeshData(in);
    in.EndChild();
}

} // namespace TarnEngine
