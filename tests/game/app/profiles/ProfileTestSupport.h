#pragma once
// A save folder of its own for each test: the documents folder is a fresh temporary folder.

#include "game/app/profiles/RGHighScore.h"

#include "tests/support/TempFolder.h"

#include <filesystem>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace apptest {

// The engine's XML has no self-closing tags: "<A x=\"1\"/>" becomes "<A x=\"1\"></A>".
inline std::string Closed(const std::string& text)
{
    static const std::regex selfClosing("<(\\w+)([^<>]*)/>");
    return std::regex_replace(text, selfClosing, "<$1$2></$1>");
}

// The high-score table as (name, score) rows, in table order.
typedef std::vector<std::pair<std::wstring, uint32_t>> ScoreRows;
inline ScoreRows Rows(const Runegarden::RGHighScore& table)
{
    ScoreRows rows;
    for (const auto& e : table.m_Entries) rows.emplace_back(e.Name, e.BestScore);
    return rows;
}

class SaveFolder {
public:
    SaveFolder() : m_Documents("XDG_DOCUMENTS_DIR", m_Temp.Path().c_str()) {}

    std::string Folder() const { return m_Temp.File("Mossbrook_Cinderwell"); }
    std::string File(const std::string& name) const { return Folder() + "/" + name; }
    std::string Users() const { return File("users.xml"); }
    void WriteUsers(const std::string& text) const
    {
        std::filesystem::create_directories(Folder());
        tarn_test::WriteBytes(Users(), Closed(text));
    }
    std::string ReadUsers() const { return tarn_test::ReadBytes(Users()); }

private:
    tarn_test::TempDir m_Temp;
    platformtest::ScopedEnv m_Documents;
};

} // namespace apptest
