#pragma once
// A member function bound to its object. The event does not own the object: the object must
// outlive the event's last Invoke. A result of the member function is discarded.

#include "engine/core/base/IEvent.h"

namespace SCore {

template <class T, class R = void>
class SEvent : public IEvent {
public:
    typedef R (T::*Method)();

    SEvent(Method method, T* object) : m_Method(method), m_Object(object) {}
    void Invoke() override { (m_Object->*m_Method)(); }

private:
    Method m_Method;
    T* m_Object;
};

template <class T, class R>
SEvent(R (T::*)(), T*) -> SEvent<T, R>;

} // namespace SCore
