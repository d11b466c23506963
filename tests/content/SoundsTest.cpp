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
        EXPECT_EQ("RIFFWAVEfmt data", b.substr(0, 4) + b.substr(8, 8) + b.substr(36, 4));
        EXPECT_EQ(b.size() - 8, Le32(b, 4));
        // Format size, PCM, mono, rate, bytes per second, block align, bits.
        EXPECT_EQ((std::vector<unsigned>{16, 1, 1, 22050, 44100, 2, 16}),
                  (std::vector<unsigned>{Le32(b, 16), Le16(b, 20), Le16(b, 22), Le32(b, 24), Le32(b, 28),
                                         Le16(b, 32), Le16(b, 34)}));
        EXPECT_GT(Le32(b, 40), 0u);
        EXPECT_EQ(b.size(), 44u + Le32(b, 40)) << "a chunk other than fmt and data";
    }
}

TEST(ContentSounds, EveryMusicTrackIsAnMp3)
{
    for (const char* track : {"menu", "intro", "playtime", "playtimew", "bonus", "trophies", "final"}) {
        const std::string b = ReadBytes(std::string("sounds\\") + track + ".mp3");
        ASSERT_GT(b.size(), 100000u) << track << ": missing or too short for a 20 s loop";
        const bool frameSync = static_cast<unsigned char>(b[0]) == 0xFF && (static_cast<unsigned char>(b[1]) & 0xE0) == 0xE0;
        EXPECT_TRUE(b.compare(0, 3, "ID3") == 0 || frameSync) << track;
    }
}

TEST(ContentSounds, EveryNameTheScriptsCanReturnIsRegistered)
{
    // An unknown sound_fx name ends the game; the script sets it only from string literals.
    const std::string script = ReadBytes("scripts\\rgpy_factory.py");
    ASSERT_FALSE(script.empty());
    const std::regex assignment("sound_fx\\s*=[^=\\n][^\\n]*"), literal("\"([^\"]*)\"");
    std::set<std::string> returned;
    for (auto it = std::sregex_iterator(script.begin(), script.end(), assignment); it != std::sregex_iterator(); ++it) {
        const std::string line = it->str();
        for (auto lit = std::sregex_iterator(line.begin(), line.end(), literal); lit != std::sregex_iterator(); ++lit)
            returned.insert((*lit)[1].str());
    }
    EXPECT_GE(returned.size(), 12u) << "the script's sound assignments were not found";
    for (const auto& name : returned)
        EXPECT_TRUE(name.empty() || RegisteredSounds().count(name)) << "unregistered sound \"" << name << "\"";
    EXPECT_EQ(std::string::npos, script.find("sound_fx +")) << "sound names must be literals";
    EXPECT_EQ(std::string::npos, script.find("sound_fx = self.")) << "sound names must be literals";
}
