#include "game/gameplay/objects/RGPYGameObject.h"

#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/scripting/RGScriptLock.h"
#include "game/gameplay/services/RGAutoID.h"
#include "game/gameplay/services/RGSpriteCreator.h"

#include "engine/core/base/SEngineException.h"
#include "engine/core/render/SAnimator.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/STextureAnimator.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/serialization/SDeserializator.h"
#include "engine/framework/drawables/SMathMatrix.h"
#include "engine/framework/drawables/SSprite.h"
#include "platform/win32.h"

#include <boost/lexical_cast.hpp>

#include <algorithm>

static const char* const kTarnSource = "..\\Src\\RGPYGameObject";

using SCore::SVector3;
using TarnEngine::SEngineException;
using TarnEngine::SSprite;

namespace Runegarden {

namespace {

const RGPythonHandle& Key(RGPropertyKey key) { return RGPYFactory::GetPropertyKey(key); }

// The names the factory does not keep keys for, interned once: the methods are called every frame.
enum LocalName { kName, kIsLife, kCanUpdate, kDoUpdate, kResetForceAcc, kCanRender, kUpdateSpritesState,
                 kAddStateSprite, kLocalNameCount };

const RGPythonHandle& LocalKey(LocalName which)
{
    static const char* const names[kLocalNameCount] = {"name", "islife", "can_update", "do_update",
                                                      "reset_force_acc", "can_render", "update_sprites_state",
                                                      "add_state_sprite"};
    // Never destroyed: objects may be released while statics are torn down.
    static const RGPythonHandle* const keys = [] {
        RGPythonHandle* made = new RGPythonHandle[kLocalNameCount];
        for (int i = 0; i < kLocalNameCount; ++i) made[i] = RGPythonHandle::FromName(names[i]);
        return made;
    }();
    return keys[which];
}

// Stores value when it differs from field (a NaN always differs); true when it did.
bool StoreChanged(float& field, float value)
{
    if (value == field) return false;
    field = value;
    return true;
}

} // namespace

RGPYGameObject::RGPYGameObject() : m_Tile(new RGTile), m_ID(RGAutoID::Global().Next()) {}

RGPYGameObject::~RGPYGameObject()
{
    m_Children.clear();
    m_Tile.reset();
    m_States.clear();
    m_PythonObject.reset();
}

RGPythonObject& RGPYGameObject::Script()
{
    TARN_ASSERT(0 != m_PythonObject.get());
    return *m_PythonObject;
}

void RGPYGameObject::DoDeserialize(SCore::SDeserializator& in, unsigned int index)
{
    TARN_TRY
    throw SEngineException("inconclusive");
    TARN_CATCH("RGPYGameObject::DoDeserialize()")
}

void RGPYGameObject::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGScriptLock lock;
    std::string name, typeName;
    bool enable = false, gravity = false;
    in.BeginChild("GameObject");
    in.Deserialize("Name", name);
    in.Deserialize("IsEnable", enable);
    in.Deserialize("GravityAction", gravity);
    in.Deserialize("GameObjectType", typeName);
    in.Deserialize("RenderOrder", m_RenderOrder);
    SetName(name);
    if (enable)
        Enable();
    else
        Disable();
    SetGravityAction(gravity);
    m_Tile->Deserialize(in);
    const RGBody& body = *m_Tile->m_Body;
    SetPosition(body.m_Position);
    SetHalfSize(m_Tile->m_HalfSize);
    SetVelocity(body.m_Velocity);
    SetMass(body.m_Mass);
    DesializeStates(in);
    DeserializeAttributes(in);
    in.EndChild();
    TARN_CATCH("RGPYGameObject::DoDeserialize()")
}

