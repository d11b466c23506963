#include "game/gameplay/world/RGWorld.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/STextureAnimatorFrame.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/serialization/SDeserializator.h"
#include "engine/framework/drawables/SSprite.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/objects/RGGeomAABB.h"
#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/objects/RGPYGameObjectDispatcher.h"
#include "game/gameplay/objects/RGTile.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/scripting/RGScriptLock.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "game/gameplay/world/RGBackGround.h"
#include "game/gameplay/services/RGFiniteValue.h"
#include "platform/win32.h"

#include <algorithm>
#include <cmath>

static const char* const kTarnSource = "..\\Src\\RGWorld";

using TarnEngine::SSprite;

namespace Runegarden {

namespace {

// Below this depth a contact is reported but nothing is moved.
const float kMinResolveDepth = 1e-4f;
// The horizontal impulse is tripled: a walker against a wall comes back at twice its speed.
const float kHorizontalImpulse = 3.0f;

const float kPointerWidth = 0.03571f, kPointerHeight = 0.04372f;
const float kPortalPointerWidth = 0.04353f, kPortalPointerHeight = 0.08743f;

boost::shared_ptr<SSprite> EffectSprite(const std::string& texture, float width, float height, uint32_t alignment)
{
    boost::shared_ptr<SSprite> sprite = RGSpriteCreator::CreateSprite(true);
    sprite->m_Name = texture;
    sprite->m_Material.m_Texture1 = RGSpriteCreator::GetViewport()->m_TextureManager->GetTexture(texture);
    sprite->m_Material.m_AlphaBlend = 1;
    sprite->m_Material.m_SrcBlend = 5; // source alpha
    sprite->m_Material.m_DstBlend = 6; // inverse source alpha
    sprite->m_Material.m_ZWrite = 0;
    sprite->m_Position = {0.0f, 0.0f, width, height};
    sprite->m_CoordAligment = alignment;
    return sprite;
}

void DrawAt(SSprite& sprite, float x, float y)
{
    sprite.m_Position.X = x;
    sprite.m_Position.Y = y;
    sprite.m_Cached = false;
    if (sprite.m_Enabled) sprite.Draw();
}

// Wholly off the window [ox, ox + 1] x [oy, oy + 1] on one side.
bool OffScreen(const SCore::SVector3& p, float w, float h, float ox, float oy)
{
    return ox > p.X + w || p.X > ox + 1.0f || oy > p.Y + h || p.Y > oy + 1.0f;
}

// Boxes apart on an axis make no contact; the collider itself judges every other pair (and
// reports a geometry it does not know).
bool Apart(const RGTile& a, const RGTile& b)
{
    if (!a.m_Geometry || !b.m_Geometry || a.m_Geometry->GetType() != RGGeomAABB::kType ||
        b.m_Geometry->GetType() != RGGeomAABB::kType)
        return false;
    return !RGCollider::TestOverlap(static_cast<const RGGeomAABB&>(*a.m_Geometry),
                                    static_cast<const RGGeomAABB&>(*b.m_Geometry));
}

bool IsPortal(RGPYGameObject& object)
{
    return object.GetPythonObject()->GetPropertyValue(RGPYFactory::GetPropertyKey(RGPK_IS_PORTAL)).GetResultAsBoolean();
}

} // namespace

RGWorld::RGWorld()
{
    TARN_TRY
    RGScriptLock lock;
    m_Gravity = {0.0f, 0.98f, 0.0f};
    m_Dispatcher.reset(new RGPYGameObjectDispatcher);
    m_Dispatcher->Init();
    m_Dictionary.reset(new RGPythonDictionary(RGPYFactory::GetModule()));
    m_Dictionary->Create();
    CreateSprites();
    TARN_CATCH("RGWorld::RGWorld()")
}

RGWorld::~RGWorld()
{
    RGScriptLock lock;
    m_AngelItems.clear();
    m_Monsters.clear();
    m_Actors.clear();
    m_StaticObjects.clear();
    m_DynamicObjects.clear();
    m_Dictionary.reset();
    m_BackGround.reset();
    m_Dispatcher.reset();
}

void RGWorld::CreateSprites()
{
    TARN_TRY
    m_PointerSprite = EffectSprite("PTR", kPointerWidth, kPointerHeight, TarnEngine::SCA_CENTER);
    m_PortalPointerSprite = RGSpriteCreator::CreateTexturedSprite("PORTALPTR", true);
    m_PortalPointerSprite->m_Position = {0.0f, 0.0f, kPortalPointerWidth, kPortalPointerHeight};
    m_PortalPointerSprite->m_TexCoords.Width = 0.609375f;
    m_PortalPointerSprite->m_CoordAligment = TarnEngine::SCA_CENTER;
    m_AngelSprite = EffectSprite("ANGEL", 0.0625f, 0.125f, TarnEngine::SCA_LEFT_TOP);
    boost::shared_ptr<SCore::STextureAnimatorFrame> angel(new SCore::STextureAnimatorFrame("AngelAnimator", 4, 1));
    angel->m_AnimationSpeed = 16.0f;
    angel->SetIndent({0.0f, 0.0f, 1.0f, 0.75f});
    angel->SetTexture(m_AngelSprite->m_Material.m_Texture1);
    m_AngelSprite->m_Material.SetAnimator1(angel);
    m_SkeletonSprite = EffectSprite("SKELETON", 0.11161f, 0.13661f, TarnEngine::SCA_LEFT_TOP);
    m_SkeletonSprite->m_TexCoords.Height = 0.78125f;
    TARN_CATCH("RGWorld::CreateSprites()")
}

void RGWorld::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGScriptLock lock;
    in.BeginChild("World");
    in.BeginChild("GameObjects");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        DeserializeGameObject(in, ObjectPtr());
        in.EndChild();
    }
    in.EndChild();
    boost::shared_ptr<RGBackGround> background(new RGBackGround);
    background->DoDeserialize(in);
    m_BackGround = background;
    in.EndChild();
    TARN_CATCH("RGWorld::DoDeserialize()")
}

