#pragma once
// The filtering a material asks of one texture stage; shared between materials by shared_ptr.

namespace SCore {

class STextureFiltration {
public:
    virtual ~STextureFiltration() = default;

    bool m_IsBilinear = false;
    bool m_IsTrilinear = false;
    bool m_IsAnisotropic = false;
};

} // namespace SCore
