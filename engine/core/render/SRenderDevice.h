#pragma once
// The engine's render device: clearing, frames, transforms, drawing from buffers, materials,
// textures, filters, fog and the display mode. Keeps the state that does not depend on the
// graphics interface: fog, the transform stack, the lost flag, the viewport and two events.

#include "engine/core/base/IEvent.h"
#include "engine/core/render/SFog.h"
#include "engine/core/render/SMaterial.h"
#include "engine/core/math/SMatrix.h"
#include "engine/core/serialization/STextureFiltration.h"
#include "platform/wintypes.h"

#include <boost/shared_ptr.hpp>
#include <deque>

namespace SCore {

class STexture;
class SVertexBuffer;
class SIndexBuffer;

struct SViewportRect {
    uint32_t X = 0, Y = 0, Width = 0, Height = 0;
    float MinZ = 0.0f, MaxZ = 1.0f;
};

enum STransformType : uint32_t {
    STT_VIEW = 2,
    STT_PROJECTION = 3,
    STT_TEXTURE0 = 16,
    STT_WORLD = 256,
};

class SRenderDevice {
public:
    SRenderDevice() = default;
    virtual ~SRenderDevice() = default;
    SRenderDevice(const SRenderDevice&) = delete;
    SRenderDevice& operator=(const SRenderDevice&) = delete;

    virtual void Create(HWND window, uint32_t width, uint32_t height, uint32_t colourDepth, bool fullScreen) = 0;
    virtual void DoClearScene(uint8_t red, uint8_t green, uint8_t blue) = 0;
    // Throws SRenderDeviceResetException when the device is to be reset before it can draw: the
    // frame then goes on without a scene.
    virtual void DoBeginScene() = 0;
    virtual void EndScene() = 0;
    virtual void DoSetTransform(uint32_t type, const SMatrix& matrix) = 0;
    virtual void DoPushTransform(uint32_t type);
    virtual void DoPopTransform(uint32_t type);
    virtual SMatrix DoGetTransform(uint32_t type) = 0;
    virtual void DoRender(const boost::shared_ptr<SVertexBuffer>& vertices,
                          const boost::shared_ptr<SIndexBuffer>& indices, uint32_t startIndex) = 0;
    virtual void DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, uint32_t startVertex) = 0;
    virtual void DoBindVertexBuffer(const boost::shared_ptr<SVertexBuffer>& vertices) = 0;
    virtual void DoBindIndexBuffer(const boost::shared_ptr<SIndexBuffer>& indices) = 0;
    virtual void DoClearScene(float z) = 0;
    // Enters the device lock and returns the native device; pair with DoUnlockDevice
    // (SRenderDeviceLock does both).
    virtual void* DoLockDevice() = 0;
    virtual void DoSetmaterial(const SMaterial& material) = 0;
    virtual void DoSetTexture(uint32_t stage, STexture* texture) = 0;
    virtual void DoSetTextureFiltration(uint32_t stage, const STextureFiltration& filtration) = 0;
    virtual void DoSetFog(const SFog& fog) = 0;
    virtual uint32_t DoGetWidth() = 0;
    virtual uint32_t DoGetHeight() = 0;
    virtual void DoSetRenderTarget(STexture* texture) = 0;
    virtual void DoSetView() = 0;
    virtual void DoSetView(bool fullScreen) = 0;
    virtual void DoUnlockDevice() = 0;

    // The material last drawn with, as a game object keeps it; nothing reads it yet.
    void SetCurrentMaterial(const SMaterial& material) { m_Material = material; }
    SFog& GetFog() { return m_Fog; }
    SViewportRect& GetViewportRect() { return m_Viewport; }
    bool IsLost() const { return m_Lost; }
    size_t TransformStackSize() const { return m_TransformStack.size(); }
    void SetLostEvent(const boost::shared_ptr<IEvent>& event) { m_LostEvent = event; }
    void SetRestoredEvent(const boost::shared_ptr<IEvent>& event) { m_RestoredEvent = event; }

protected:
    SMaterial m_Material;
    SFog m_Fog;
    std::deque<SMatrix> m_TransformStack;
    bool m_Lost = false;
    SViewportRect m_Viewport;
    boost::shared_ptr<IEvent> m_LostEvent;
    boost::shared_ptr<IEvent> m_RestoredEvent;
};

// Holds the device lock for its own lifetime.
class SRenderDeviceLock {
public:
    explicit SRenderDeviceLock(SRenderDevice& device) : m_Device(device), m_Native(device.DoLockDevice()) {}
    ~SRenderDeviceLock() { m_Device.DoUnlockDevice(); }
    SRenderDeviceLock(const SRenderDeviceLock&) = delete;
    SRenderDeviceLock& operator=(const SRenderDeviceLock&) = delete;
    void* Native() const { return m_Native; }

private:
    SRenderDevice& m_Device;
    void* m_Native;
};

} // namespace SCore
