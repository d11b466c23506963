#pragma once
// Keeps a vertex or index buffer locked (and so the device lock held) for its own lifetime:
// the buffer is unlocked on every way out, exceptions included.

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

template <typename TBuffer>
class TResourceLock {
public:
    TResourceLock(const boost::shared_ptr<TBuffer>& buffer, uint32_t offset = 0, uint32_t size = 0,
                  uint32_t flags = 0)
        : m_Buffer(buffer)
    {
        m_Buffer->DoLock(offset, size, &m_Data, flags);
    }
    ~TResourceLock()
    {
        try {
            m_Buffer->DoUnlock();
        } catch (const TarnCoreException& e) {
            gLoger << GetCurrentDateTime() << " " << e.what() << "\n";
        }
    }
    TResourceLock(const TResourceLock&) = delete;
    TResourceLock& operator=(const TResourceLock&) = delete;
    void* Data() const { return m_Data; }

private:
    boost::shared_ptr<TBuffer> m_Buffer;
    void* m_Data = nullptr;
};

} // namespace SCore