void RGPYGameObject::DesializeStates(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("States");
    const unsigned stateCount = in.GetChildCount();
    for (unsigned i = 0; i < stateCount; ++i) {
        std::string stateName;
        in.BeginChild(i);
        in.Deserialize("Name", stateName);
        CheckState(stateName);
        const unsigned childCount = in.GetChildCount();
        for (unsigned j = 0; j < childCount; ++j) {
            in.BeginChild(j);
            const std::string element = in.GetNodeName();
            in.EndChild();
            if (element != SSprite::kTag) continue;
            boost::shared_ptr<SSprite> sprite = RGSpriteCreator::CreateSprite(true);
            sprite->DoDeserialize(in, j);
            AddStateSprite(stateName, sprite);
        }
        in.EndChild();
    }
    in.EndChild();
    TARN_CATCH("RGPYGameObject::DesializeStates()")
}

void RGPYGameObject::DeserializeAttributes(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("Attributes");
    const unsigned count = in.GetChildCount();
    for (unsigned i = 0; i < count; ++i) {
        std::string name, value, type;
        in.BeginChild(i);
        in.Deserialize("Name", name);
        in.Deserialize("Value", value);
        in.Deserialize("Type", type);
        SetAttributeValue(name, value, type);
        in.EndChild();
    }
    in.EndChild();
    TARN_CATCH("RGPYGameObject::DeserializeAttributes()")
}

SVector3 RGPYGameObject::GetPosition() const { return m_Tile->m_Body->m_Position; }

void RGPYGameObject::SetPosition(const SVector3& position)
{
    TARN_TRY
    m_Tile->m_Body->m_Position.X = position.X;
    m_Tile->m_Body->m_Position.Y = position.Y;
    UpdatePosition();
    TARN_CATCH("RGPYGameObject::SetPosition()")
}

void RGPYGameObject::UpdatePosition()
{
    TARN_TRY
    RGScriptLock lock;
    Script().SetPropertyValueDouble(Key(RGPK_X), m_Tile->m_Body->m_Position.X);
    Script().SetPropertyValueDouble(Key(RGPK_Y), m_Tile->m_Body->m_Position.Y);
    TARN_CATCH("RGPYGameObject::UpdatePosition()")
}

void RGPYGameObject::SetVelocity(const SVector3& velocity)
{
    TARN_TRY
    m_Tile->m_Body->m_Velocity = velocity;
    UpdateVelocity();
    TARN_CATCH("RGPYGameObject::SetVelocity()")
}

void RGPYGameObject::UpdateVelocity()
{
    TARN_TRY
    RGScriptLock lock;
    Script().SetPropertyValueDouble(Key(RGPK_VEL_X), m_Tile->m_Body->m_Velocity.X);
    Script().SetPropertyValueDouble(Key(RGPK_VEL_Y), m_Tile->m_Body->m_Velocity.Y);
    TARN_CATCH("RGPYGameObject::UpdateVelocity()")
}

void RGPYGameObject::SetMass(float mass)
{
    TARN_TRY
    m_Tile->m_Body->m_Mass = mass;
    UpdateMass();
    TARN_CATCH("RGPYGameObject::SetMass()")
}

void RGPYGameObject::UpdateMass()
{
    TARN_TRY
    Script().SetPropertyValueDouble(Key(RGPK_MASS), m_Tile->m_Body->m_Mass);
    TARN_CATCH("RGPYGameObject::UpdateMass()")
}

SVector3 RGPYGameObject::GetHalfSize() const { return m_Tile->m_HalfSize; }

void RGPYGameObject::SetHalfSize(const SVector3& halfSize)
{
    TARN_TRY
    m_Tile->m_HalfSize = halfSize;
    UpdateHalfSize();
    TARN_CATCH("RGPYGameObject::SetHalfSize()")
}

void RGPYGameObject::UpdateHalfSize()
{
    TARN_TRY
    RGScriptLock lock;
    Script().SetPropertyValueDouble(Key(RGPK_W), m_Tile->m_HalfSize.X);
    Script().SetPropertyValueDouble(Key(RGPK_H), m_Tile->m_HalfSize.Y);
    TARN_CATCH("RGPYGameObject::UpdateHalfSize()")
}

