#pragma once
// The main menu's report of the player's choice.

#include <cstdint>

namespace Runegarden {

enum RGMenuResult : int32_t {
    RGMR_NONE = 0,
    RGMR_PLAY = 1,     // the current profile has a level
    RGMR_EXIT = 2,     // exit confirmed
    RGMR_NEW_GAME = 3, // the current profile's level is empty
    RGMR_BONUS = 4,
};

} // namespace Runegarden
