#include "engine/framework/ui/SUIApplication.h"

#include "engine/core/base/SEngineException.h"
#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "Src\\SUIApplication";

namespace TarnEngine {
namespace UI {

void SUIApplication::AddForm(const boost::shared_ptr<SUIForm>& form)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    const std::string& name = form->GetFormName();
    if (m_Forms.count(name)) throw SEngineException("form:" + name + " already contains in apllication");
    m_Forms[name] = form;
    TARN_CATCH("SUIApplication::AddForm()")
}

void SUIApplication::ShowForm(const std::string& name)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    auto found = m_Forms.find(name);
    if (found == m_Forms.end()) throw SEngineException("form:" + name + " not found");
    m_CurrentForm = found->second;
    m_CurrentForm->SetEnabled(true);
    m_CurrentForm->SetHidden(false);
    m_Stack.push_back(m_CurrentForm);
    TARN_CATCH("SUIApplication::ShowForm()")
}

void SUIApplication::CloseForm()
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    if (m_Stack.empty()) return;
    boost::shared_ptr<SUIForm> closed = m_Stack.back();
    m_Stack.pop_back();
    if (m_Stack.empty()) {
        m_CurrentForm.reset(); // the last form keeps its flags
        return;
    }
    closed->SetEnabled(false);
    closed->SetHidden(true);
    m_CurrentForm = m_Stack.back();
    TARN_CATCH("SUIApplication::CloseForm()")
}

void SUIApplication::CloseAllForms()
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    while (!m_Stack.empty()) CloseForm();
    TARN_CATCH("SUIApplication::CloseAllForms()")
}

std::string SUIApplication::GetCurrentFormName()
{
    boost::shared_ptr<SUIForm> current = GetCurrentForm();
    return current ? current->GetFormName() : std::string();
}

boost::shared_ptr<SUIForm> SUIApplication::GetCurrentForm()
{
    CriticalSectionLock lock(m_Lock.Section());
    return m_CurrentForm;
}

size_t SUIApplication::StackSize()
{
    CriticalSectionLock lock(m_Lock.Section());
    return m_Stack.size();
}

boost::shared_ptr<SUIForm> SUIApplication::EnabledCurrentForm()
{
    boost::shared_ptr<SUIForm> current = GetCurrentForm();
    if (current && !current->IsEnabled()) current.reset();
    return current;
}

void SUIApplication::DoRender(float x, float y)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    // A copy: a form's update event may show or close forms while the stack is drawn.
    std::vector<boost::shared_ptr<SUIForm>> stack = m_Stack;
    for (const auto& form : stack)
        if (!form->IsHidden()) form->DoRender(x, y);
    TARN_CATCH("SUIApplication::DoRender()")
}

void SUIApplication::DoCharEvent(const SUIInputCharEvent& event)
{
    if (auto form = EnabledCurrentForm()) form->DoCharEvent(event);
}

void SUIApplication::DoKeyUpEvent(const SUIInputKeyUpEvent& event)
{
    if (auto form = EnabledCurrentForm()) form->DoKeyUpEvent(event);
}

void SUIApplication::DoKeyDownEvent(const SUIInputKeyDownEvent& event)
{
    if (auto form = EnabledCurrentForm()) form->DoKeyDownEvent(event);
}

void SUIApplication::DoMouseUpEvent(const SUIInputMouseUpEvent& event)
{
    if (auto form = EnabledCurrentForm()) form->DoMouseUpEvent(event);
}

void SUIApplication::DoMouseMoveEvent(const SUIInputMouseMoveEvent& event)
{
    if (auto form = GetCurrentForm()) form->DoMouseMoveEvent(event);
}

void SUIApplication::DoMouseDownEvent(const SUIInputMouseDownEvent& event)
{
    if (auto form = EnabledCurrentForm()) form->DoMouseDownEvent(event);
}

} // namespace UI
} // namespace TarnEngine
