#pragma once
// Something that changes with time: updated once per frame, it works out from the millisecond
// clock how long it has run.

#include <cstdint>
#include <string>

namespace SCore {

enum SAnimatorState : int32_t {
    SAS_RUNNING = 0, // looping
    SAS_HOLD = 1,    // held at the start
    SAS_ONCE = 2,    // playing once
};

class SAnimator {
public:
    explicit SAnimator(const std::string& name);
    virtual ~SAnimator() = default;
    void Update();

    std::string m_Name;
    uint32_t m_Start;
    uint32_t m_Previous;
    uint32_t m_Last;
    int32_t m_State = SAS_RUNNING;

protected:
    virtual void DoUpdate(uint32_t elapsedMs) = 0;
};

} // namespace SCore