void RGWorld::DeserializeGameObject(SCore::SDeserializator& in, const ObjectPtr& parent)
{
    TARN_TRY
    std::string name;
    in.Deserialize("Name", name);
    ObjectPtr object = RGPYFactory::Create(name);
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        const std::string element = in.GetNodeName();
        in.EndChild();
        if (element == "Position" || element == "HalfSize") {
            SCore::SVector3 value;
            in.Deserialize(element, value);
            RequireFinite("GameObject " + element, value);
            if (element == "Position") object->SetPosition(value);
            else object->SetHalfSize(value);
        } else if (element == "Attributes") {
            object->DeserializeAttributes(in);
        } else if (element == "GameObject") {
            in.BeginChild(i);
            DeserializeGameObject(in, object);
            in.EndChild();
        }
    }
    if (parent) parent->AddGroupObject(object);
    else AddGameObject(object);
    TARN_CATCH("RGWorld::DeserializeGameObject()")
}

void RGWorld::AddGameObject(ObjectPtr object)
{
    TARN_TRY
    RGScriptLock lock;
    object->GetTile()->Update(0.0f);
    if (object->IsStatic()) m_StaticObjects.push_back(object);
    else m_DynamicObjects.push_back(object);
    const RGPythonHandle key = RGPythonHandle::FromSizeT(object->GetGameObjectType());
    RGPythonList list(RGPYFactory::GetModule());
    if (m_Dictionary->Contains(key)) {
        list.Bind(m_Dictionary->GetValue(key));
    } else {
        list.Create();
        m_Dictionary->Set(key, list.GetHandle());
    }
    list.Append(object->GetPythonObject()->GetInstance());
    if (object->IsActor()) m_Actors.push_back(object);
    if (object->IsMonstr()) m_Monsters.push_back(object);
    TARN_CATCH("RGWorld::AddGameObject()")
}

