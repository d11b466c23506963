#pragma once
// Stands in for DirectInput 8: the system keyboard's 256-byte state by DIK code and the buffered
// system mouse. Both read what the main thread's message pump (PeekMessageA) stored under the
// layer's input lock, so the devices may be read from any thread.
// Not reproduced: joysticks, force feedback, device enumeration, immediate mouse axes, exclusive
// mode (cooperative levels are accepted), reading while the program's window is not pumped.
// Depends on: wintypes.h; failure codes of every call can be injected (testing.h).

#include "platform/wintypes.h"

#include <atomic>

typedef uint32_t ULONG;

#define DIRECTINPUT_VERSION 0x0800

#define DI_OK S_OK
#define DI_BUFFEROVERFLOW ((HRESULT)1)
#define DIERR_INPUTLOST ((HRESULT)0x8007001EL)
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000CL)
#define DIERR_INVALIDPARAM ((HRESULT)0x80070057L)
#define DIERR_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define DIERR_OLDDIRECTINPUTVERSION ((HRESULT)0x8007047EL)
#define DIERR_BETADIRECTINPUTVERSION ((HRESULT)0x80070481L)
#define DIERR_DEVICENOTREG ((HRESULT)0x80040154L)
#define DIERR_NOINTERFACE ((HRESULT)0x80004002L)
#define DIERR_NOTINITIALIZED ((HRESULT)0x80070015L)
#define DIERR_ACQUIRED ((HRESULT)0x800700AAL)
#define DIERR_OBJECTNOTFOUND ((HRESULT)0x80070002L)
#define DIERR_UNSUPPORTED ((HRESULT)0x80004001L)
#define DIERR_NOTBUFFERED ((HRESULT)0x80040207L)

#define DISCL_EXCLUSIVE 0x00000001u
#define DISCL_NONEXCLUSIVE 0x00000002u
#define DISCL_FOREGROUND 0x00000004u
#define DISCL_BACKGROUND 0x00000008u

#define DIPH_DEVICE 0u
#define DIDF_ABSAXIS 0x00000001u
#define DIDF_RELAXIS 0x00000002u

// Buffered mouse offsets.
#define DIMOFS_X 0u
#define DIMOFS_Y 4u
#define DIMOFS_Z 8u
#define DIMOFS_BUTTON0 12u

// Keyboard state indices: PC set-1 scan codes, extended keys with bit 0x80.
#define DIK_ESCAPE 0x01
#define DIK_1 0x02
#define DIK_0 0x0B
#define DIK_BACK 0x0E
#define DIK_TAB 0x0F
#define DIK_Q 0x10
#define DIK_RETURN 0x1C
#define DIK_LCONTROL 0x1D
#define DIK_A 0x1E
#define DIK_LSHIFT 0x2A
#define DIK_Z 0x2C
#define DIK_M 0x32
#define DIK_RSHIFT 0x36
#define DIK_LMENU 0x38
#define DIK_SPACE 0x39
#define DIK_CAPITAL 0x3A
#define DIK_F1 0x3B
#define DIK_NUMPADENTER 0x9C
#define DIK_RCONTROL 0x9D
#define DIK_RMENU 0xB8
#define DIK_UP 0xC8
#define DIK_LEFT 0xCB
#define DIK_RIGHT 0xCD
#define DIK_DOWN 0xD0

struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
    DWORD dwNumObjs;
    const void* rgodf;
};
typedef const DIDATAFORMAT* LPCDIDATAFORMAT;

// The standard formats: 256 key bytes; x, y, wheel (relative) and 4 buttons.
extern const DIDATAFORMAT c_dfDIKeyboard;
extern const DIDATAFORMAT c_dfDIMouse;

struct DIPROPHEADER {
    DWORD dwSize;
    DWORD dwHeaderSize;
    DWORD dwObj;
    DWORD dwHow;
};
typedef const DIPROPHEADER* LPCDIPROPHEADER;

struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
};

// A property is named by a small number, as the platform's MAKEDIPROP does.
struct DIPROPERTYID {
    unsigned id;
};
typedef const DIPROPERTYID& REFDIPROP;
constexpr DIPROPERTYID DIPROP_BUFFERSIZE{1};

// 20 bytes, as on 32-bit Windows (uAppData is declared 32-bit here).
#pragma pack(push, 4)
struct DIDEVICEOBJECTDATA {
    DWORD dwOfs;
    DWORD dwData;
    DWORD dwTimeStamp;
    DWORD dwSequence;
    DWORD uAppData;
};
#pragma pack(pop)
static_assert(sizeof(DIDEVICEOBJECTDATA) == 20, "entry size is fixed at 20 bytes");
typedef DIDEVICEOBJECTDATA* LPDIDEVICEOBJECTDATA;

extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;
extern const IID IID_IDirectInput8A;
#define IID_IDirectInput8 IID_IDirectInput8A

class IDirectInput8;

// A keyboard or mouse over the layer's input state. Keeps its IDirectInput8 alive.
class IDirectInputDevice8 {
public:
    enum class Kind { Keyboard, Mouse };

    ULONG AddRef();
    ULONG Release();

    HRESULT SetDataFormat(LPCDIDATAFORMAT format);
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetProperty(REFDIPROP property, LPCDIPROPHEADER header);
    HRESULT Acquire();
    HRESULT Unacquire();
    // Keyboard: 256 bytes by DIK code, bit 0x80 down; a key that went down since this device's
    // previous read reads down once even if it is up again. Mouse: x, y, wheel 0 and 4 button bytes.
    HRESULT GetDeviceState(DWORD size, LPVOID data);
    // Mouse: pops the oldest buffered entry (count 1 in, 1 or 0 out). On any failure the count
    // is set to 0.
    HRESULT GetDeviceData(DWORD entrySize, LPDIDEVICEOBJECTDATA data, DWORD* count, DWORD flags);

private:
    friend class IDirectInput8;
    IDirectInputDevice8(IDirectInput8* parent, Kind kind);
    ~IDirectInputDevice8();
    HRESULT LoseOn(HRESULT hr);

    std::atomic<ULONG> m_Refs{1};
    IDirectInput8* m_Parent;
    Kind m_Kind;
    const DIDATAFORMAT* m_Format = nullptr;
    DWORD m_BufferSize = 0;
    bool m_Acquired = false;
    DWORD m_DownsSeen[256] = {}; // keyboard: each key's down count as of the previous read
};
typedef IDirectInputDevice8* LPDIRECTINPUTDEVICE8;
typedef IDirectInputDevice8* LPDIRECTINPUTDEVICE8A;

class IDirectInput8 {
public:
    ULONG AddRef();
    ULONG Release();
    HRESULT CreateDevice(REFGUID device, IDirectInputDevice8** out, void* outer);

private:
    friend HRESULT DirectInput8Create(HINSTANCE, DWORD, REFIID, LPVOID*, void*);
    IDirectInput8();
    ~IDirectInput8();

    std::atomic<ULONG> m_Refs{1};
};
typedef IDirectInput8* LPDIRECTINPUT8;
typedef IDirectInput8* LPDIRECTINPUT8A;

// version must be 0x0800 and the interface IID_IDirectInput8A.
HRESULT DirectInput8Create(HINSTANCE module, DWORD version, REFIID iid, LPVOID* out, void* outer);
