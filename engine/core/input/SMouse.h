#pragma once
// The mouse as the game reads it: three axes (x, y, wheel) with limits and a sensitivity, and
// the pressed and clicked flags of 8 buttons. The input thread writes them while the main thread
// reads, so each value is atomic.

#include <atomic>
#include <cstdint>

namespace SCore {

class SMouse {
public:
    enum Axis { AxisX = 0, AxisY = 1, AxisWheel = 2 };

    SMouse();
    virtual ~SMouse() = default;

    virtual void DoUpdate() = 0;
    virtual void DoKill() = 0;

    int32_t GetPosition(int axis) const { return m_Position[axis].load(std::memory_order_relaxed); }
    int32_t GetPrevious(int axis) const { return m_Previous[axis].load(std::memory_order_relaxed); }
    int32_t GetX() const { return GetPosition(AxisX); }
    int32_t GetY() const { return GetPosition(AxisY); }
    int32_t GetWheel() const { return GetPosition(AxisWheel); }
    bool IsPressed(int button) const { return m_Pressed[button].load(std::memory_order_relaxed) != 0; }
    bool IsClicked(int button) const { return m_Clicked[button].load(std::memory_order_relaxed) != 0; }

    // The owner sets the limits (the application: x in [0, width], y in [0, height]).
    void SetLimits(int axis, int32_t minimum, int32_t maximum)
    {
        m_Minimum[axis] = minimum;
        m_Maximum[axis] = maximum;
    }
    void SetSensitivity(int32_t sensitivity) { m_Sensitivity = sensitivity; }

protected:
    // previous := position, then position := value.
    void MoveTo(int axis, int32_t value);
    // Adds sensitivity x movement and clamps to the axis limits.
    void MoveBy(int axis, int32_t movement);
    void SetButton(int button, bool down);

private:
    std::atomic<int32_t> m_Position[3];
    std::atomic<int32_t> m_Previous[3];
    std::atomic<int32_t> m_Minimum[3];
    std::atomic<int32_t> m_Maximum[3];
    std::atomic<int32_t> m_Sensitivity{1};
    std::atomic<int32_t> m_Pressed[8];
    std::atomic<int32_t> m_Clicked[8];
};

} // namespace SCore
