// Program resources: the program carries none; tests register bytes under a name and a type.

#include "platform/dsound.h"
#include "platform/files.h"
#include "platform/audio/Hooks.h"
#include "platform/posix/Hooks.h"

HRSRC FindResourceA(HMODULE, const char* name, const char* type)
{
    if (FAILED(platform::hooks::TakeInjected("FindResourceA")) || !name || !type) return nullptr;
    const std::vector<uint8_t>* bytes = platform::hooks::RegisteredResource(name, type);
    return reinterpret_cast<HRSRC>(const_cast<std::vector<uint8_t>*>(bytes));
}

HRSRC FindResourceW(HMODULE module, const wchar_t* name, const wchar_t* type)
{
    if (!name || !type) return nullptr;
    return FindResourceA(module, WideToUtf8(name).c_str(), WideToUtf8(type).c_str());
}

HGLOBAL LoadResource(HMODULE, HRSRC resource)
{
    if (FAILED(platform::hooks::TakeInjected("LoadResource"))) return nullptr;
    return resource;
}

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    if (FAILED(platform::hooks::TakeInjected("SizeofResource")) || !resource) return 0;
    return static_cast<DWORD>(reinterpret_cast<const std::vector<uint8_t>*>(resource)->size());
}

void* LockResource(HGLOBAL data)
{
    if (FAILED(platform::hooks::TakeInjected("LockResource")) || !data) return nullptr;
    return reinterpret_cast<std::vector<uint8_t>*>(data)->data();
}