void RGWorld::Update(float dt)
{
    TARN_TRY
    RGScriptLock lock;
    for (ObjectPtr& object : m_DynamicObjects) object->RefreshCache();
    for (ObjectPtr& object : m_StaticObjects) object->RefreshCache();
    CollisionDetection();
    for (ObjectPtr& object : m_DynamicObjects) {
        if (!object->IsEnable()) continue;
        if (object->GetGravityAction()) {
            RGBody& body = *object->GetTile()->m_Body;
            body.m_Force.X += m_Gravity.X * body.m_Mass;
            body.m_Force.Y += m_Gravity.Y * body.m_Mass;
            body.m_Force.Z += m_Gravity.Z * body.m_Mass;
        }
        object->Update(dt, *m_Dictionary);
    }
    for (ObjectPtr& object : m_StaticObjects) object->Update(dt, *m_Dictionary);
    ResetForceAcc();
    UpdateAngels(dt);
    TARN_CATCH("RGWorld::Update()")
}

void RGWorld::ResetForceAcc()
{
    for (ObjectPtr& object : m_DynamicObjects) object->ResetForceAcc();
}

void RGWorld::UpdateAngels(float dt)
{
    const uint32_t now = timeGetTime();
    float k = 1.0f;
    for (RGAngelItem& item : m_AngelItems) {
        // The sway mixes the height with the start x, as the effect was tuned.
        const float t = float(now) * 0.001f * k;
        const float amplitude = std::sin(t) * 0.1f;
        item.m_Position.X = std::atan(item.m_Position.Y - item.m_StartPosition.X) * amplitude + item.m_StartPosition.X;
        item.m_Position.Y -= dt * 0.01f;
        k += 1.0f;
    }
}

void RGWorld::CollisionDetection()
{
    TARN_TRY
    // The outer object of each row of pairs counts as enabled as it was when its row began; the
    // inner one is asked at its pair. The scripts are asked only for pairs whose boxes meet: no
    // script runs in a row before its first such pair, so the outer flag read there is the one
    // the row began with.
    for (ObjectPtr& fixed : m_StaticObjects) {
        int fixedEnabled = -1;
        for (ObjectPtr& moving : m_DynamicObjects) {
            if (Apart(*moving->GetTile(), *fixed->GetTile())) continue;
            if (fixedEnabled < 0) fixedEnabled = fixed->IsEnable() ? 1 : 0;
            if (fixedEnabled && moving->IsEnable()) ProcessCollision(moving, fixed);
        }
    }
    for (size_t i = 0; i < m_DynamicObjects.size(); ++i) {
        int firstEnabled = -1;
        for (size_t j = i + 1; j < m_DynamicObjects.size(); ++j) {
            if (Apart(*m_DynamicObjects[i]->GetTile(), *m_DynamicObjects[j]->GetTile())) continue;
            if (firstEnabled < 0) firstEnabled = m_DynamicObjects[i]->IsEnable() ? 1 : 0;
            if (firstEnabled && m_DynamicObjects[j]->IsEnable()) ProcessCollision(m_DynamicObjects[i], m_DynamicObjects[j]);
        }
    }
    for (ObjectPtr& object : m_StaticObjects) object->RefreshCache();
    for (ObjectPtr& object : m_DynamicObjects) object->RefreshCache();
    TARN_CATCH("RGWorld::CollisionDetection()")
}

void RGWorld::ProcessCollision(ObjectPtr& first, ObjectPtr& second)
{
    TARN_TRY
    RGContact contact;
    boost::shared_ptr<RGTile> a = first->GetTile(), b = second->GetTile();
    m_Collider.Collide(a, b, contact);
    if (contact.m_Depth <= 0.0f) return;
    std::string sound;
    const bool resolve = m_Dispatcher->Dispatch(first, second, contact, *m_Dictionary, sound);
    if (!sound.empty() && gSoundManager) gSoundManager->PlaySound(sound);
    first->RefreshCache();
    second->RefreshCache();
    if (!resolve) return;
    if (std::fabs(contact.m_Depth) >= kMinResolveDepth) ResolveCollision(first, second, contact.m_Normal, contact.m_Depth);
    first->UpdatePosition();
    second->UpdatePosition();
    first->UpdateVelocity();
    second->UpdateVelocity();
    first->UpdateHalfSize();
    second->UpdateHalfSize();
    TARN_CATCH("RGWorld::ProcessCollision()")
}

