#pragma once
// A value that is only read or written under its own lock.

#include "engine/framework/threads/SLockGuard.h"

namespace TarnEngine {

template <class T>
class TSafeData {
public:
    TSafeData() : m_Value() {}
    explicit TSafeData(const T& value) : m_Value(value) {}
    virtual ~TSafeData() = default;

    T Get()
    {
        CriticalSectionLock lock(m_Lock.Section());
        return m_Value;
    }
    void Set(const T& value)
    {
        CriticalSectionLock lock(m_Lock.Section());
        m_Value = value;
    }

private:
    SLockGuard m_Lock;
    T m_Value;
};

} // namespace TarnEngine
