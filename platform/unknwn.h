#pragma once
// The reference-counted interface shape every COM-style object of the layer shares.
// Release returns the new count and destroys the object at 0.

#include "platform/wintypes.h"

typedef uint32_t ULONG;

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};
