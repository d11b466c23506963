#include "game/app/profiles/RGUserProfileManager.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/core/serialization/SXMLSerializator.h"
#include "game/app/profiles/RGSaveFolder.h"
#include "platform/files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

namespace Runegarden {

boost::shared_ptr<RGUserProfileManager> gProfileManager;

namespace {

void Log(const std::string& text)
{
    gLoger << SCore::GetCurrentDateTime() << (" " + text + "\n");
}

float Clamp01(float v)
{
    if (!(v > 0.0f)) v = 0.0f;
    if (!(v < 1.0f)) v = 1.0f;
    return v;
}

// "2026-12-06_20-55-07": a stamp that is a valid file name everywhere.
std::string FileStamp()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d-%02d-%02d", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

// The "Id" of each child of the element, by position; none when the element is missing.
std::vector<unsigned int> ReadIds(SCore::SDeserializator& reader, const char* element)
{
    std::vector<unsigned int> ids;
    if (!reader.IsHaveChild(element)) return ids;
    reader.BeginChild(element);
    const unsigned int count = reader.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        reader.BeginChild(i);
        unsigned int id = 0;
        reader.Deserialize("Id", id);
        ids.push_back(id);
        reader.EndChild();
    }
    reader.EndChild();
    return ids;
}

} // namespace

RGUserProfileManager::RGUserProfileManager()
{
    SetDefaults();
    Load();
}

void RGUserProfileManager::SetDefaults()
{
    m_Profiles.clear();
    m_Current.reset();
    SoundVolume = 1.0f;
    MusicVolume = 1.0f;
    IsFullScreen = true;
    m_HighScore.m_Entries.clear();
}

void RGUserProfileManager::Load()
{
    m_Profiles.clear();
    m_SaveFolder = RGSaveFolder::Path();
    const std::wstring path = m_SaveFolder + L"users.xml";
    {
        std::ifstream probe(NativePath(path));
        if (!probe.is_open()) return;
    }
    try {
        Read(path);
    } catch (const std::exception& e) {
        SetDefaults();
        PutAside(path, e.what());
    }
}

void RGUserProfileManager::Read(const std::wstring& path)
{
    SCore::SXMLDeserializator reader(path);
    const bool hasUsers = reader.IsHaveChild("Users");
    if (hasUsers) reader.BeginChild("Users");
    if (!reader.IsHaveChild("Userprofiles")) return;

    reader.BeginChild("Userprofiles");
    const unsigned int count = reader.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        boost::shared_ptr<RGUserProfile> profile(new RGUserProfile);
        reader.BeginChild(i);
        reader.Deserialize("Name", profile->Name);
        reader.Deserialize("Score", profile->Score);
        unsigned int lifes = 0;
        reader.Deserialize("Lifes", lifes);
        profile->Lifes = static_cast<int32_t>(lifes);
        reader.Deserialize("Level", profile->Level);
        reader.Deserialize("BonusLevel", profile->BonusLevel);
        if (reader.IsAvialableName("LevelShowName")) reader.Deserialize("LevelShowName", profile->LevelShowName);
        if (reader.IsAvialableName("BonusLevelShowName"))
            reader.Deserialize("BonusLevelShowName", profile->BonusLevelShowName);
        for (unsigned int id : ReadIds(reader, "Trophies")) {
            if (id < RGUserProfile::kTrophyCount) {
                profile->Trophies[id] = 1;
                profile->UpdateTrophySets();
            } else {
                Log("users.xml: trophy id " + std::to_string(id) + " ignored");
            }
        }
        for (unsigned int id : ReadIds(reader, "DoneBonusLevels")) profile->DoneBonusLevels.push_back(id);
        reader.EndChild();
        m_Profiles.push_back(profile);
    }
    std::wstring current;
    reader.Deserialize("Current", current);
    reader.Deserialize("MusicVolume", MusicVolume);
    reader.Deserialize("SoundVolume", SoundVolume);
    MusicVolume = Clamp01(MusicVolume);
    SoundVolume = Clamp01(SoundVolume);
    if (reader.IsAvialableName("IsFullScreen")) reader.Deserialize("IsFullScreen", IsFullScreen);
    reader.EndChild();
    if (reader.IsHaveChild("HighScore")) m_HighScore.Deserialize(reader);
    if (hasUsers) reader.EndChild();

    SelectProfile(current);
    // A "Current" that names nobody: the first profile plays, so no user meets an empty one.
    if (!m_Current && !m_Profiles.empty()) m_Current = m_Profiles.front();
}

