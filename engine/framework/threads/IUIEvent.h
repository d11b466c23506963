#pragma once
// A callback of the UI toolkit and the workers (click, focus, change, job, done).

namespace TarnEngine {
namespace UI {

class IUIEvent {
public:
    virtual ~IUIEvent() = default;
    virtual void Invoke() = 0;
};

} // namespace UI
} // namespace TarnEngine
