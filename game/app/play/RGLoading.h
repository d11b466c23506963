#pragma once
// The loading screen: a background picture, a small frame-animated picture and a progress bar,
// all read from "Loading\" so that it can be shown before the texture list is loaded. Shown while
// the game starts and while a level is built.

#include "engine/core/render/STexture.h"
#include "engine/core/render/SViewport.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/ui/SProgressBar.h"

#include <boost/shared_ptr.hpp>

namespace Runegarden {

class RGLoading {
public:
    virtual ~RGLoading() = default;

    void Create(const boost::shared_ptr<SCore::SViewport>& viewport);
    void Render();

    // The value (0 to 1) and the bar's layout; the caller holds the lock the drawing holds.
    void SetProgress(float value);
    const boost::shared_ptr<TarnEngine::SProgressBar>& GetProgressBar() const { return m_ProgressBar; }

private:
    boost::shared_ptr<SCore::STexture> m_Background;
    boost::shared_ptr<SCore::STexture> m_Animation;
    boost::shared_ptr<SCore::STexture> m_Active;
    boost::shared_ptr<SCore::STexture> m_Passive;
    boost::shared_ptr<TarnEngine::SSprite> m_BackgroundSprite;
    boost::shared_ptr<TarnEngine::SSprite> m_AnimationSprite;
    boost::shared_ptr<TarnEngine::SProgressBar> m_ProgressBar;
};

} // namespace Runegarden
