#pragma once
// The reference count every interface object of the layer shares (Direct3D, DirectSound,
// DirectShow). Release returns the new count and destroys the object at 0; a child keeps its
// parent alive. Release may happen on any thread. Objects that answer for several interfaces
// (the DirectShow graph) derive from this class virtually, so that they hold one count.

#include "platform/wintypes.h"

#include <atomic>
#include <cstdint>

typedef uint32_t ULONG;

class IUnknown {
public:
    ULONG AddRef();
    ULONG Release();

protected:
    IUnknown() = default;
    virtual ~IUnknown() = default;
    IUnknown(const IUnknown&) = delete;
    IUnknown& operator=(const IUnknown&) = delete;

private:
    std::atomic<ULONG> m_Refs{1};
};
