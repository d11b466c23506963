#pragma once
// The input events the input thread hands to the UI controls, made on the stack and passed by
// reference. Positions are client pixels; codes are 0..255.

#include <cstdint>

namespace TarnEngine {
namespace UI {

class SUIInputMouseMoveEvent {
public:
    SUIInputMouseMoveEvent(int32_t x, int32_t y) : m_X(x), m_Y(y) {}
    virtual ~SUIInputMouseMoveEvent() = default;
    int32_t m_X, m_Y;
};

class SUIInputMouseDownEvent {
public:
    SUIInputMouseDownEvent(int32_t x, int32_t y) : m_X(x), m_Y(y) {}
    virtual ~SUIInputMouseDownEvent() = default;
    int32_t m_X, m_Y;
};

class SUIInputMouseUpEvent {
public:
    SUIInputMouseUpEvent(int32_t x, int32_t y) : m_X(x), m_Y(y) {}
    virtual ~SUIInputMouseUpEvent() = default;
    int32_t m_X, m_Y;
};

class SUIInputKeyDownEvent {
public:
    explicit SUIInputKeyDownEvent(uint32_t code) : m_Code(code) {}
    virtual ~SUIInputKeyDownEvent() = default;
    uint32_t m_Code; // virtual-key code
};

class SUIInputKeyUpEvent {
public:
    explicit SUIInputKeyUpEvent(uint32_t code) : m_Code(code) {}
    virtual ~SUIInputKeyUpEvent() = default;
    uint32_t m_Code; // virtual-key code
};

class SUIInputCharEvent {
public:
    explicit SUIInputCharEvent(uint32_t code) : m_Code(code) {}
    virtual ~SUIInputCharEvent() = default;
    uint32_t m_Code; // character code
};

} // namespace UI
} // namespace TarnEngine