void RGUserProfileManager::PutAside(const std::wstring& path, const std::string& why)
{
    const std::wstring aside = path + L".bad-" + WidenBytes(FileStamp());
    Log("users.xml can't be read: " + why);
    if (MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING))
        Log("users.xml renamed to " + WideToUtf8(aside) + "; starting with default settings");
    else
        Log("users.xml can't be renamed to " + WideToUtf8(aside) + "; starting with default settings");
}

bool RGUserProfileManager::Save()
{
    std::lock_guard<std::mutex> hold(m_SaveMutex);
    const std::wstring path = m_SaveFolder + L"users.xml";
    try {
        SCore::SXMLSerializator writer(path);
        writer.BeginChild("Users");
        writer.BeginChild("Userprofiles");
        for (const boost::shared_ptr<RGUserProfile>& profile : m_Profiles) {
            writer.BeginChild("Userprofile");
            writer.Serialize("Name", profile->Name);
            writer.Serialize("Score", static_cast<unsigned int>(profile->Score));
            writer.Serialize("Lifes", static_cast<int>(profile->Lifes));
            writer.Serialize("Level", profile->Level);
            writer.Serialize("LevelShowName", profile->LevelShowName);
            writer.Serialize("BonusLevel", profile->BonusLevel);
            writer.Serialize("BonusLevelShowName", profile->BonusLevelShowName);
            writer.BeginChild("Trophies");
            for (unsigned int i = 0; i < profile->Trophies.size(); ++i) {
                if (profile->Trophies[i] == 0) continue;
                writer.BeginChild("Trophy");
                writer.Serialize("Id", i);
                writer.EndChild();
            }
            writer.EndChild();
            writer.BeginChild("DoneBonusLevels");
            for (uint32_t id : profile->DoneBonusLevels) {
                writer.BeginChild("BonusLevel");
                writer.Serialize("Id", static_cast<unsigned int>(id));
                writer.EndChild();
            }
            writer.EndChild();
            writer.EndChild();
        }
        const boost::shared_ptr<RGUserProfile> current = GetCurrent();
        writer.Serialize("Current", current ? current->Name : std::wstring());
        writer.Serialize("MusicVolume", MusicVolume);
        writer.Serialize("SoundVolume", SoundVolume);
        writer.Serialize("IsFullScreen", IsFullScreen);
        writer.EndChild();
        // The refreshed table is kept only when the file took it.
        RGHighScore table = m_HighScore;
        if (current) table.AddScore(current->Name, current->LevelShowName, current->Score);
        table.Serialize(writer);
        writer.EndChild();
        writer.Flush();
        m_HighScore = table;
    } catch (const std::exception& e) {
        Log("users.xml not saved: " + std::string(e.what()));
        return false;
    }
    return true;
}

RGUserProfileManager::Profiles::iterator RGUserProfileManager::FindProfile(const std::wstring& name)
{
    return std::find_if(m_Profiles.begin(), m_Profiles.end(),
                        [&](const boost::shared_ptr<RGUserProfile>& p) { return p->Name == name; });
}

void RGUserProfileManager::SelectProfile(const std::wstring& name)
{
    Profiles::iterator found = FindProfile(name);
    if (found != m_Profiles.end()) m_Current = *found;
}

void RGUserProfileManager::CreateProfile(const std::wstring& name)
{
    boost::shared_ptr<RGUserProfile> profile(new RGUserProfile);
    profile->Name = name;
    profile->Score = 0;
    profile->Lifes = 5;
    m_Profiles.push_front(profile);
    m_Current = profile;
}

void RGUserProfileManager::SetScore(uint32_t score)
{
    const boost::shared_ptr<RGUserProfile> current = GetCurrent();
    if (!current) return;
    current->Score = score;
    m_HighScore.AddScore(current->Name, current->LevelShowName, current->Score);
}

} // namespace Runegarden
