#include "game/app/screens/RGComicsPack.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/serialization/SXMLDeserializator.h"

static const char* const kTarnSource = "..\\Src\\RGComicsPack";

namespace Runegarden {

RGComicsPack::RGComicsPack(const boost::shared_ptr<TarnEngine::SInputMessager>& input) : m_Input(input) {}

void RGComicsPack::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    out.BeginChild("ComicsPack");
    for (const Entry& entry : m_Entries) {
        out.BeginChild("Comics");
        out.Serialize("LevelName", entry.m_LevelName);
        out.Serialize("ComicsPath", entry.m_ComicsPath);
        out.EndChild();
    }
    out.EndChild();
    TARN_CATCH("RGComicsPack::DoSerialize()")
}

void RGComicsPack::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("ComicsPack");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        std::string levelName;
        std::wstring path;
        in.Deserialize("LevelName", levelName);
        in.Deserialize("ComicsPath", path);
        in.EndChild();
        AddComics(levelName, path);
    }
    in.EndChild();
    TARN_CATCH("RGComicsPack::DoDeserialize()")
}

void RGComicsPack::AddComics(const std::string& levelName, const std::wstring& comicsPath)
{
    m_Entries.push_back(Entry{levelName, comicsPath});
}

boost::shared_ptr<RGComics> RGComicsPack::GetComics(const std::string& levelName)
{
    TARN_TRY
    for (const Entry& entry : m_Entries) {
        if (entry.m_LevelName != levelName) continue;
        boost::shared_ptr<RGComics> comics(new RGComics(m_Input));
        SCore::SXMLDeserializator in(entry.m_ComicsPath);
        comics->DoDeserialize(in);
        return comics;
    }
    return boost::shared_ptr<RGComics>();
    TARN_CATCH("RGComicsPack::GetComics()")
}

} // namespace Runegarden
