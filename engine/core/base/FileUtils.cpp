#include "engine/core/base/FileUtils.h"

#include "engine/core/base/TarnCoreException.h"
#include "platform/files.h"

namespace SCore {

namespace {

std::string ReadOrThrow(const std::wstring& path, bool textMode)
{
    std::string content;
    if (!ReadFileBytes(path, textMode, content))
        throw TarnCoreException("File [" + NarrowLow(path) + "] not found");
    return content;
}

} // namespace

std::string ReadWholeFile(const std::wstring& path)
{
    return ReadOrThrow(path, true);
}

std::vector<char> ReadWholeFileBinary(const std::wstring& path)
{
    std::string content = ReadOrThrow(path, false);
    return std::vector<char>(content.begin(), content.end());
}

std::wstring GetMyDocumentsPath()
{
    wchar_t buffer[1024] = {0};
    SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_PERSONAL, TRUE);
    return buffer;
}

const std::wstring& GetEmptyWString()
{
    static const std::wstring empty;
    return empty;
}

} // namespace SCore
