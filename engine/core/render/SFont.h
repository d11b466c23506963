#pragma once
// A screen font drawing plain text into a rectangle of the back buffer.

#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <string>

namespace SCore {

class SRenderDevice;

class SFont {
public:
    virtual ~SFont() = default;
    virtual void DoCreate(const boost::shared_ptr<SRenderDevice>& device) = 0;
    virtual void DoDrawText(int32_t left, int32_t top, int32_t right, int32_t bottom, const std::string& text,
                            uint32_t colour, uint32_t format) = 0;
    virtual void DoKill() = 0;

    std::string m_Name;
};

} // namespace SCore
