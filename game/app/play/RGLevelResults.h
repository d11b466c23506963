#pragma once
// What a finished level hands to the score count: for each of the three characters (Balychahl,
// Chumbachukchul, SnuPulnel) its spare time and whether it lived, the level's play time, the
// lives, the level's index in the main pack, whether it was played from the bonus map, and
// whether the level's trophy is won.

#include <cstdint>

namespace Runegarden {

struct RGLevelResults {
    static const int kCharacters = 3;

    float SpareTime[kCharacters] = {0.0f, 0.0f, 0.0f};
    bool Alive[kCharacters] = {true, true, true};
    uint32_t LevelTime = 0;
    int32_t Lives = 0;
    uint32_t LevelIndex = 0;
    bool BonusMap = false;
    bool Trophy = false;
};

} // namespace Runegarden
