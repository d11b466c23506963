#pragma once
// The full-screen fade between modes: a black sprite over everything whose transparency is written
// into the shared texture "BLACK" itself, so every sprite drawn with that texture shows the same
// alpha. Times come from the system's millisecond clock.

#include "engine/core/render/SViewport.h"
#include "engine/framework/drawables/SSprite.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>

namespace Runegarden {

enum FaderState : int32_t {
    FS_BLACK = 0,
    FS_CLEAR = 1,
    FS_FADINGIN = 2,  // going black
    FS_FADINGOUT = 3, // going clear
};

class Fader {
public:
    // "BLACK" must be a 32-bit texture of at least four texels.
    explicit Fader(const boost::shared_ptr<SCore::SViewport>& viewport);
    virtual ~Fader() = default;

    void Render();
    // To black over the given seconds, from clear.
    void FadeIn(float seconds);
    // To clear over the given seconds, from black.
    void FadeOut(float seconds);
    void Update();

    const boost::shared_ptr<TarnEngine::SSprite>& GetSprite() const { return m_Sprite; }
    int32_t GetAlpha() const { return m_Alpha; }
    // Writes black with this alpha into every texel of level 0 of "BLACK" (the splash uses it too).
    static void WriteBlackAlpha(const boost::shared_ptr<SCore::STexture>& texture, int32_t alpha);

    FaderState m_State;

private:
    void CreateSprite();
    void UpdateIn();
    void UpdateOut();
    // Starts a fade of that direction from the alpha it begins at.
    void Start(FaderState state, int32_t alpha, float seconds);
    // Writes black with this alpha into every texel of the texture's level 0.
    void WriteAlpha(int32_t alpha);
    // Seconds since the running fade began.
    float Elapsed() const;

    boost::shared_ptr<SCore::SViewport> m_Viewport;
    boost::shared_ptr<TarnEngine::SSprite> m_Sprite;
    uint32_t m_StartTime;
    float m_Duration;
    int32_t m_Alpha;
};

} // namespace Runegarden
