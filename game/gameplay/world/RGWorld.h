#pragma once
// The game objects of one level: their physics, the collisions that the script dispatcher
// decides, their per-step script calls and their drawing in render order, behind the background
// and with the effect sprites (pointers to off-screen actors and portals, angels, skeletons).

#include "engine/core/math/SVector3.h"
#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"
#include "game/gameplay/objects/RGCollider.h"
#include "game/gameplay/world/RGAngelItem.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace TarnEngine {
class SSprite;
}

namespace Runegarden {

class RGBackGround;
class RGPYGameObject;
class RGPYGameObjectDispatcher;
class RGPythonDictionary;

class RGWorld : public SCore::ISerialize, public SCore::IDeserialize {
public:
    typedef boost::shared_ptr<RGPYGameObject> ObjectPtr;

    // Needs the script module and the sprite creator's viewport with the effect textures.
    RGWorld();
    ~RGWorld() override;
    RGWorld(const RGWorld&) = delete;
    RGWorld& operator=(const RGWorld&) = delete;

    void DoSerialize(SCore::SSerializator& out) override {}
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override {}
    // The "World" element: its "GameObjects" in order, then its "BackGround".
    void DoDeserialize(SCore::SDeserializator& in) override;

    boost::shared_ptr<RGPythonDictionary> GetDictionary() const { return m_Dictionary; }
    // Into the static or dynamic list by the script's is_static, under its type in the
    // dictionary, and among the actors and monsters as the script says.
    void AddGameObject(ObjectPtr object);
    // Reads one "GameObject" element; a member of a group goes to its parent only.
    void DeserializeGameObject(SCore::SDeserializator& in, const ObjectPtr& parent);

    // One step: caches, collisions, gravity and script updates, forces cleared, angels rising.
    void Update(float dt);
    void UpdateSpritesState();
    void Render();
    // Both lists into ascending render order.
    void Sort();

    // Every pair of enabled objects with a dynamic one, dynamic first; then all caches read back.
    void CollisionDetection();
    // One pair: its contact, the dispatcher's decision and sound, the caches read back, the response.
    void ProcessCollision(ObjectPtr& first, ObjectPtr& second);

    const std::vector<ObjectPtr>& GetDynamicObjects() const { return m_DynamicObjects; }
    const std::vector<ObjectPtr>& GetStaticObjects() const { return m_StaticObjects; }
    const std::vector<ObjectPtr>& GetActors() const { return m_Actors; }
    const std::vector<ObjectPtr>& GetMonsters() const { return m_Monsters; }
    const std::vector<RGAngelItem>& GetAngelItems() const { return m_AngelItems; }
    const boost::shared_ptr<RGBackGround>& GetBackGround() const { return m_BackGround; }
    const boost::shared_ptr<TarnEngine::SSprite>& GetPointerSprite() const { return m_PointerSprite; }
    const boost::shared_ptr<TarnEngine::SSprite>& GetPortalPointerSprite() const { return m_PortalPointerSprite; }
    const boost::shared_ptr<TarnEngine::SSprite>& GetAngelSprite() const { return m_AngelSprite; }
    const boost::shared_ptr<TarnEngine::SSprite>& GetSkeletonSprite() const { return m_SkeletonSprite; }

    SCore::SVector3 m_Gravity;
    // The view offset in level units (x, y <= 0): screen position = level position + offset.
    SCore::SVector3 m_Offset;

private:
    void CreateSprites();
    void ResetForceAcc();
    void UpdateAngels(float dt);
    void ResolveCollision(ObjectPtr& first, ObjectPtr& second, const SCore::SVector3& normal, float depth);
    // Pointers at the screen edge towards an off-screen portal or actor.
    void DrawPortalPointers(const SCore::SVector3& position, const SCore::SVector3& size, float ox, float oy);
    void DrawActorPointer(const SCore::SVector3& position, float ox, float oy);
    void AddAngel(const ObjectPtr& actor);

    std::vector<ObjectPtr> m_DynamicObjects;
    std::vector<ObjectPtr> m_StaticObjects;
    RGCollider m_Collider;
    boost::shared_ptr<RGPYGameObjectDispatcher> m_Dispatcher;
    boost::shared_ptr<RGBackGround> m_BackGround;
    boost::shared_ptr<TarnEngine::SSprite> m_PointerSprite;
    boost::shared_ptr<TarnEngine::SSprite> m_PortalPointerSprite;
    bool m_NeedsSort = true;
    boost::shared_ptr<RGPythonDictionary> m_Dictionary;
    std::vector<ObjectPtr> m_Actors;
    std::vector<RGAngelItem> m_AngelItems;
    std::vector<ObjectPtr> m_Monsters;
    boost::shared_ptr<TarnEngine::SSprite> m_AngelSprite;
    boost::shared_ptr<TarnEngine::SSprite> m_SkeletonSprite;
};

} // namespace Runegarden
