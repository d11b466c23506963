#include "engine/core/input/dx9/SDI9Input.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/input/dx9/DIErrorName.h"
#include "engine/core/input/dx9/SDI9Keyboard.h"
#include "engine/core/input/dx9/SDI9Mouse.h"
#include "platform/win32.h"

#include <string>

namespace SCore {

static const char* const kTarnSource = "Src\\dx9\\SDI9Input";

SDI9Input::~SDI9Input()
{
    DoKill();
}

void SDI9Input::CreateInput(int mouseMode, HWND window, DWORD flags, int pressStrategy)
{
    TARN_TRY
    gLoger << GetCurrentDateTime() << " Create DI9 input...";
    m_Window = window;
    IDirectInput8* created = nullptr;
    const HRESULT hr = DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                          reinterpret_cast<void**>(&created), nullptr);
    switch (hr) {
    case DIERR_INVALIDPARAM:
    case DIERR_OUTOFMEMORY:
    case DIERR_OLDDIRECTINPUTVERSION:
        throw TarnCoreDX9Exception(std::string("can't create Direct Input - ") + DIErrorName(hr));
    case DIERR_BETADIRECTINPUTVERSION:
        throw TarnCoreDX9Exception("can't create Direct Input- DIERR_BETADIRECTINPUTVERSION");
    default:
        // Never go on without the object.
        if (FAILED(hr) || !created) throw TarnCoreDX9Exception("can't create Direct Input - UNKNOWN ERROR");
    }
    DoKill();
    m_DirectInput = created;
    CreateKeyboard(flags, pressStrategy);
    CreateMouse(mouseMode, flags);
    gLoger << GetCurrentDateTime() << "Done\n";
    TARN_CATCH("SDI9Input::CreateInput()")
}

void SDI9Input::CreateKeyboard(DWORD flags, int pressStrategy)
{
    TARN_TRY
    m_Keyboard.reset(new SDI9Keyboard(m_DirectInput, m_Window, flags, pressStrategy));
    TARN_CATCH("SDI9Input::CreateKeyboard()")
}

void SDI9Input::CreateMouse(int mouseMode, DWORD flags)
{
    TARN_TRY
    m_Mouse.reset(new SDI9Mouse(m_DirectInput, mouseMode, m_Window, flags));
    TARN_CATCH("SDI9Input::CreateMouse()")
}

void SDI9Input::Update()
{
    TARN_TRY
    if (m_Keyboard) m_Keyboard->DoUpdate();
    if (m_Mouse) m_Mouse->DoUpdate();
    TARN_CATCH("SDI9Input::Update()")
}

void SDI9Input::DoKill()
{
    if (m_DirectInput) {
        m_DirectInput->Release();
        m_DirectInput = nullptr;
    }
}

} // namespace SCore
