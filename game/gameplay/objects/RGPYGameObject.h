#pragma once
// Every object of a level's world. Its behaviour lives in a script instance; the object keeps what
// the engine needs each frame: the tile with its body and box, the sprites of each named state, a
// name, an id, a render order and the members of a group. Each frame it copies position,
// velocity, mass, size and force between the body and the script, lets the script update and
// choose its state, and draws that state's sprites.

#include "game/gameplay/objects/RGTile.h"

#include "engine/core/math/SVector3.h"
#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace TarnEngine {
class SSprite;
}

namespace Runegarden {

class RGPythonObject;
class RGPythonDictionary;

class RGPYGameObject : public SCore::ISerialize, public SCore::IDeserialize {
public:
    typedef std::vector<boost::shared_ptr<TarnEngine::SSprite>> Sprites;
    typedef std::map<std::string, Sprites> States;
    typedef std::vector<boost::shared_ptr<RGPYGameObject>> Children;

    // No script instance, no states, a tile with a body of mass 1, the next RGAutoID value.
    RGPYGameObject();
    ~RGPYGameObject() override;
    RGPYGameObject(const RGPYGameObject&) = delete;
    RGPYGameObject& operator=(const RGPYGameObject&) = delete;

    // Game objects are never saved.
    void DoSerialize(SCore::SSerializator& out) override {}
    // Throws "inconclusive".
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override;
    // Reads the definition: the current element holds "GameObject".
    void DoDeserialize(SCore::SDeserializator& in) override;

    // Body and script accessors: the setters write the body and push the value to the script.
    SCore::SVector3 GetPosition() const;
    void SetPosition(const SCore::SVector3& position);
    void UpdatePosition();
    void SetVelocity(const SCore::SVector3& velocity);
    void UpdateVelocity();
    void SetMass(float mass);
    void UpdateMass();
    SCore::SVector3 GetHalfSize() const;
    void SetHalfSize(const SCore::SVector3& halfSize);
    void UpdateHalfSize();
    // Reads frc_x, frc_y and lets the script reset them.
    SCore::SVector3 GetForceAcc();
    void ResetForceAcc();
    uint32_t GetState();
    bool IsEnable();
    void Enable();
    void Disable();
    bool GetGravityAction();
    void SetGravityAction(bool value);
    std::string GetName() const { return m_Name; }
    void SetName(const std::string& name);
    uint32_t GetGameObjectType();
    bool IsStatic();
    bool IsActor();
    bool IsMonstr();
    bool IsLife();
    void SetPythonObject(const boost::shared_ptr<RGPythonObject>& object);
    const boost::shared_ptr<RGPythonObject>& GetPythonObject() const { return m_PythonObject; }
    // Holds or runs the texture animators of every state's sprites.
    void StopAnimations();
    void PlayAnimations();
    // Adds an empty sprite list for a state not yet present.
    void CheckState(const std::string& name);

    // One world update: asks can_update, then UpdateProcess.
    void Update(float dt, const RGPythonDictionary& world);
    void UpdateProcess(float dt, const RGPythonDictionary& world);
    // Reads the script's position, velocity, mass, size and force into the body and tile.
    void RefreshCache();
    // Draws the state the script chooses (when can_render), with the members of a group.
    void Render();
    void RenderState(const std::string& stateName);
    // Lets the script place the sprites of the current state; offsetX, offsetY: the world's view.
    void UpdateSpritesState(double offsetX, double offsetY);
    // Appends a member; the group's box becomes the union of its members' boxes.
    void AddGroupObject(const boost::shared_ptr<RGPYGameObject>& child);
    void AddStateSprite(const std::string& stateName, const boost::shared_ptr<TarnEngine::SSprite>& sprite);
    // The "Attributes" child of the current element (a level's placed object reads it too).
    void DeserializeAttributes(SCore::SDeserializator& in);
    // type: "Boolean", "String", "Double", "SizeT" or "Long".
    void SetAttributeValue(const std::string& name, const std::string& value, const std::string& type);

    uint32_t GetID() const { return m_ID; }
    const boost::shared_ptr<RGTile>& GetTile() const { return m_Tile; }
    const States& GetStates() const { return m_States; }
    const Children& GetChildren() const { return m_Children; }
    float GetAnimationOffset() const { return m_AnimationOffset; }
    uint32_t GetRenderOrder() const { return m_RenderOrder; }

private:
    void DesializeStates(SCore::SDeserializator& in);
    void SetAnimationsState(int32_t state);
    RGPythonObject& Script();

    boost::shared_ptr<RGPythonObject> m_PythonObject;
    States m_States;
    boost::shared_ptr<RGTile> m_Tile;
    uint32_t m_ID;
    std::string m_Name;
    Children m_Children;
    float m_AnimationOffset = 0.0f;
    uint32_t m_RenderOrder = 0;
};

} // namespace Runegarden
