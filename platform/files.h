#pragma once
// Stands in for the file-system, folder, environment and shell calls of Win32 and the shell, and
// for the MSVC C runtime's text-mode file behaviour, on POSIX (platform/posix/).
// Also the explicit narrow/wide helpers: wchar_t is 32-bit here, but wide strings hold UTF-16 code
// units, and nothing converts through a locale.
// Not reproduced: drive letters, UNC paths, file attributes beyond "folder", short names, any
// special folder but the documents folder, running Windows programs.
// Depends on: wintypes.h, POSIX, xdg-open (optional) for the shell; testing.h hooks the shell.

#include "platform/wintypes.h"

#include <cwchar>
#include <locale>
#include <streambuf>
#include <string>
#include <vector>

// ----- Narrow and wide text ------------------------------------------------------------------

// Sign-extends the byte to 16 bits: 0x80..0xFF become 0xFF80..0xFFFF.
wchar_t WidenSigned(char c);
// The byte's value as a unit: 0x80..0xFF stay 0x80..0xFF.
wchar_t WidenByte(char c);
// The low byte of the unit.
char NarrowLow(wchar_t w);

std::wstring WidenSigned(const std::string& s);
std::wstring WidenBytes(const std::string& s);
std::string NarrowLow(const std::wstring& s);

// UTF-8 <-> UTF-16 units. Valid surrogate pairs are combined; a lone surrogate is written as three
// bytes; invalid UTF-8 bytes become U+FFFD.
std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);

// ----- Paths ---------------------------------------------------------------------------------

// Maps a Windows-style path to the name on disk (UTF-8): '\' becomes '/', separators collapse,
// relative paths stay relative to the working directory, and a component that does not exist as
// written is matched case-insensitively against its folder (the first match in byte order wins).
// A name that matches nothing is kept as given, so a file about to be created gets that name.
std::string NativePath(const std::wstring& path);
std::string NativePath(const std::string& path);

// Why a file could not be read: `missing` only when no such file exists, else the system's text.
struct ReadFailure {
    bool missing = false;
    std::string text;
};

// Reads a whole file; false when it cannot be opened or read (a folder included), with the reason
// in `failure` when one is given. Text mode turns CR LF into LF and leaves every other byte alone.
bool ReadFileBytes(const std::wstring& path, bool textMode, std::string& out, ReadFailure* failure = nullptr);

// Text-mode wide output to a file, as a wide file stream writes it: the units become bytes
// through the codecvt facet of the buffer's locale (imbue the stream with the one wanted), and
// each "\n" byte is written as CR LF. Failures of the file, and units the facet cannot convert,
// show in the stream's state instead of being lost.
class WideTextFileBuf : public std::wstreambuf {
public:
    WideTextFileBuf();
    ~WideTextFileBuf() override;
    WideTextFileBuf(const WideTextFileBuf&) = delete;
    WideTextFileBuf& operator=(const WideTextFileBuf&) = delete;

    // Creates or truncates the file (or appends to it); false when it cannot be opened.
    bool open(const std::wstring& path, bool append);
    bool is_open() const;
    // Flushes, optionally syncs to disk, and closes. False if any write, conversion, flush, fsync
    // or the close failed since open.
    bool close(bool syncToDisk = false);

protected:
    void imbue(const std::locale& locale) override;
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const wchar_t* s, std::streamsize n) override;
    int sync() override;

private:
    typedef std::codecvt<wchar_t, char, std::mbstate_t> Conversion;

    bool Convert(const wchar_t* from, const wchar_t* end);
    bool FlushBytes();

    const Conversion* m_Conversion;
    std::mbstate_t m_State;
    int m_Fd;
    bool m_Failed;
    std::string m_Bytes;
};

// ----- Folders and environment ---------------------------------------------------------------

#define MAX_PATH 260
#define CSIDL_PERSONAL 5

// CSIDL_PERSONAL: $XDG_DOCUMENTS_DIR, else $HOME/Documents (created with its parents), else
// $HOME, else the working directory; absolute, without a trailing separator. buf holds 1024 units.
BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR buf, int csidl, BOOL create);

// Non-zero exactly for an existing folder.
BOOL PathIsDirectoryW(LPCWSTR path);
// Makes the last component only: FALSE when it exists or its parent is missing.
BOOL CreateDirectoryW(LPCWSTR path, void* security);
// The working directory with '/' separators; returns its length, or the size needed (with the
// terminator) when the buffer is too small.
DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buf);

// 0 when the variable is missing or empty; else its length, or the size needed (with the
// terminator) when the buffer is too small.
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buf, DWORD size);
// A Windows path list in PYTHONPATH is converted: '\' -> '/', ';' -> ':', a trailing separator
// dropped. A NULL value removes the variable.
BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value);
BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value);

// ----- Files ---------------------------------------------------------------------------------

#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

// Renames a file; without MOVEFILE_REPLACE_EXISTING an existing target makes it fail, with it the
// file takes the replaced file's permissions. With MOVEFILE_WRITE_THROUGH the target's folder is
// synced to disk before it returns.
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
BOOL DeleteFileW(LPCWSTR path);

// ----- File search ---------------------------------------------------------------------------

#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    WCHAR cFileName[MAX_PATH];
};
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATAW;

// The pattern's folder part is mapped like any path; its name part matches with '*' and '?',
// case-insensitively ("*.*" matches every name). Entries come in byte order of their names, "."
// and ".." included when they match. INVALID_HANDLE_VALUE when nothing matches.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE search);

// ----- Shell ---------------------------------------------------------------------------------

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SE_ERR_FNF 2
#define SE_ERR_NOASSOC 31
#define ERROR_BAD_FORMAT 11

// Opens a file with xdg-open, detached: an Internet Shortcut (.url) opens its http(s) URL, any
// other file its mapped path. The result is > 32 when started, SE_ERR_FNF for a missing file,
// SE_ERR_NOASSOC when nothing can open it. Under the shell hook it only records the request.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show);
// Windows programs cannot run here: ERROR_BAD_FORMAT, with a line on stderr.
UINT WinExec(LPCSTR command, UINT show);
