// The nineteen effects in the exact WAV form the sound loader reads, the seven music tracks, and
// the sound names the game scripts can hand to the engine.
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

#include <regex>

using namespace content;

TEST(ContentSounds, EffectsArePcm16MonoAt22050WithOnlyFormatAndDataChunks)
{
    for (const auto& s : RegisteredSounds()) {
        SCOPED_TRACE(s.first + " " + s.second);
        const std::string b = ReadBytes(s.second);
        ASSERT_GE(b.size(), 46u) << "missing or truncated";
        EXPECT_EQ(0, b.compare(0, 4, "RIFF"));
        EXPECT_EQ(b.size() - 8, Le32(b, 4));
        EXPECT_EQ(0, b.compare(8, 4, "WAVE"));
        EXPECT_EQ(0, b.compare(12, 4, "fmt "));
        EXPECT_EQ(16u, Le32(b, 16));
        EXPECT_EQ(1u, Le16(b, 20));       // PCM
        EXPECT_EQ(1u, Le16(b, 22));       // mono
        EXPECT_EQ(22050u, Le32(b, 24));
        EXPECT_EQ(44100u, Le32(b, 28));   // bytes per second
        EXPECT_EQ(2u, Le16(b, 32));       // block align
        EXPECT_EQ(16u, Le16(b, 34));
        EXPECT_EQ(0, b.compare(36, 4, "data"));
        EXPECT_GT(Le32(b, 40), 0u);
        EXPECT_EQ(b.size(), 44u + Le32(b, 40)) << "a chunk other than fmt and data";
    }
}

TEST(ContentSounds, EveryMusicTrackIsAnMp3)
{
    for (const char* track : {"menu", "intro", "playtime", "playtimew", "bonus", "trophies", "final"}) {
        const std::string path = std::string("sounds\\") + track + ".mp3";
        SCOPED_TRACE(path);
        const std::string b = ReadBytes(path);
        ASSERT_GT(b.size(), 100000u) << "missing or too short for a 20 s loop";
        const bool id3 = b.compare(0, 3, "ID3") == 0;
        const bool frameSync = static_cast<unsigned char>(b[0]) == 0xFF && (static_cast<unsigned char>(b[1]) & 0xE0) == 0xE0;
        EXPECT_TRUE(id3 || frameSync);
    }
}

TEST(ContentSounds, EveryNameTheScriptsCanReturnIsRegistered)
{
    // The dispatcher's sound_fx is set only through assignments of string literals; an unknown
    // name ends the game, so each literal on those lines must be "" or a registered name.
    const std::string script = ReadBytes("scripts\\rgpy_factory.py");
    ASSERT_FALSE(script.empty());
    const std::regex assignment("sound_fx\\s*=[^\\n]*");
    const std::regex literal("\"([^\"]*)\"");
    std::set<std::string> returned;
    for (auto it = std::sregex_iterator(script.begin(), script.end(), assignment); it != std::sregex_iterator(); ++it) {
        const std::string line = it->str();
        if (line.find("sound_fx ==") != std::string::npos)
            continue;
        for (auto lit = std::sregex_iterator(line.begin(), line.end(), literal); lit != std::sregex_iterator(); ++lit)
            returned.insert((*lit)[1].str());
    }
    EXPECT_GE(returned.size(), 12u) << "the script's sound assignments were not found";
    for (const auto& name : returned)
        EXPECT_TRUE(name.empty() || RegisteredSounds().count(name)) << "unregistered sound \"" << name << "\"";
    // The script never builds a name at run time.
    EXPECT_EQ(std::string::npos, script.find("sound_fx +")) << "sound names must be literals";
    EXPECT_EQ(std::string::npos, script.find("sound_fx = self.")) << "sound names must be literals";
}
