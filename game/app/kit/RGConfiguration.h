#pragma once
// The values of config.xml, read once at start-up. Every value is required: the configuration
// has no defaults of its own.

#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelPacks.h"

#include <string>
#include <vector>

namespace Runegarden {

struct RGConfiguration {
    std::string AppName;
    unsigned int Width = 0;
    unsigned int Height = 0;
    unsigned int BitPerPixel = 0;
    bool FullScreen = false;
    std::string TexturePath;
    // In document order, whatever the children's element names.
    std::vector<unsigned int> BonusLifeScores;
    RGLevelMove LevelMove;

    // Reads the document's "configuration" element in the order the file is laid out.
    void Read(SCore::SDeserializator& reader);
    // Each byte of the texture path taken as a signed character.
    std::wstring WideTexturePath() const;
};

} // namespace Runegarden