SVector3 RGPYGameObject::GetForceAcc()
{
    TARN_TRY
    RGScriptLock lock;
    static const RGPythonHandle* const keys[] = {&Key(RGPK_FRC_X), &Key(RGPK_FRC_Y)};
    double values[2];
    Script().GetPropertyDoubles(keys, 2, values);
    SVector3 force;
    force.X = static_cast<float>(values[0]);
    force.Y = static_cast<float>(values[1]);
    Script().SetMethodName(LocalKey(kResetForceAcc), 0);
    Script().CreateObject();
    return force;
    TARN_CATCH("RGPYGameObject::GetForceAcc()")
}

void RGPYGameObject::ResetForceAcc()
{
    TARN_TRY
    RGScriptLock lock;
    Script().SetMethodName(LocalKey(kResetForceAcc), 0);
    Script().CreateObject();
    m_Tile->m_Body->m_Force = SVector3();
    TARN_CATCH("RGPYGameObject::ResetForceAcc()")
}

uint32_t RGPYGameObject::GetState()
{
    TARN_TRY
    return Script().GetPropertyValue(Key(RGPK_STATE)).GetResultAsSizeT();
    TARN_CATCH("RGPYGameObject::GetState()")
}

bool RGPYGameObject::IsEnable()
{
    TARN_TRY
    return Script().GetPropertyValue(Key(RGPK_IS_ENABLE)).GetResultAsBoolean();
    TARN_CATCH("RGPYGameObject::IsEnable()")
}

void RGPYGameObject::Enable()
{
    TARN_TRY
    Script().SetPropertyValueBoolean(Key(RGPK_IS_ENABLE), true);
    TARN_CATCH("RGPYGameObject::Enable()")
}

void RGPYGameObject::Disable()
{
    TARN_TRY
    Script().SetPropertyValueBoolean(Key(RGPK_IS_ENABLE), false);
    TARN_CATCH("RGPYGameObject::Disable()")
}

bool RGPYGameObject::GetGravityAction()
{
    TARN_TRY
    return Script().GetPropertyValue(Key(RGPK_GRAVITY_ACTION)).GetResultAsBoolean();
    TARN_CATCH("RGPYGameObject::GetGravityAction()")
}

void RGPYGameObject::SetGravityAction(bool value)
{
    TARN_TRY
    Script().SetPropertyValueBoolean(Key(RGPK_GRAVITY_ACTION), value);
    TARN_CATCH("RGPYGameObject::SetGravityAction()")
}

void RGPYGameObject::SetName(const std::string& name)
{
    TARN_TRY
    Script().SetPropertyValueString(LocalKey(kName), name);
    m_Name = name;
    TARN_CATCH("RGPYGameObject::SetName()")
}

uint32_t RGPYGameObject::GetGameObjectType()
{
    TARN_TRY
    return Script().GetPropertyValue(Key(RGPK_GAME_OBJECT_TYPE)).GetResultAsSizeT();
    TARN_CATCH("RGPYGameObject::GetGameObjectType()")
}

bool RGPYGameObject::IsStatic()
{
    TARN_TRY
    return Script().GetPropertyValue(Key(RGPK_IS_STATIC)).GetResultAsBoolean();
    TARN_CATCH("RGPYGameObject::IsStatic()")
}

bool RGPYGameObject::IsActor()
{
    TARN_TRY
    return Script().GetPropertyValue(Key(RGPK_IS_ACTOR)).GetResultAsBoolean();
    TARN_CATCH("RGPYGameObject::IsActor()")
}

bool RGPYGameObject::IsMonstr()
{
    TARN_TRY
    return Script().GetPropertyValue(Key(RGPK_IS_MONSTR)).GetResultAsBoolean();
    TARN_CATCH("RGPYGameObject::IsMonstr()")
}

