#pragma once
// The closing scene after the last level: two pictures and three texts that fade in and out on a
// fixed time line, one text scrolling up the screen. The final-cut mode rewinds it (finished flag
// cleared, start time now) and ends it on a click after 66000 ms.

#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>

namespace Runegarden {

class RGFinalCut {
public:
    RGFinalCut();
    virtual ~RGFinalCut() = default;

    void Create();
    // Advances the time line and draws.
    void Render();
    // Finished flag false, start time now.
    void Rewind();

    const boost::shared_ptr<TarnEngine::SSprite>& GetPicture() const { return m_Picture; }
    const boost::shared_ptr<TarnEngine::SSprite>& GetScrollText() const { return m_ScrollText; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetPictureFade() const { return m_PictureFade; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetSecondFade() const { return m_SecondFade; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetThirdFade() const { return m_ThirdFade; }

    bool m_Finished;
    uint32_t m_StartTime;

private:
    boost::shared_ptr<TarnEngine::SSprite> m_Picture;
    boost::shared_ptr<TarnEngine::SSprite> m_ScrollText;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_PictureFade;
    boost::shared_ptr<TarnEngine::SSprite> m_SecondText;
    boost::shared_ptr<TarnEngine::SSprite> m_ThirdText;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_SecondFade;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_ThirdFade;
};

} // namespace Runegarden
