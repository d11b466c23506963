#pragma once
// The decoration around the play field: the bottom and left bars with their animated figures, the
// score plate and the sun with its eyes; the head-up labels, the lives and one spell button per
// tool of the current level. It also works out the play field's pixel rectangle (the window
// without the left and bottom bars), which the play drawing sets before it draws the level.

#include "engine/core/render/SRenderDevice.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <list>
#include <string>

namespace Runegarden {

struct RGFrameEntry {
    uint32_t delay; // whole seconds after the frame was made
    boost::shared_ptr<TarnEngine::SSprite> sprite;
};

class RGFrame {
public:
    // Made on the sprite creator's viewport; every texture it names must be loaded.
    RGFrame();
    virtual ~RGFrame();

    void Create();
    void AddSprite(const boost::shared_ptr<TarnEngine::SSprite>& sprite);
    // A spell button for the tool-type name ("RGTT_WALL" shows "SPELLWALL"), after the others.
    void AddTool(const std::string& toolName);
    void Render();

    std::list<RGFrameEntry> m_Sprites;
    uint32_t m_StartTime;
    SCore::SViewportRect m_PlayViewport;
    std::list<RGFrameEntry> m_Spells;
    boost::shared_ptr<TarnEngine::STextureFont> m_TimeLabel, m_LevelLabel, m_LivesLabel, m_ScoreLabel;
    int32_t m_Lives;
    int32_t m_ActorCount;
    boost::shared_ptr<TarnEngine::SSprite> m_LifeIcon;
    boost::shared_ptr<TarnEngine::SSprite> m_Sun, m_SunEyeLeft, m_SunEyeRight;
    bool m_IsSun;
};

} // namespace Runegarden
