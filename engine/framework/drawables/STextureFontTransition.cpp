#include "engine/framework/drawables/STextureFontTransition.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/STextureFont.h"

#include <cmath>

static const char* const kTarnSource = "Src\\STextureFontTransition";

namespace TarnEngine {

STextureFontTransition::~STextureFontTransition() { m_Font.reset(); }

void STextureFontTransition::DoUpdate(uint32_t elapsed)
{
    TARN_TRY
    float t = Progress(elapsed);
    float s = std::sin(t * kQuarterTurn);
    uint32_t alpha;
    switch (m_TransitionState) {
    case STS_FADE_OUT: alpha = AlphaByte(255.0f - s * 255.0f); break;
    case STS_FADE_IN: alpha = AlphaByte(s * 255.0f); break;
    case STS_HIDDEN: alpha = 0; break;
    default: alpha = 255; break;
    }
    if (!m_Font) return;
    m_Font->m_Color[0] = uint8_t(alpha);
    m_Font->m_Cached = false; // so the new alpha reaches the glyphs' vertices
    TARN_CATCH("STextureFontTransition::DoUpdate()")
}

} // namespace TarnEngine
