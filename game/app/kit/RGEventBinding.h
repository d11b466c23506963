#pragma once
// The binders through which screens hand their member functions to UI controls: each makes an
// event for the handler on the object and stores it in the control's slot, replacing (and so
// releasing) what the slot held. The event does not own the object; the screen owns the control.

#include "engine/framework/threads/SUIEvent.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUICheckBox.h"
#include "engine/framework/ui/SUIForm.h"
#include "engine/framework/ui/SUITrackBar.h"

#include <boost/shared_ptr.hpp>

namespace Runegarden {

template <class T>
boost::shared_ptr<TarnEngine::UI::IUIEvent> MakeUIEvent(void (T::*handler)(), T* object)
{
    return boost::shared_ptr<TarnEngine::UI::IUIEvent>(new TarnEngine::UI::SUIEvent<T>(handler, object));
}

template <class T>
void BindClickEvent(TarnEngine::UI::SUIButton& button, void (T::*handler)(), T* object)
{
    button.m_ClickEvent = MakeUIEvent(handler, object);
}

template <class T>
void BindClickEvent(TarnEngine::UI::SUICheckBox& checkBox, void (T::*handler)(), T* object)
{
    checkBox.m_ClickEvent = MakeUIEvent(handler, object);
}

template <class T>
void BindFocusEvent(TarnEngine::UI::SUIButton& button, void (T::*handler)(), T* object)
{
    button.m_FocusEvent = MakeUIEvent(handler, object);
}

template <class T>
void BindChangeEvent(TarnEngine::UI::SUITrackBar& trackBar, void (T::*handler)(), T* object)
{
    trackBar.m_ChangeEvent = MakeUIEvent(handler, object);
}

template <class T>
void BindUpdateEvent(TarnEngine::UI::SUIForm& form, void (T::*handler)(), T* object)
{
    form.m_UpdateEvent = MakeUIEvent(handler, object);
}

} // namespace Runegarden
