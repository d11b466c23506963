#pragma once
// The game's modes. Every change goes through RGGameMode::ChangeMode.

#include <cstdint>

namespace Runegarden {

enum RGGameModeType : int32_t {
    RGGM_PLAY = 0,
    RGGM_MENU = 1,
    RGGM_CLICKTOMENU = 2,
    RGGM_EXIT = 3,
    RGGM_COMICS = 5,
    RGGM_NEXTLEVEL = 6,
    RGGM_SCORE = 7,
    RGGM_GAMEOVER = 8,
    RGGM_SPLASH = 9,
    RGGM_INTRO = 11,
    RGGM_FINALCUT = 12,
    RGGM_MAP = 13,
    RGGM_TROPHIES = 14,
    RGGM_LOADING = 15,
};

} // namespace Runegarden