bool RGPYGameObject::IsLife()
{
    TARN_TRY
    return Script().GetPropertyValue(LocalKey(kIsLife)).GetResultAsBoolean();
    TARN_CATCH("RGPYGameObject::IsLife()")
}

void RGPYGameObject::SetPythonObject(const boost::shared_ptr<RGPythonObject>& object) { m_PythonObject = object; }

void RGPYGameObject::SetAnimationsState(int32_t state)
{
    for (auto& entry : m_States)
        for (const boost::shared_ptr<SSprite>& sprite : entry.second) {
            if (sprite->m_Material.m_Animator1) sprite->m_Material.m_Animator1->m_State = state;
            if (sprite->m_Material.m_Animator2) sprite->m_Material.m_Animator2->m_State = state;
        }
}

void RGPYGameObject::StopAnimations() { SetAnimationsState(SCore::SAS_HOLD); }

void RGPYGameObject::PlayAnimations() { SetAnimationsState(SCore::SAS_RUNNING); }

void RGPYGameObject::CheckState(const std::string& name) { m_States[name]; }

void RGPYGameObject::Update(float dt, const RGPythonDictionary& world)
{
    TARN_TRY
    RGScriptLock lock;
    Script().SetMethodName(LocalKey(kCanUpdate), 0);
    if (!Script().CreateObject().GetResultAsBoolean()) return;
    UpdateProcess(dt, world);
    TARN_CATCH("RGPYGameObject::Update()")
}

void RGPYGameObject::UpdateProcess(float dt, const RGPythonDictionary& world)
{
    TARN_TRY
    RGScriptLock lock;
    UpdatePosition();
    UpdateVelocity();
    RGPythonObject& script = Script();
    script.SetMethodName(LocalKey(kDoUpdate), 3);
    script.SetArgumentValueDouble(0, dt);
    // The layer's clock counts from process start, so scripts see small, positive times.
    script.SetArgumentValueInteger(static_cast<int32_t>(timeGetTime()));
    script.SetArgumentValuePyObject(2, world.GetHandle());
    script.CreateObject();
    RefreshCache();
    m_Tile->Update(dt);
    UpdatePosition();
    UpdateVelocity();
    for (const boost::shared_ptr<RGPYGameObject>& child : m_Children) child->UpdateProcess(dt, world);
    TARN_CATCH("RGPYGameObject::UpdateProcess()")
}

void RGPYGameObject::RefreshCache()
{
    TARN_TRY
    RGScriptLock lock;
    RGPythonObject& script = Script();
    static const RGPythonHandle* const keys[] = {&Key(RGPK_X),     &Key(RGPK_Y), &Key(RGPK_VEL_X), &Key(RGPK_VEL_Y),
                                                 &Key(RGPK_MASS), &Key(RGPK_W), &Key(RGPK_H)};
    double read[7];
    script.GetPropertyDoubles(keys, 7, read);
    float values[7];
    for (int i = 0; i < 7; ++i) values[i] = static_cast<float>(read[i]);
    RGBody& body = *m_Tile->m_Body;
    body.m_Position.X = values[0];
    body.m_Position.Y = values[1];
    body.m_Velocity.X = values[2];
    body.m_Velocity.Y = values[3];
    body.m_Mass = values[4];
    m_Tile->m_HalfSize = {values[5], values[6], 0.0f};
    const SVector3 force = GetForceAcc();
    body.m_Force.X += force.X;
    body.m_Force.Y += force.Y;
    body.m_Force.Z += force.Z;
    m_Tile->m_Geometry->Update(body.m_Position, m_Tile->m_HalfSize);
    TARN_CATCH("RGPYGameObject::RefreshCache()")
}

void RGPYGameObject::Render()
{
    TARN_TRY
    RGScriptLock lock;
    Script().SetMethodName(LocalKey(kCanRender), 0);
    if (!Script().CreateObject().GetResultAsBoolean()) return;
    RenderState(RGPYFactory::GetGameObjectStateStr(GetState()));
    TARN_CATCH("RGPYGameObject::Render()")
}

