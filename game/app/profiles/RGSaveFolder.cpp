#include "game/app/profiles/RGSaveFolder.h"

#include "engine/core/base/FileUtils.h"
#include "platform/files.h"

#include <cstdio>

namespace Runegarden {

std::wstring RGSaveFolder::Path()
{
    const std::wstring folder = SCore::GetMyDocumentsPath() + L"\\Mossbrook_Cinderwell\\";
    if (!PathIsDirectoryW(folder.c_str()) && !CreateDirectoryW(folder.c_str(), nullptr))
        std::fprintf(stderr, "can't create save folder: %s\n", NativePath(folder).c_str());
    return folder;
}

} // namespace Runegarden
