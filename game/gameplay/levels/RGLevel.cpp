#include "game/gameplay/levels/RGLevel.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonFunctor.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/scripting/RGScriptLock.h"
#include "game/gameplay/world/RGWorld.h"
#include "game/gameplay/services/RGFiniteValue.h"
#include "platform/files.h"
#include "platform/win32.h"

#include <algorithm>
#include <cmath>

static const char* const kTarnSource = "..\\Src\\RGLevel";

namespace Runegarden {

namespace {

// The fixed step of the world and the view, in milliseconds and in seconds.
const uint32_t kStepMs = 10;
const float kStep = 0.01f;
// The play field is 896 x 732 pixels; the view snaps to them, half a pixel before each.
const float kFieldWidth = 896.0f, kFieldHeight = 732.0f;

float Sign(float v) { return v > 0.0f ? 1.0f : (v < 0.0f ? -1.0f : 0.0f); }

// The milliseconds from previous to now; a clock set back gives none rather than the 49 days
// that the unsigned difference would make the world catch up on.
uint32_t Elapsed(uint32_t previous, uint32_t now) { return int32_t(now - previous) < 0 ? 0 : now - previous; }

// Keeps one axis of the view within [min(1 - size, 0), 0]; a field narrower than a screen
// would otherwise invert the limits.
void ClampAxis(float& position, float& velocity, float size)
{
    const float low = std::min(1.0f - size, 0.0f);
    if (position < low) {
        position = low;
        velocity = 0.0f;
    } else if (position > 0.0f) {
        position = 0.0f;
        velocity = 0.0f;
    }
    if (std::fabs(velocity) < 0.01f) velocity = 0.0f;
}

} // namespace

RGLevel::RGLevel(const std::string& name) : m_Name(name)
{
    TARN_TRY
    m_WorldPrevious = m_WorldCurrent = m_ViewPrevious = m_ViewCurrent = timeGetTime();
    m_ViewBody.m_Mass = 1.0f;
    Create();
    TARN_CATCH("RGLevel::RGLevel()")
}

RGLevel::~RGLevel()
{
    RGScriptLock lock;
    m_Trainer.reset();
    m_ProcessTool.reset();
    m_IsDone.reset();
    m_IsFailed.reset();
    m_World.reset();
}

void RGLevel::Create()
{
    TARN_TRY
    RGScriptLock lock;
    m_ToolArea = {0.0f, 0.0f, 0.999f, 0.999f};
    m_Gravity = {0.0f, 0.98f, 0.0f};
    m_World.reset(new RGWorld);
    // Bound now, so that a script lacking one refuses the level at load rather than in play.
    m_ProcessTool = BindRule("process_tool", 6);
    m_IsDone = BindRule("is_done", 1);
    m_IsFailed = BindRule("is_failed", 1);
    TARN_CATCH("RGLevel::Create()")
}

void RGLevel::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGScriptLock lock;
    in.BeginChild("Level");
    in.Deserialize("Name", m_Name);
    in.Deserialize("ShowName", m_ShowName);
    in.Deserialize("SizeX", m_SizeX);
    in.Deserialize("SizeY", m_SizeY);
    float x = 0.0f, y = 0.0f;
    in.Deserialize("PosX", x);
    in.Deserialize("PosY", y);
    m_ViewBody.m_Position.X = -x;
    m_ViewBody.m_Position.Y = -y;
    in.Deserialize("PlayTime", m_PlayTime);
    RequireFinite("Level SizeX", m_SizeX);
    RequireFinite("Level SizeY", m_SizeY);
    RequireFinite("Level PosX", x);
    RequireFinite("Level PosY", y);
    RequireFinite("Level PlayTime", m_PlayTime);
    m_RemainingPlayTime = m_PlayTime;
    in.Deserialize("Sun", m_Sun);
    if (in.IsAvialableName("Help")) {
        m_Trainer.reset(new RGLevelTrainer);
        in.Deserialize("Help", m_HelpFile);
        m_Trainer->Deserialize(WidenSigned(m_HelpFile));
        m_Trainer->Restart();
        m_Trainer->Update();
    }
    in.BeginChild("Tools");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        std::string toolType, objectType;
        in.Deserialize("ToolType", toolType);
        in.Deserialize("GameObject", objectType);
        const RGToolType tool = StringToToolType(toolType);
        const RGGameObjectType object = StringToGameObjectType(objectType);
        AddTool(boost::shared_ptr<RGTool>(new RGTool(tool, object)));
        in.EndChild();
    }
    in.EndChild();
    m_World->DoDeserialize(in);
    in.EndChild();
    TARN_CATCH("RGLevel::DoDeserialize()")
}