void RGPYGameObject::RenderState(const std::string& stateName)
{
    TARN_TRY
    const auto state = m_States.find(stateName);
    if (state == m_States.end())
        throw SEngineException("state [" + stateName + "] not found for game object[" + m_Name + "].");
    for (const boost::shared_ptr<SSprite>& sprite : state->second) {
        if (sprite->m_Material.m_Animator1) sprite->m_Material.m_Animator1->m_Phase = m_AnimationOffset;
        if (!sprite->m_Enabled) continue;
        TARN_ASSERT(0 != sprite->m_Viewport.get());
        TARN_ASSERT(0 != sprite->m_Viewport->m_RenderDevice.get());
        SCore::SRenderDevice& device = *sprite->m_Viewport->m_RenderDevice;
        device.DoSetmaterial(sprite->m_Material);
        device.SetCurrentMaterial(sprite->m_Material);
        sprite->DoRender(TarnEngine::IdentityMatrix());
    }
    for (const boost::shared_ptr<RGPYGameObject>& child : m_Children) child->RenderState(stateName);
    TARN_CATCH("RGPYGameObject::RenderState()")
}

void RGPYGameObject::UpdateSpritesState(double offsetX, double offsetY)
{
    TARN_TRY
    RGScriptLock lock;
    const std::string stateName = RGPYFactory::GetGameObjectStateStr(GetState());
    const auto state = m_States.find(stateName);
    if (state != m_States.end() && !state->second.empty()) {
        RGPythonObject& script = Script();
        script.SetMethodName(LocalKey(kUpdateSpritesState), 3);
        script.SetArgumentValueString(stateName);
        script.SetArgumentValueDouble(1, offsetX);
        script.SetArgumentValueDouble(2, offsetY);
        const boost::shared_ptr<RGPythonInterpreter> interpreter = RGPYFactory::GetModule();
        RGPythonList list(interpreter);
        list.Bind(script.CreateObject());
        // Items beyond the state's sprites have nothing to apply to.
        const unsigned count = std::min<unsigned>(list.GetSize(), static_cast<unsigned>(state->second.size()));
        for (unsigned i = 0; i < count; ++i) {
            RGPythonObject item(interpreter, "RGPYSprite", list.GetValue(i).GetHandle());
            auto read = [&item](RGPropertyKey key) {
                return static_cast<float>(item.GetPropertyValue(Key(key)).GetResultAsDouble());
            };
            auto truth = [&item](RGPropertyKey key) { return item.GetPropertyValue(Key(key)).GetResultAsBoolean(); };
            SSprite& sprite = *state->second[i];
            bool moved = false;
            moved |= StoreChanged(sprite.m_Position.X, read(RGPK_POSX));
            moved |= StoreChanged(sprite.m_Position.Y, read(RGPK_POSY));
            moved |= StoreChanged(sprite.m_Position.Width, read(RGPK_WIDTH));
            moved |= StoreChanged(sprite.m_Position.Height, read(RGPK_HEIGHT));
            if (moved && !sprite.IsWithTransform()) sprite.m_Cached = false;
            bool retextured = false;
            retextured |= StoreChanged(sprite.m_TexCoords.X, read(RGPK_TEX_X));
            retextured |= StoreChanged(sprite.m_TexCoords.Y, read(RGPK_TEX_Y));
            retextured |= StoreChanged(sprite.m_TexCoords.Width, read(RGPK_TEX_W));
            retextured |= StoreChanged(sprite.m_TexCoords.Height, read(RGPK_TEX_H));
            if (retextured) sprite.m_Cached = false;
            sprite.m_Enabled = truth(RGPK_ENABLE);
            m_AnimationOffset = read(RGPK_ANIM_OFFSET);
            sprite.m_FlipHorizontal = truth(RGPK_FLIP_H);
            sprite.m_FlipVertical = truth(RGPK_FLIP_V);
            sprite.m_Cached = false;
            if (sprite.m_Material.m_Animator1) sprite.m_Material.m_Animator1->m_Inverse = truth(RGPK_ANIM_INV);
        }
    }
    for (const boost::shared_ptr<RGPYGameObject>& child : m_Children) child->UpdateSpritesState(offsetX, offsetY);
    TARN_CATCH("RGPYGameObject::UpdateSpritesState()")
}

