#pragma once
// A look-at camera bound to a viewport: it writes its right-handed view matrix into a render pass
// of its own and puts it on the device on Set. Moves change eye and target only; the next Set
// (or UpdateView) recomputes the view.

#include "engine/core/math/SVector3.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>

namespace SCore {
class SViewport;
class SRenderPass;
}

namespace TarnEngine {

enum SCameraType : uint32_t {
    SCT_CAMERA = 0,
    SCT_TPS = 1,
};

class SCamera {
public:
    explicit SCamera(SCameraType type);
    virtual ~SCamera();

    virtual void MoveForward(float step);
    virtual void MoveBackward(float step);
    virtual void StrafeLeft(float step);
    virtual void StrafeRight(float step);
    virtual void Rotate(float angle) {}

    void Create(const boost::shared_ptr<SCore::SViewport>& Viewport);
    void Set();
    void UpdateView();

    SCameraType GetType() const { return m_Type; }
    const boost::shared_ptr<SCore::SRenderPass>& GetRenderPass() const { return m_RenderPass; }

    float m_Angle1 = 1.57f, m_Angle2 = 1.57f;
    SCore::SVector3 m_Eye{0.0f, 0.0f, -1.0f};
    SCore::SVector3 m_At{0.0f, 0.0f, 0.0f};
    SCore::SVector3 m_Up{0.0f, 1.0f, 0.0f};

protected:
    // Moves eye and target together by offset.
    void Shift(const SCore::SVector3& offset);
    // The unit vector from eye to target; false when they coincide.
    bool Direction(SCore::SVector3& d) const;

    boost::shared_ptr<SCore::SViewport> m_Viewport;
    boost::shared_ptr<SCore::SRenderPass> m_RenderPass;
    SCameraType m_Type;
};

// A third-person camera: Rotate orbits the eye about the vertical axis through the target.
class STPSCamera : public SCamera {
public:
    STPSCamera() : SCamera(SCT_TPS) {}
    void Rotate(float angle) override;
};

class SCameraFactory {
public:
    static boost::shared_ptr<SCamera> CreateCamera(uint32_t type);
};

} // namespace TarnEngine
