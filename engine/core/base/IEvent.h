#pragma once
// A callback the render device fires (device lost, device restored).

namespace SCore {

class IEvent {
public:
    virtual ~IEvent() = default;
    virtual void Invoke() = 0;
};

} // namespace SCore
