#pragma once
// The UI application: the forms by name and a stack of shown forms. Input goes to the current
// form (the top of the stack); drawing draws every shown form, bottom first. The stack and the
// current form are guarded by the application's lock, which the input thread and the main thread
// both take.

#include "engine/framework/threads/SLockGuard.h"
#include "engine/framework/ui/SUIForm.h"

#include <unordered_map>
#include <vector>

namespace TarnEngine {
namespace UI {

class SUIApplication : public SUIControl {
public:
    // Throws "form:<name> already contains in apllication" for a name already present.
    void AddForm(const boost::shared_ptr<SUIForm>& form);
    // Enables, unhides and pushes the named form; throws "form:<name> not found" for a name
    // never added.
    void ShowForm(const std::string& name);
    // Pops the top form; the new top becomes current, the closed one is disabled and hidden.
    void CloseForm();
    void CloseAllForms();
    // Empty when no form is shown.
    std::string GetCurrentFormName();
    boost::shared_ptr<SUIForm> GetCurrentForm();
    size_t StackSize();

    bool DoHitTest(float, float) override { return true; }
    void DoRender(float x, float y) override;

    void DoCharEvent(const SUIInputCharEvent& event) override;
    void DoKeyUpEvent(const SUIInputKeyUpEvent& event) override;
    void DoKeyDownEvent(const SUIInputKeyDownEvent& event) override;
    void DoMouseUpEvent(const SUIInputMouseUpEvent& event) override;
    void DoMouseMoveEvent(const SUIInputMouseMoveEvent& event) override;
    void DoMouseDownEvent(const SUIInputMouseDownEvent& event) override;

private:
    // The current form if it takes clicks and keys (shown and enabled).
    boost::shared_ptr<SUIForm> EnabledCurrentForm();

    std::unordered_map<std::string, boost::shared_ptr<SUIForm>> m_Forms;
    boost::shared_ptr<SUIForm> m_CurrentForm;
    std::vector<boost::shared_ptr<SUIForm>> m_Stack;
    SLockGuard m_Lock;
};

} // namespace UI
} // namespace TarnEngine