void RGPYGameObject::AddGroupObject(const boost::shared_ptr<RGPYGameObject>& child)
{
    TARN_TRY
    TARN_ASSERT(0 != child.get());
    m_Children.push_back(child);
    SCore::SAABBox box;
    for (size_t i = 0; i < m_Children.size(); ++i) {
        const SVector3 position = m_Children[i]->GetPosition();
        const SVector3 half = m_Children[i]->GetHalfSize();
        SCore::SAABBox member;
        member.Min = position;
        member.Max = {position.X + 2.0f * half.X, position.Y + 2.0f * half.Y, position.Z + 2.0f * half.Z};
        // The union starts from the first member, not from a box at the origin.
        if (i == 0)
            box = member;
        else
            box.MergeVector(member);
    }
    SetHalfSize({(box.Max.X - box.Min.X) * 0.5f, (box.Max.Y - box.Min.Y) * 0.5f, (box.Max.Z - box.Min.Z) * 0.5f});
    SetPosition(box.Min);
    TARN_CATCH("RGPYGameObject::AddGroupObject()")
}

void RGPYGameObject::AddStateSprite(const std::string& stateName, const boost::shared_ptr<SSprite>& sprite)
{
    TARN_TRY
    TARN_ASSERT(0 != sprite.get());
    RGScriptLock lock;
    m_States[stateName].push_back(sprite);
    const SSprite& s = *sprite;
    const bool inverse = s.m_Material.m_Animator1 ? s.m_Material.m_Animator1->m_Inverse : false;
    const RGPythonResult info = RGPYFactory::CreateSpriteInfo(
        s.m_Name, s.m_Position.X, s.m_Position.Y, s.m_Position.Width, s.m_Position.Height, s.m_TexCoords.X,
        s.m_TexCoords.Y, s.m_TexCoords.Width, s.m_TexCoords.Height, s.m_Enabled, s.m_FlipHorizontal,
        s.m_FlipVertical, inverse, s.m_XScaleFactor, s.m_YScaleFactor);
    RGPythonObject& script = Script();
    script.SetMethodName(LocalKey(kAddStateSprite), 2);
    script.SetArgumentValueString(stateName);
    script.SetArgumentValuePyObject(1, info.GetHandle());
    script.CreateObject();
    TARN_CATCH("RGPYGameObject::AddStateSprite()")
}

void RGPYGameObject::SetAttributeValue(const std::string& name, const std::string& value, const std::string& type)
{
    TARN_TRY
    RGScriptLock lock;
    const RGPythonHandle key = RGPythonHandle::FromName(name);
    RGPythonObject& script = Script();
    if (type == "Boolean")
        script.SetPropertyValueBoolean(key, boost::lexical_cast<bool>(value));
    else if (type == "String")
        script.SetPropertyValueString(key, value);
    else if (type == "Double")
        script.SetPropertyValueDouble(key, boost::lexical_cast<double>(value));
    else if (type == "SizeT")
        script.SetPropertyValueSizeT(key, boost::lexical_cast<uint32_t>(value));
    else if (type == "Long")
        script.SetPropertyValueLong(key, boost::lexical_cast<int32_t>(value));
    else
        throw SEngineException("can't set attribute[" + name + "] of type[" + type + "] by value[" + value + "]");
    TARN_CATCH("RGPYGameObject::SetAttributeValue()")
}

} // namespace Runegarden
