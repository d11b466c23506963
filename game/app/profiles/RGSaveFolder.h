#pragma once
// The folder the game keeps its log and users.xml in: the user's documents folder followed by
// "\Mossbrook_Cinderwell\". Made when missing; a folder that cannot be made is reported on
// stderr and the game runs on (its saves then fail and say so).

#include <string>

namespace Runegarden {

class RGSaveFolder {
public:
    // The path, ending in a backslash.
    static std::wstring Path();
    static std::wstring File(const std::wstring& name) { return Path() + name; }
};

} // namespace Runegarden
