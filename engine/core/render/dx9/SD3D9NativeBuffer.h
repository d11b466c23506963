#pragma once
// What vertex and index buffers share on the native side: the creation results and a lock that
// holds the device lock until the unlock (and gives it back when the lock itself fails).

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/base/TarnCoreDX9Exception.h"
#include "platform/d3d9.h"

#include <string>

namespace SCore {

class SD3D9NativeBuffer {
public:
    // Throws prefix + the result's name for a failed creation; no buffer is success's only proof.
    static void CheckCreated(HRESULT hr, const void* buffer, const std::string& prefix)
    {
        switch (hr) {
        case D3DERR_INVALIDCALL: throw TarnCoreDX9Exception(prefix + "INVALIDCALL");
        case D3DERR_OUTOFVIDEOMEMORY: throw TarnCoreDX9Exception(prefix + "OUTOFVIDEOMEMORYL");
        case E_OUTOFMEMORY: throw TarnCoreDX9Exception(prefix + "OUTOFMEMORY");
        default:
            if (FAILED(hr) || !buffer) throw TarnCoreDX9Exception(prefix + "UNKNOWN ERROR");
        }
    }

    template <typename TNative>
    static void Lock(SRenderDevice& device, TNative* buffer, uint32_t offset, uint32_t size, void** data,
                     uint32_t flags, const char* failure)
    {
        device.DoLockDevice();
        if (!buffer || FAILED(buffer->Lock(offset, size, data, flags))) {
            device.DoUnlockDevice();
            throw TarnCoreDX9Exception(failure);
        }
    }

    template <typename TNative>
    static void Unlock(SRenderDevice& device, TNative* buffer, const char* failure)
    {
        HRESULT hr = buffer ? buffer->Unlock() : D3DERR_INVALIDCALL;
        device.DoUnlockDevice();
        if (FAILED(hr)) throw TarnCoreDX9Exception(failure);
    }
};

} // namespace SCore
