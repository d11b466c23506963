#pragma once
// The decorative sprites behind a level's game objects. Each item sits in level coordinates,
// scrolls with the view and is drawn once its delay (whole seconds since the background was
// read) has passed.

#include "engine/core/math/SVector3.h"
#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <vector>

namespace TarnEngine {
class SSprite;
}

namespace Runegarden {

struct RGBackGroundItem {
    uint32_t m_Delay = 0; // whole seconds
    boost::shared_ptr<TarnEngine::SSprite> m_Sprite;
};

class RGBackGround : public SCore::ISerialize, public SCore::IDeserialize {
public:
    // The start time is now.
    RGBackGround();
    ~RGBackGround() override;

    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override {}
    void DoDeserialize(SCore::SDeserializator& in) override;

    // Draws every item whose time has come, shifted by the view offset; the stored positions
    // stay as they are.
    void Update(const SCore::SVector3& offset);

    const std::vector<RGBackGroundItem>& GetItems() const { return m_Items; }
    uint32_t GetStartTime() const { return m_StartTime; }

private:
    std::vector<RGBackGroundItem> m_Items;
    uint32_t m_StartTime;
};

} // namespace Runegarden
