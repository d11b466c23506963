#pragma once
// The game's two level packs, the main one and the bonus one, and the view movement of
// config.xml ("level_move") that both hand to every level they build.

#include <boost/shared_ptr.hpp>

namespace SCore {
class SDeserializator;
}

namespace Runegarden {

class RGLevelPack;

struct RGLevelMove {
    float m_Force = 1.1f;
    float m_Attenuation = 1.0f;

    // From the current element "configuration": the element "level_move", "force" and
    // "attenuation" (both required).
    void Deserialize(SCore::SDeserializator& in);
};

class RGLevelPacks {
public:
    // Both packs as the game makes them: no base folder, force 1.1, attenuation 1.0.
    static void Create();
    // Both packs take the configured movement before any level is built.
    static void ApplyLevelMove(const RGLevelMove& move);
    static const boost::shared_ptr<RGLevelPack>& Main();
    static const boost::shared_ptr<RGLevelPack>& Bonus();
};

} // namespace Runegarden
