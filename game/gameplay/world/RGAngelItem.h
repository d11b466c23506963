#pragma once
// The rising angel of one dead actor, made once per actor name and kept while the world lives.

#include "engine/core/math/SVector3.h"

#include <string>

namespace Runegarden {

struct RGAngelItem {
    std::string m_Name;
    SCore::SVector3 m_Position;
    SCore::SVector3 m_StartPosition;
};

} // namespace Runegarden
