#pragma once
// An ordered list of levels read from a "LevelPack" file, with a current position. Reading the
// pack loads every level file's whole text and its header (Name, ShowName), so that names and
// titles are known before a level is built; GetLevel builds the current level from that text.

#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace Runegarden {

class RGLevel;

class RGLevelPack : public SCore::ISerialize, public SCore::IDeserialize {
public:
    // The name that stands for the position past the last level.
    static const char* const kDone; // "done"

    RGLevelPack();
    ~RGLevelPack() override;

    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override {}
    // Replaces the levels with those of the file (a pack read again does not repeat them), reads
    // the headers and makes the first level current.
    void DoDeserialize(SCore::SDeserializator& in) override;

    // Reads base folder + path whole and appends it under the pack name.
    void AddLevel(const std::wstring& path, const std::string& name);
    void ReadLevelHeaders();
    void Reset() { m_Current = 0; }
    // Steps to the level after the current one by position, so that a name the pack holds twice
    // still moves on; past the last level it stays there.
    void MoveToNextLevel()
    {
        if (!IsFinished()) ++m_Current;
    }

    // Builds the current level; throws "no current level in level pack" past the last level.
    boost::shared_ptr<RGLevel> GetLevel();

    // "" selects the first level, "None" the position past the last; another name selects the
    // first level of that name and leaves the position alone when none has it.
    void SetCurrentLevel(const std::string& name);
    // The level count for "done"; the first level of that name; 0 when no level has it.
    unsigned int GetLevelIndex(const std::string& name) const;
    // Both throw "level index out of range" for an index past the last level.
    const std::string& GetLevelName(unsigned int index) const;
    const std::string& GetLevelShowName(unsigned int index) const;
    std::string GetCurrentLevelName() const;
    std::string GetCurrentLevelShowName() const;

    unsigned int GetLevelCount() const { return unsigned(m_Levels.size()); }
    unsigned int GetCurrentIndex() const { return unsigned(m_Current); }
    bool IsFinished() const { return m_Current >= m_Levels.size(); }

    std::wstring m_BaseFolder;
    float m_Force = 1.1f;
    float m_Attenuation = 1.0f;

private:
    struct Entry {
        std::string m_Text; // the level file's whole text
        std::string m_Name; // the level's name in the pack
        std::wstring m_Path;
    };
    struct Header {
        std::string m_Name;
        std::string m_ShowName;
    };
    void CheckIndex(unsigned int index) const;

    std::vector<Entry> m_Levels;
    size_t m_Current = 0;
    std::vector<Header> m_Headers;
};

} // namespace Runegarden
