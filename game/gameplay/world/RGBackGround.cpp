#include "game/gameplay/world/RGBackGround.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/framework/drawables/SSprite.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

static const char* const kTarnSource = "..\\Src\\RGBackGround";

namespace Runegarden {

RGBackGround::RGBackGround() : m_StartTime(timeGetTime()) {}

RGBackGround::~RGBackGround() = default;

void RGBackGround::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("BackGround");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        RGBackGroundItem item;
        if (in.IsAvialableName("TimeDelay")) {
            unsigned int delay = 0;
            in.Deserialize("TimeDelay", delay);
            item.m_Delay = delay;
        }
        item.m_Sprite = RGSpriteCreator::CreateSprite(false);
        item.m_Sprite->DoDeserialize(in);
        m_Items.push_back(item);
        in.EndChild();
    }
    in.EndChild();
    TARN_CATCH("RGBackGround::DoDeserialize()")
}

void RGBackGround::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    out.BeginChild("BackGround");
    for (const RGBackGroundItem& item : m_Items) {
        out.BeginChild("Item");
        if (item.m_Delay != 0) out.Serialize("TimeDelay", unsigned(item.m_Delay));
        item.m_Sprite->DoSerialize(out);
        out.EndChild();
    }
    out.EndChild();
    TARN_CATCH("RGBackGround::DoSerialize()")
}

void RGBackGround::Update(const SCore::SVector3& offset)
{
    TARN_TRY
    const uint32_t seconds = uint32_t(timeGetTime() - m_StartTime) / 1000u;
    for (const RGBackGroundItem& item : m_Items) {
        if (seconds <= item.m_Delay) continue;
        TarnEngine::SSprite& sprite = *item.m_Sprite;
        const SCore::SRect stored = sprite.m_Position;
        sprite.m_Position.X += offset.X;
        sprite.m_Position.Y += offset.Y;
        sprite.m_Cached = false;
        if (sprite.m_Enabled) sprite.Draw();
        sprite.m_Position = stored;
        sprite.m_Cached = false;
    }
    TARN_CATCH("RGBackGround::Update()")
}

} // namespace Runegarden
