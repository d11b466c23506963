#include "game/app/kit/RGSoundTable.h"

#include "engine/core/base/TarnCoreException.h"
#include "game/audio/RGSoundManager.h"

static const char* const kTarnSource = "..\\Src\\RGSoundTable";

namespace Runegarden {

namespace {

const struct {
    const char* name;
    const wchar_t* file;
    int buffers;
} kSounds[] = {
    {"Collide", L"sounds\\collide.wav", 1},
    {"Magic", L"sounds\\magic.wav", 1},
    {"TeleCreate", L"sounds\\telep_create.wav", 1},
    {"TeleGo", L"sounds\\tele_go.wav", 1},
    {"BridgeDown", L"sounds\\bridgedown.wav", 1},
    {"Step", L"sounds\\step.wav", 1},
    {"Portal", L"sounds\\portal.wav", 2},
    {"RecErr", L"sounds\\rec_err.wav", 1},
    {"Click", L"sounds\\click.wav", 1},
    {"Focus", L"sounds\\focus.wav", 1},
    {"Fountain", L"sounds\\fountain.wav", 1},
    {"Kill", L"sounds\\kill.wav", 1},
    {"Switch", L"sounds\\switch.wav", 1},
    {"Wind", L"sounds\\wind.wav", 1},
    {"Gate", L"sounds\\gate.wav", 1},
    {"Spring", L"sounds\\spring.wav", 1},
    {"Funnel", L"sounds\\funnel.wav", 1},
    {"Tooth", L"sounds\\tooth.wav", 4},
    {"Score", L"sounds\\score.wav", 10},
};

} // namespace

void RGSoundTable::Create(HWND window, const std::function<void(float)>& progress)
{
    TARN_TRY
    gSoundManager.reset(new RGSoundManager(window));
    float value = 0.8f;
    progress(value);
    for (const auto& sound : kSounds) {
        gSoundManager->AddSound(sound.name, sound.file, sound.buffers);
        value += 0.1f / 18.0f;
        progress(value);
    }
    TARN_CATCH("RGSoundTable::Create()")
}

} // namespace Runegarden
