#include "game/app/profiles/RGUserProfileManager.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/core/serialization/SXMLSerializator.h"
#include "game/app/profiles/RGSaveFolder.h"
#include "platform/files.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <stdexcept>

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

// True when the document has more than one top-level element and Read does not take them all (a
// second "Users", or anything beside it; without "Users", anything but one "Userprofiles" and one
// "HighScore"): the next save would drop the others. A lone element is read or refused whole.
bool HoldsUnreadElements(SCore::SDeserializator& reader)
{
    if (reader.GetChildCount() < 2) return false;
    const bool hasUsers = reader.IsHaveChild("Users");
    std::set<std::string> seen;
    for (unsigned int i = 0; i < reader.GetChildCount(); ++i) {
        reader.BeginChild(i);
        const std::string name = reader.GetNodeName();
        reader.EndChild();
        const bool read = hasUsers ? name == "Users" : (name == "Userprofiles" || name == "HighScore");
        if (!read || !seen.insert(name).second) return true;
    }
    return false;
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
    m_KeepFile = false;
    m_SaveFolder = RGSaveFolder::Path();
    const std::wstring path = m_SaveFolder + L"users.xml";
    std::string text;
    ReadFailure failure;
    const auto unreadable = [&](const std::string& why) {
        PutAside(path, "can't be read: " + why, "starting with default settings");
    };
    if (!ReadFileBytes(path, true, text, &failure)) {
        // Only a file that is not there is a first start; one that is there may hold profiles.
        if (!failure.missing) unreadable(failure.text);
        return;
    }
    // An empty file holds nothing that a save could lose.
    if (text.empty()) return;
    bool putAside = false;
    try {
        SCore::SXMLDeserializator reader;
        reader.m_Text.swap(text);
        reader.ParseText();
        if (HoldsUnreadElements(reader)) {
            PutAside(path, "holds more top-level elements than are read", "the whole file is kept there");
            putAside = true;
        }
        Read(reader);
    } catch (const std::exception& e) {
        SetDefaults();
        if (putAside)
            Log("users.xml can't be read: " + std::string(e.what()) + "; starting with default settings");
        else
            unreadable(e.what());
    }
}

void RGUserProfileManager::Read(SCore::SDeserializator& reader)
{
    const bool hasUsers = reader.IsHaveChild("Users");
    if (hasUsers) reader.BeginChild("Users");
    // Nothing would be read, and the next save would replace whatever the file holds.
    if (!reader.IsHaveChild("Userprofiles"))
        throw std::runtime_error(hasUsers ? "no Userprofiles element" : "no Users element");

    reader.BeginChild("Userprofiles");
    const unsigned int count = reader.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        boost::shared_ptr<RGUserProfile> profile(new RGUserProfile);
        reader.BeginChild(i);
        profile->Deserialize(reader);
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

void RGUserProfileManager::PutAside(const std::wstring& path, const std::string& problem, const std::string& outcome)
{
    const std::wstring aside = path + L".bad-" + WidenBytes(FileStamp());
    Log("users.xml " + problem);
    const bool moved = MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING);
    // The name as it is on disk, for a player who goes looking for the file.
    const std::string shown = NativePath(aside);
    if (moved) {
        Log("users.xml renamed to " + shown + "; " + outcome);
    } else {
        m_KeepFile = true;
        Log("users.xml can't be renamed to " + shown + "; " + outcome + ", and users.xml is not saved over");
    }
}

bool RGUserProfileManager::Save()
{
    std::lock_guard<std::mutex> hold(m_SaveMutex);
    if (m_KeepFile) {
        Log("users.xml not saved: the unreadable file could not be put aside");
        return false;
    }
    const std::wstring path = m_SaveFolder + L"users.xml";
    try {
        SCore::SXMLSerializator writer(path);
        writer.BeginChild("Users");
        writer.BeginChild("Userprofiles");
        for (const boost::shared_ptr<RGUserProfile>& profile : m_Profiles) profile->Serialize(writer);
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
