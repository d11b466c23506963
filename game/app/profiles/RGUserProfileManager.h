#pragma once
// Every player's profile, the game-wide settings and the high-score table, kept in users.xml in
// the save folder. Read once when the manager is made; written whole by Save.
//
// A users.xml that cannot be opened (but is there) or read, or that holds no profiles element, is
// put aside as "users.xml.bad-<date and time>" and the game starts with the defaults; an empty
// one counts as none. One with top-level elements beside those read (two files joined) is put
// aside too, since a save would keep only what was read, and is then read as ever. Save writes a
// temporary file and renames it over users.xml, so a failed save keeps the previous file; it
// reports the failure instead of throwing.

#include "game/app/profiles/RGHighScore.h"
#include "game/app/profiles/RGUserProfile.h"

#include <boost/shared_ptr.hpp>

#include <list>
#include <mutex>
#include <string>

namespace Runegarden {

class RGUserProfileManager {
public:
    typedef std::list<boost::shared_ptr<RGUserProfile>> Profiles;

    // Defaults (no profiles, volumes 1.0, full screen), then Load.
    RGUserProfileManager();
    virtual ~RGUserProfileManager() = default;

    void Load();
    // false when users.xml could not be written; the old file and the state in memory stay.
    bool Save();

    Profiles::iterator FindProfile(const std::wstring& name);
    // Leaves the current profile unchanged when no profile has the name.
    void SelectProfile(const std::wstring& name);
    // A new profile (score 0, 5 lives) at the front of the list, made current.
    void CreateProfile(const std::wstring& name);
    // The current profile's score and its high-score row; nothing without profiles.
    void SetScore(uint32_t score);

    // The current profile; empty when there is none (no profiles, or none selected).
    boost::shared_ptr<RGUserProfile> GetCurrent() const { return m_Profiles.empty() ? nullptr : m_Current; }

    Profiles m_Profiles;
    boost::shared_ptr<RGUserProfile> m_Current;
    float SoundVolume;
    float MusicVolume;
    bool IsFullScreen;
    RGHighScore m_HighScore;
    std::wstring m_SaveFolder;

private:
    void SetDefaults();
    // Reads the parsed file; throws whatever the reader throws, and when the file holds no
    // "Userprofiles" where one is looked for.
    void Read(SCore::SDeserializator& reader);
    // Moves a users.xml that is not read whole aside so that the next save does not meet it; where
    // it cannot be moved, no save of this run replaces it. problem follows "users.xml " in the log;
    // outcome says what the game does instead.
    void PutAside(const std::wstring& path, const std::string& problem, const std::string& outcome);

    std::mutex m_SaveMutex;
    bool m_KeepFile = false;
};

// The game's profile store; made once while the game is constructed.
extern boost::shared_ptr<RGUserProfileManager> gProfileManager;

} // namespace Runegarden
