#pragma once
// A textured quad placed in fractions of the viewport: a screen sprite (pre-transformed pixels)
// or a transformed sprite (unit space placed by a world matrix at draw time). Its vertices are
// rebuilt lazily: whoever writes a field clears m_Cached and the next draw refills the buffers.

#include "engine/core/math/SRect.h"
#include "engine/framework/drawables/SMesh.h"

#include <cstdint>

namespace SCore {
class SVertexBuffer;
class SIndexBuffer;
}

namespace TarnEngine {

typedef uint32_t SColor; // 0xAARRGGBB

struct SScreenVertex;
struct SColorVertex;

enum SCoordAligment : uint32_t {
    SCA_CENTER = 0,   // Position X, Y is the centre
    SCA_LEFT_TOP = 1, // Position X, Y is the top-left corner
};

class SSprite : public SMesh {
public:
    static const char* const kTag; // "Sprite"

    SSprite(const std::string& name, bool withTransform);
    ~SSprite() override;

    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override;
    void DoDeserialize(SCore::SDeserializator& in) override;
    void DoCreate(const boost::shared_ptr<SCore::SViewport>& viewport) override {}
    void DoRender(const SCore::SMatrix& transform) override;
    // The screen rectangle in pixels, without the scale factors.
    void RefreshAABB() override;
    const char* GetTypeName() const override { return kTag; }
    std::vector<STriangle>& DoGetTriangles() override;

    // (Re)builds the buffers from the fields and sets the cached flag.
    void Precashing();
    void FillVertexData(SScreenVertex* pVData);
    void FillVertexData(SColorVertex* pVData);
    static void FillIndexData(uint16_t* pIData);

    bool IsWithTransform() const { return m_WithTransform; }
    const boost::shared_ptr<SCore::SVertexBuffer>& GetVertexBuffer() const { return m_VertexBuffer; }
    const boost::shared_ptr<SCore::SIndexBuffer>& GetIndexBuffer() const { return m_IndexBuffer; }

    bool m_Cached = false;
    SCore::SRect m_Position;
    // X, Y: texture coordinates of the top-left corner; Width, Height: of the bottom-right one.
    SCore::SRect m_TexCoords;
    SColor m_ColorLU = 0xFFFFFFFF, m_ColorRU = 0xFFFFFFFF, m_ColorLD = 0xFFFFFFFF, m_ColorRD = 0xFFFFFFFF;
    float m_Angle = 0.0f; // radians, clockwise on screen
    uint32_t m_CoordAligment = SCA_CENTER;
    bool m_FlipHorizontal = false;
    bool m_FlipVertical = false;
    float m_XScaleFactor = 1.0f;
    float m_YScaleFactor = 1.0f;

private:
    void ReadSprite(SCore::SDeserializator& in);

    boost::shared_ptr<SCore::SVertexBuffer> m_VertexBuffer;
    boost::shared_ptr<SCore::SIndexBuffer> m_IndexBuffer;
    // Fixed for the sprite's life except by reading, which then drops the buffers.
    bool m_WithTransform;
};

} // namespace TarnEngine