void RGLevel::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    out.BeginChild("Level");
    out.Serialize("Name", m_Name);
    out.Serialize("SizeX", m_SizeX);
    out.Serialize("SizeY", m_SizeY);
    out.Serialize("PosX", -m_ViewBody.m_Position.X);
    out.Serialize("PosY", -m_ViewBody.m_Position.Y);
    out.BeginChild("Tools");
    for (const boost::shared_ptr<RGTool>& tool : m_Tools) {
        out.BeginChild("Tool");
        out.Serialize("ToolType", ToolTypeToString(tool->m_ToolType));
        out.Serialize("GameObject", GameObjectTypeToString(tool->m_GameObjectType));
        out.EndChild();
    }
    out.EndChild();
    m_World->DoSerialize(out);
    out.EndChild();
    TARN_CATCH("RGLevel::DoSerialize()")
}

void RGLevel::Render()
{
    TARN_TRY
    m_World->Render();
    TARN_CATCH("RGLevel::Render()")
}

void RGLevel::AddGameObject(const boost::shared_ptr<RGPYGameObject>& object)
{
    TARN_TRY
    m_World->AddGameObject(object);
    TARN_CATCH("RGLevel::AddGameObject()")
}

void RGLevel::Update(bool paused)
{
    TARN_TRY
    RGScriptLock lock;
    const uint32_t now = timeGetTime();
    if (m_FirstUpdate) {
        // The first frame runs one step, whatever time the loading took.
        m_WorldCurrent = now - kStepMs;
        m_FirstUpdate = false;
        if (m_Trainer) m_Trainer->Restart();
        m_ViewCurrent = now - kStepMs;
    }
    m_WorldPrevious = m_WorldCurrent;
    m_WorldCurrent = now;
    m_ViewPrevious = m_ViewCurrent;
    m_ViewCurrent = now;
    const uint32_t worldElapsed = paused ? 0 : Elapsed(m_WorldPrevious, m_WorldCurrent);
    const uint32_t worldSteps = worldElapsed / kStepMs;
    m_WorldCurrent -= worldElapsed % kStepMs;
    const uint32_t viewElapsed = Elapsed(m_ViewPrevious, m_ViewCurrent);
    const uint32_t viewSteps = viewElapsed / kStepMs;
    m_ViewCurrent -= viewElapsed % kStepMs;

    m_ViewBody.m_Force.X += m_Attenuation * -Sign(m_ViewBody.m_Velocity.X);
    m_ViewBody.m_Force.Y += m_Attenuation * -Sign(m_ViewBody.m_Velocity.Y);
    m_World->Update(0.0f);
    for (uint32_t i = 0; i < worldSteps; ++i) m_World->Update(kStep);
    for (uint32_t i = 0; i < viewSteps; ++i) m_ViewBody.Update(kStep);
    m_World->UpdateSpritesState();
    ClampView();
    m_World->m_Offset.X = std::trunc(m_ViewBody.m_Position.X * kFieldWidth) / kFieldWidth - 0.000558035714f;
    m_World->m_Offset.Y = std::trunc(m_ViewBody.m_Position.Y * kFieldHeight) / kFieldHeight - 0.000683060090f;
    m_ViewBody.m_Force = SCore::SVector3();
    m_RemainingPlayTime = std::max(0.0f, m_RemainingPlayTime - float(worldSteps) * float(kStepMs) * 0.001f);
    if (!paused && m_Trainer) m_Trainer->Update();
    TARN_CATCH("RGLevel::Update()")
}

