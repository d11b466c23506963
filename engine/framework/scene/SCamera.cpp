#include "engine/framework/scene/SCamera.h"

#include "engine/core/base/SEngineException.h"
#include "engine/core/render/SRenderPass.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/base/TarnCoreException.h"
#include "platform/d3dx9.h"

#include <cmath>

static const char* const kTarnSource = "Src\\SCamera";

namespace TarnEngine {

namespace {

D3DXVECTOR3 ToD3DX(const SCore::SVector3& v) { return D3DXVECTOR3(v.X, v.Y, v.Z); }

SCore::SVector3 Add(const SCore::SVector3& a, const SCore::SVector3& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }

SCore::SVector3 Scale(const SCore::SVector3& v, float s) { return {v.X * s, v.Y * s, v.Z * s}; }

} // namespace

SCamera::SCamera(SCameraType type) : m_Type(type) {}

SCamera::~SCamera()
{
    m_RenderPass.reset();
    m_Viewport.reset();
}

bool SCamera::Direction(SCore::SVector3& d) const
{
    SCore::SVector3 v{m_At.X - m_Eye.X, m_At.Y - m_Eye.Y, m_At.Z - m_Eye.Z};
    float length = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
    if (!(length > 0.0f)) return false; // eye on the target: no direction to move along
    d = Scale(v, 1.0f / length);
    return true;
}

void SCamera::Shift(const SCore::SVector3& offset)
{
    m_Eye = Add(m_Eye, offset);
    m_At = Add(m_At, offset);
}

void SCamera::MoveForward(float step)
{
    SCore::SVector3 d;
    if (Direction(d)) Shift(Scale(d, step));
}

void SCamera::MoveBackward(float step)
{
    SCore::SVector3 d;
    if (Direction(d)) Shift(Scale(d, -step));
}

void SCamera::StrafeLeft(float step)
{
    SCore::SVector3 d;
    if (Direction(d)) Shift(Scale({-d.Y, d.X, d.Z}, step));
}

void SCamera::StrafeRight(float step)
{
    SCore::SVector3 d;
    if (Direction(d)) Shift(Scale({d.Y, -d.X, d.Z}, step));
}

void SCamera::Create(const boost::shared_ptr<SCore::SViewport>& Viewport)
{
    TARN_TRY
    TARN_ASSERT(0 != Viewport.get());
    m_Viewport = Viewport;
    m_RenderPass = m_Viewport->CreateRenderPass();
    UpdateView();
    TARN_CATCH("SCamera::Create()")
}

void SCamera::Set()
{
    TARN_TRY
    TARN_ASSERT(0 != m_RenderPass.get());
    TARN_ASSERT(0 != m_Viewport.get());
    UpdateView();
    m_RenderPass->DoApplyView();
    TARN_CATCH("SCamera::Set()")
}

void SCamera::UpdateView()
{
    TARN_TRY
    TARN_ASSERT(0 != m_RenderPass.get());
    D3DXVECTOR3 eye = ToD3DX(m_Eye), at = ToD3DX(m_At), up = ToD3DX(m_Up);
    D3DXMATRIX view;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) m_RenderPass->m_View.m[i][j] = view.m[i][j];
    TARN_CATCH("SCamera::UpdateView()")
}

void STPSCamera::Rotate(float angle)
{
    D3DXMATRIX r;
    D3DXMatrixRotationY(&r, angle);
    D3DXVECTOR3 offset(m_Eye.X - m_At.X, m_Eye.Y - m_At.Y, m_Eye.Z - m_At.Z), turned;
    D3DXVec3TransformCoord(&turned, &offset, &r);
    m_Eye = {m_At.X + turned.x, m_At.Y + turned.y, m_At.Z + turned.z};
}

boost::shared_ptr<SCamera> SCameraFactory::CreateCamera(uint32_t type)
{
    switch (type) {
    case SCT_CAMERA: return boost::shared_ptr<SCamera>(new SCamera(SCT_CAMERA));
    case SCT_TPS: return boost::shared_ptr<SCamera>(new STPSCamera);
    default: throw SEngineException("Unknown SCameraType");
    }
}

} // namespace TarnEngine
