#include "game/gameplay/levels/RGLevelPack.h"

#include "engine/core/base/FileUtils.h"
#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/gameplay/levels/RGLevel.h"
#include "platform/win32.h"

#include <sstream>

static const char* const kTarnSource = "..\\Src\\RGLevelPack";

namespace Runegarden {

const char* const RGLevelPack::kDone = "done";

RGLevelPack::RGLevelPack() = default;

RGLevelPack::~RGLevelPack() = default;

void RGLevelPack::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    // The path each level was read from, so that a written pack reads back the same levels.
    out.BeginChild("LevelPack");
    for (const Entry& entry : m_Levels) {
        out.BeginChild("Level");
        out.Serialize("Path", entry.m_Path);
        out.Serialize("Name", entry.m_Name);
        out.EndChild();
    }
    out.EndChild();
    TARN_CATCH("RGLevelPack::DoSerialize()")
}

void RGLevelPack::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    m_Levels.clear();
    m_Headers.clear();
    m_Current = 0;
    in.BeginChild("LevelPack");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        std::wstring path;
        std::string name;
        in.Deserialize("Path", path);
        in.Deserialize("Name", name);
        AddLevel(path, name);
        in.EndChild();
    }
    in.EndChild();
    ReadLevelHeaders();
    Reset();
    TARN_CATCH("RGLevelPack::DoDeserialize()")
}

void RGLevelPack::AddLevel(const std::wstring& path, const std::string& name)
{
    TARN_TRY
    m_Levels.push_back(Entry{SCore::ReadWholeFile(m_BaseFolder + path), name, path});
    TARN_CATCH("RGLevelPack::AddLevel()")
}

void RGLevelPack::ReadLevelHeaders()
{
    TARN_TRY
    for (size_t i = m_Headers.size(); i < m_Levels.size(); ++i) {
        SCore::SXMLDeserializator in;
        in.m_Text = m_Levels[i].m_Text;
        in.ParseText();
        in.BeginChild("Level");
        Header header;
        in.Deserialize("ShowName", header.m_ShowName);
        in.Deserialize("Name", header.m_Name);
        in.EndChild();
        m_Headers.push_back(header);
    }
    TARN_CATCH("RGLevelPack::ReadLevelHeaders()")
}

boost::shared_ptr<RGLevel> RGLevelPack::GetLevel()
{
    TARN_TRY
    if (IsFinished()) throw SCore::TarnCoreException("no current level in level pack");
    boost::shared_ptr<RGLevel> level(new RGLevel("UnknownLevel"));
    SCore::SXMLDeserializator in;
    in.m_Text = m_Levels[m_Current].m_Text;
    in.ParseText();
    const DWORD t0 = timeGetTime();
    level->DoDeserialize(in);
    const DWORD elapsed = timeGetTime() - t0;
    // One insertion, so that the stamp and the text stay together under the logger's lock.
    std::ostringstream line;
    line << SCore::GetCurrentDateTime() << " Loading level[" << m_Levels[m_Current].m_Name << "] for "
         << float(elapsed) / 1000.0f << "seconds\n";
    gLoger << line.str();
    level->m_Attenuation = m_Attenuation;
    level->m_MoveForce = m_Force;
    return level;
    TARN_CATCH("RGLevelPack::GetLevel()")
}

void RGLevelPack::SetCurrentLevel(const std::string& name)
{
    if (name.empty()) {
        m_Current = 0;
        return;
    }
    if (name == "None") {
        m_Current = m_Levels.size();
        return;
    }
    for (size_t i = 0; i < m_Levels.size(); ++i) {
        if (m_Levels[i].m_Name == name) {
            m_Current = i;
            return;
        }
    }
}

unsigned int RGLevelPack::GetLevelIndex(const std::string& name) const
{
    if (name == kDone) return GetLevelCount();
    for (size_t i = 0; i < m_Levels.size(); ++i)
        if (m_Levels[i].m_Name == name) return unsigned(i);
    return 0;
}

void RGLevelPack::CheckIndex(unsigned int index) const
{
    if (index >= m_Levels.size() || index >= m_Headers.size())
        throw SCore::TarnCoreException("level index out of range");
}

const std::string& RGLevelPack::GetLevelName(unsigned int index) const
{
    TARN_TRY
    CheckIndex(index);
    return m_Levels[index].m_Name;
    TARN_CATCH("RGLevelPack::GetLevelName()")
}

const std::string& RGLevelPack::GetLevelShowName(unsigned int index) const
{
    TARN_TRY
    CheckIndex(index);
    return m_Headers[index].m_ShowName;
    TARN_CATCH("RGLevelPack::GetLevelShowName()")
}

std::string RGLevelPack::GetCurrentLevelName() const
{
    return IsFinished() ? kDone : m_Levels[m_Current].m_Name;
}

std::string RGLevelPack::GetCurrentLevelShowName() const
{
    TARN_TRY
    if (IsFinished()) return kDone;
    return GetLevelShowName(GetLevelIndex(GetCurrentLevelName()));
    TARN_CATCH("RGLevelPack::GetCurrentLevelShowName()")
}

} // namespace Runegarden
