#include "game/app/kit/RGConfiguration.h"

#include "game/gameplay/services/RGLocalizationFont.h"
#include "platform/files.h"

namespace Runegarden {

void RGConfiguration::Read(SCore::SDeserializator& reader)
{
    reader.BeginChild("configuration");
    reader.BeginChild("screen");
    reader.Deserialize("appname", AppName);
    reader.Deserialize("width", Width);
    reader.Deserialize("height", Height);
    reader.Deserialize("bitperpixel", BitPerPixel);
    reader.Deserialize("fullscreen", FullScreen);
    reader.Deserialize("texturepath", TexturePath);
    reader.EndChild();

    reader.BeginChild("bonus_life");
    BonusLifeScores.clear();
    const unsigned int count = reader.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        reader.BeginChild(i);
        unsigned int score = 0;
        reader.Deserialize("score", score);
        reader.EndChild();
        BonusLifeScores.push_back(score);
    }
    reader.EndChild();

    LevelMove.Deserialize(reader);
    gLocalizationFont.Deserialize(reader);
    reader.EndChild();
}

std::wstring RGConfiguration::WideTexturePath() const
{
    return WidenSigned(TexturePath);
}

} // namespace Runegarden