void RGLevel::ClampView()
{
    ClampAxis(m_ViewBody.m_Position.X, m_ViewBody.m_Velocity.X, m_SizeX);
    ClampAxis(m_ViewBody.m_Position.Y, m_ViewBody.m_Velocity.Y, m_SizeY);
}

void RGLevel::MoveLeft() { m_ViewBody.m_Force.X += m_MoveForce; }
void RGLevel::MoveRight() { m_ViewBody.m_Force.X -= m_MoveForce; }
void RGLevel::MoveUp() { m_ViewBody.m_Force.Y += m_MoveForce; }
void RGLevel::MoveDown() { m_ViewBody.m_Force.Y -= m_MoveForce; }

bool RGLevel::ProcessTool(RGToolType type, float x, float y, float a, float b)
{
    TARN_TRY
    const SCore::SRect& area = m_ToolArea;
    if (!(area.X <= x && x <= area.X + area.Width && area.Y <= y && y <= area.Y + area.Height)) return false;
    const float u = (x - area.X) / area.Width;
    const float v = (y - area.Y) / area.Height;
    auto tool = std::find_if(m_Tools.begin(), m_Tools.end(),
                             [type](const boost::shared_ptr<RGTool>& t) { return t->m_ToolType == type; });
    if (tool == m_Tools.end()) return false;
    RGScriptLock lock;
    m_ProcessTool->SetArgumentValue(0, m_World->GetDictionary()->GetHandle());
    m_ProcessTool->SetArgumentValueSizeT(1, (*tool)->m_GameObjectType);
    m_ProcessTool->SetArgumentValueDouble(2, u - m_World->m_Offset.X);
    m_ProcessTool->SetArgumentValueDouble(3, v - m_World->m_Offset.Y);
    m_ProcessTool->SetArgumentValueDouble(4, a);
    m_ProcessTool->SetArgumentValueDouble(5, b);
    return m_ProcessTool->Exec().GetResultAsBoolean();
    TARN_CATCH("RGLevel::ProcessTool()")
}

boost::shared_ptr<RGPythonFunctor> RGLevel::BindRule(const std::string& name, unsigned int argumentCount)
{
    boost::shared_ptr<RGPythonFunctor> rule(new RGPythonFunctor(RGPYFactory::GetModule()));
    rule->SetFuncName(name, argumentCount);
    return rule;
}

bool RGLevel::CallRule(const boost::shared_ptr<RGPythonFunctor>& rule)
{
    RGScriptLock lock;
    rule->SetArgumentValue(0, m_World->GetDictionary()->GetHandle());
    return rule->Exec().GetResultAsBoolean();
}

bool RGLevel::IsDone()
{
    TARN_TRY
    return CallRule(m_IsDone);
    TARN_CATCH("RGLevel::IsDone()")
}

bool RGLevel::IsFailed()
{
    TARN_TRY
    return CallRule(m_IsFailed);
    TARN_CATCH("RGLevel::IsFailed()")
}

void RGLevel::AddTool(const boost::shared_ptr<RGTool>& tool)
{
    TARN_TRY
    for (const boost::shared_ptr<RGTool>& existing : m_Tools)
        if (existing->m_ToolType == tool->m_ToolType) throw SCore::TarnCoreException("Tool already exist");
    m_Tools.push_back(tool);
    TARN_CATCH("RGLevel::AddTool()")
}

void RGLevel::GetActors(std::vector<boost::shared_ptr<RGPythonObject>>& out)
{
    TARN_TRY
    RGScriptLock lock;
    RGPythonList actors(RGPYFactory::GetModule());
    actors.Bind(m_World->GetDictionary()->GetValue(RGPythonHandle::FromSizeT(RGGOT_ACTOR)));
    const RGPythonHandle isActor = RGPythonHandle::FromString("is_actor");
    const unsigned int count = actors.GetSize();
    for (unsigned int i = 0; i < count; ++i) {
        boost::shared_ptr<RGPythonObject> actor(
            new RGPythonObject(RGPYFactory::GetModule(), "RGGameObject", actors.GetValue(i).GetHandle()));
        if (actor->GetPropertyValue(isActor).GetResultAsBoolean()) out.push_back(actor);
    }
    TARN_CATCH("RGLevel::GetActors()")
}

} // namespace Runegarden
