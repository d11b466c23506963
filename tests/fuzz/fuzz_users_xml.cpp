// Reads an arbitrary users.xml through the profile manager, then saves and reads it again. A file
// the manager cannot read must be put aside with the defaults in use; nothing may crash or throw,
// and whatever was loaded must save into a file that loads back to the same profiles (names
// compared when they are 7-bit text, the only text the game's files carry).

#include "game/app/profiles/RGUserProfileManager.h"

#include "engine/core/base/SLoger.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// One documents folder for the whole run, emptied before each input.
const std::filesystem::path& Documents()
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-users-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        setenv("XDG_DOCUMENTS_DIR", pattern.c_str(), 1);
        return std::filesystem::path(pattern);
    }();
    return folder;
}

size_t ProfileCount(const Runegarden::RGUserProfileManager& m) { return m.m_Profiles.size(); }

// Names are 7-bit text; other bytes are not carried through a save unchanged, by design.
bool Ascii(const std::wstring& s)
{
    for (wchar_t c : s)
        if (c < 0 || c > 127) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path save = Documents() / "Mossbrook_Cinderwell";
    std::filesystem::remove_all(save);
    std::filesystem::create_directories(save);
    {
        std::ofstream out(save / "users.xml", std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Runegarden::RGUserProfileManager manager;
    // Names holding a double quote are refused by the writer; the old file then stays.
    if (!manager.Save()) return 0;
    Runegarden::RGUserProfileManager reread;
    if (ProfileCount(reread) != ProfileCount(manager)) std::abort();
    auto a = manager.m_Profiles.begin();
    for (auto b = reread.m_Profiles.begin(); b != reread.m_Profiles.end(); ++a, ++b)
        if ((Ascii((*a)->Name) && (*a)->Name != (*b)->Name) || (*a)->Score != (*b)->Score ||
            (*a)->Trophies != (*b)->Trophies)
            std::abort();
    return 0;
}
