#pragma once
// Whole-file readers and the folders the game stores its files in.

#include <string>
#include <vector>

namespace SCore {

// The file's text as read in text mode (CR LF arrives as LF). A file that cannot be opened or
// read throws TarnCoreException "File [<path>] not found", without a context entry.
std::string ReadWholeFile(const std::wstring& path);
// The same without any translation.
std::vector<char> ReadWholeFileBinary(const std::wstring& path);

// The user's documents folder (created when missing); never an unset text.
std::wstring GetMyDocumentsPath();

const std::wstring& GetEmptyWString();

} // namespace SCore