void RGWorld::ResolveCollision(ObjectPtr& first, ObjectPtr& second, const SCore::SVector3& n, float d)
{
    RGBody& a = *first->GetTile()->m_Body;
    RGBody& b = *second->GetTile()->m_Body;
    const bool movableA = a.m_Mass > 0.0f, movableB = b.m_Mass > 0.0f;
    if (!movableA && !movableB) return;
    const float invA = movableA ? 1.0f / a.m_Mass : 0.0f;
    const float invB = movableB ? 1.0f / b.m_Mass : 0.0f;
    auto dot = [&n](const SCore::SVector3& v) { return v.X * n.X + v.Y * n.Y + v.Z * n.Z; };
    float j;
    if (movableA && movableB) {
        SCore::SVector3 relative{a.m_Velocity.X - b.m_Velocity.X, a.m_Velocity.Y - b.m_Velocity.Y,
                                 a.m_Velocity.Z - b.m_Velocity.Z};
        j = -dot(relative) / (invA + invB);
    } else if (movableA) {
        j = -dot(a.m_Velocity) / invA;
    } else {
        j = dot(b.m_Velocity) / invB;
    }
    const SCore::SVector3 impulse{kHorizontalImpulse * j * n.X, j * n.Y, j * n.Z};
    if (movableA) {
        SCore::SVector3 v{a.m_Velocity.X + impulse.X * invA, a.m_Velocity.Y + impulse.Y * invA,
                          a.m_Velocity.Z + impulse.Z * invA};
        first->SetVelocity(v);
        SCore::SVector3 p{a.m_Position.X - d * n.X, a.m_Position.Y - d * n.Y, a.m_Position.Z - d * n.Z};
        first->SetPosition(p);
    }
    if (movableB) {
        SCore::SVector3 v{b.m_Velocity.X - impulse.X * invB, b.m_Velocity.Y - impulse.Y * invB,
                          b.m_Velocity.Z - impulse.Z * invB};
        second->SetVelocity(v);
        SCore::SVector3 p{b.m_Position.X + d * n.X, b.m_Position.Y + d * n.Y, b.m_Position.Z + d * n.Z};
        second->SetPosition(p);
    }
}

void RGWorld::UpdateSpritesState()
{
    TARN_TRY
    RGScriptLock lock;
    for (ObjectPtr& object : m_DynamicObjects) object->UpdateSpritesState(m_Offset.X, m_Offset.Y);
    for (ObjectPtr& object : m_StaticObjects) object->UpdateSpritesState(m_Offset.X, m_Offset.Y);
    TARN_CATCH("RGWorld::UpdateSpritesState()")
}

void RGWorld::Sort()
{
    auto byOrder = [](const ObjectPtr& a, const ObjectPtr& b) { return a->GetRenderOrder() < b->GetRenderOrder(); };
    std::sort(m_StaticObjects.begin(), m_StaticObjects.end(), byOrder);
    std::sort(m_DynamicObjects.begin(), m_DynamicObjects.end(), byOrder);
    m_NeedsSort = false;
}

