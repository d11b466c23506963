#pragma once
// A member function bound to its object for the UI; same contract as SCore::SEvent.

#include "engine/framework/threads/IUIEvent.h"

namespace TarnEngine {
namespace UI {

template <class T, class R = void>
class SUIEvent : public IUIEvent {
public:
    typedef R (T::*Method)();

    SUIEvent(Method method, T* object) : m_Method(method), m_Object(object) {}
    void Invoke() override { (m_Object->*m_Method)(); }

private:
    Method m_Method;
    T* m_Object;
};

template <class T, class R>
SUIEvent(R (T::*)(), T*) -> SUIEvent<T, R>;

} // namespace UI
} // namespace TarnEngine
