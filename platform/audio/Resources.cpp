// Program resources: the program carries none; tests register bytes under a name and a type.

#include "platform/dsound.h"
#include "platform/files.h"
#include "platform/testing.h"

#include <cctype>
#include <map>
#include <mutex>

namespace {

struct Resource {
    std::vector<uint8_t> bytes;
};

std::mutex g_Lock;
// Keys are upper-cased "name|type"; map nodes stay put, so handles are entry addresses.
std::map<std::string, Resource> g_Resources;

std::string KeyOf(const std::string& name, const std::string& type)
{
    std::string key = name + "|" + type;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

} // namespace

namespace platform {
namespace testing {

void RegisterResource(const std::string& name, const std::string& type,
                      const std::vector<uint8_t>& bytes)
{
    std::lock_guard<std::mutex> guard(g_Lock);
    g_Resources[KeyOf(name, type)].bytes = bytes;
}

void ClearResources()
{
    std::lock_guard<std::mutex> guard(g_Lock);
    g_Resources.clear();
}

} // namespace testing
} // namespace platform

HRSRC FindResourceA(HMODULE, const char* name, const char* type)
{
    if (FAILED(platform::testing::TakeInjected("FindResourceA")) || !name || !type) return nullptr;
    std::lock_guard<std::mutex> guard(g_Lock);
    auto it = g_Resources.find(KeyOf(name, type));
    return it == g_Resources.end() ? nullptr : reinterpret_cast<HRSRC>(&it->second);
}

HRSRC FindResourceW(HMODULE module, const wchar_t* name, const wchar_t* type)
{
    if (!name || !type) return nullptr;
    return FindResourceA(module, WideToUtf8(name).c_str(), WideToUtf8(type).c_str());
}

HGLOBAL LoadResource(HMODULE, HRSRC resource)
{
    if (FAILED(platform::testing::TakeInjected("LoadResource"))) return nullptr;
    return resource;
}

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    if (FAILED(platform::testing::TakeInjected("SizeofResource")) || !resource) return 0;
    std::lock_guard<std::mutex> guard(g_Lock);
    return static_cast<DWORD>(reinterpret_cast<Resource*>(resource)->bytes.size());
}

void* LockResource(HGLOBAL data)
{
    if (FAILED(platform::testing::TakeInjected("LockResource")) || !data) return nullptr;
    std::lock_guard<std::mutex> guard(g_Lock);
    return reinterpret_cast<Resource*>(data)->bytes.data();
}