void RGWorld::Render()
{
    TARN_TRY
    RGScriptLock lock;
    if (m_NeedsSort) Sort();
    if (m_BackGround) m_BackGround->Update(m_Offset);
    const float ox = std::fabs(m_Offset.X), oy = std::fabs(m_Offset.Y);
    auto visible = [ox, oy](const ObjectPtr& object) {
        const SCore::SVector3 p = object->GetPosition();
        const SCore::SVector3 h = object->GetHalfSize();
        return ox <= p.X + 2.0f * h.X && oy <= p.Y + 2.0f * h.Y && p.X <= ox + 1.0f && p.Y <= oy + 1.0f;
    };
    for (ObjectPtr& object : m_StaticObjects)
        if (object->IsEnable() && visible(object)) object->Render();
    for (ObjectPtr& object : m_DynamicObjects) {
        if (!object->IsEnable()) continue;
        if (visible(object)) object->Render();
        else if (IsPortal(*object)) DrawPortalPointers(object->GetPosition(), object->GetHalfSize(), ox, oy);
    }
    for (ObjectPtr& actor : m_Actors) {
        const SCore::SVector3 p = actor->GetPosition();
        const SCore::SVector3 h = actor->GetHalfSize();
        if (actor->IsEnable()) {
            if (OffScreen(p, 2.0f * h.X, 2.0f * h.Y, ox, oy)) DrawActorPointer(p, ox, oy);
        } else if (!actor->IsLife()) {
            AddAngel(actor);
        }
    }
    for (RGAngelItem& item : m_AngelItems)
        DrawAt(*m_AngelSprite, item.m_Position.X + m_Offset.X, item.m_Position.Y + m_Offset.Y);
    for (ObjectPtr& monster : m_Monsters) {
        if (monster->IsEnable() || monster->IsLife()) continue;
        const SCore::SVector3 p = monster->GetPosition();
        const SCore::SVector3 h = monster->GetHalfSize();
        const SCore::SRect& size = m_SkeletonSprite->m_Position;
        DrawAt(*m_SkeletonSprite, p.X + 2.0f * h.X - size.Width + m_Offset.X, p.Y + 2.0f * h.Y - size.Height + m_Offset.Y);
    }
    TARN_CATCH("RGWorld::Render()")
}

void RGWorld::AddAngel(const ObjectPtr& actor)
{
    const std::string name = actor->GetName();
    for (const RGAngelItem& item : m_AngelItems)
        if (item.m_Name == name) return;
    const SCore::SVector3 p = actor->GetPosition();
    m_AngelItems.push_back(RGAngelItem{name, p, p});
}

void RGWorld::DrawPortalPointers(const SCore::SVector3& p, const SCore::SVector3& half, float ox, float oy)
{
    const float w = 2.0f * half.X, h = 2.0f * half.Y;
    if (!OffScreen(p, w, h, ox, oy)) return;
    const float rx = p.X - ox, ry = p.Y - oy;
    SSprite& pointer = *m_PointerSprite;
    SSprite& portal = *m_PortalPointerSprite;
    float px = rx, py = ry, qx = rx - portal.m_Position.Width * 0.5f, qy = ry;
    if (p.X < ox) {
        px = 0.05f;
        qx = 0.1f;
    } else if (p.X > ox + 0.92f) {
        px = qx = 0.92f;
    }
    if (p.Y < oy) {
        py = 0.05f;
        qy = 0.1f;
    } else if (p.Y > oy + 0.92f) {
        py = 0.92f;
    }
    if (p.Y > oy + 0.85f) qy = 0.85f;
    float angle = std::atan((p.Y + h - oy - 0.5f) / (p.X + w - ox - 0.5f));
    if (rx - 0.5f < 0.0f) angle += 3.14f;
    pointer.m_Angle = angle;
    DrawAt(pointer, px, py);
    DrawAt(portal, qx, qy);
}

void RGWorld::DrawActorPointer(const SCore::SVector3& p, float ox, float oy)
{
    const float rx = p.X - ox, ry = p.Y - oy;
    float x = rx, y = ry;
    if (p.X < ox) x = 0.05f;
    else if (p.X > ox + 0.92f) x = 0.92f;
    if (p.Y < oy) y = 0.05f;
    else if (p.Y > oy + 0.92f) y = 0.92f;
    float angle = std::atan((ry - 0.5f) / (rx - 0.5f));
    if (rx - 0.5f < 0.0f) angle += 3.14f;
    m_PointerSprite->m_Angle = angle;
    DrawAt(*m_PointerSprite, x, y);
}

} // namespace Runegarden
