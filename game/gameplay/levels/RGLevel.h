#pragma once
// One playable level: its names, the size of its field, the scrolling view, the play-time clock,
// the spells it offers and its world. It turns a recognised gesture into a call of the script's
// process_tool and asks the script whether the level is won (is_done) or lost (is_failed).

#include "engine/core/math/SRect.h"
#include "engine/core/math/SVector3.h"
#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"
#include "game/gameplay/levels/RGTool.h"
#include "game/gameplay/objects/RGBody.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace Runegarden {

class RGLevelTrainer;
class RGPYGameObject;
class RGPythonFunctor;
class RGPythonObject;
class RGWorld;

class RGLevel : public SCore::ISerialize, public SCore::IDeserialize {
public:
    // The world and the script functions are made at once (Create); a script module that lacks
    // process_tool, is_done or is_failed refuses the level with the wrappers' text.
    explicit RGLevel(const std::string& name);
    ~RGLevel() override;
    RGLevel(const RGLevel&) = delete;
    RGLevel& operator=(const RGLevel&) = delete;

    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override {}
    void DoDeserialize(SCore::SDeserializator& in) override;

    void Create();
    void Render();
    void AddGameObject(const boost::shared_ptr<RGPYGameObject>& object);
    // Advances the world and the view in fixed 10 ms steps of the millisecond clock; a paused
    // update still runs the world's zero-length step and scrolls the view.
    void Update(bool paused);
    // Forces on the view body; the game calls one per frame while the player scrolls.
    void MoveLeft();
    void MoveRight();
    void MoveUp();
    void MoveDown();
    // A stroke at screen fractions (x, y): false outside the tool area or for a tool the level
    // lacks, else the script's answer.
    bool ProcessTool(RGToolType type, float x, float y, float a, float b);
    bool IsDone();
    bool IsFailed();
    // Throws "Tool already exist" for a second tool of one type.
    void AddTool(const boost::shared_ptr<RGTool>& tool);
    // The script instances of the world's actors (type 1) whose is_actor is true.
    void GetActors(std::vector<boost::shared_ptr<RGPythonObject>>& out);

    const boost::shared_ptr<RGWorld>& GetWorld() const { return m_World; }
    const std::vector<boost::shared_ptr<RGTool>>& GetTools() const { return m_Tools; }
    const boost::shared_ptr<RGLevelTrainer>& GetTrainer() const { return m_Trainer; }
    const RGBody& GetViewBody() const { return m_ViewBody; }

    std::string m_Name;
    std::string m_ShowName;
    SCore::SRect m_ToolArea;
    SCore::SVector3 m_Gravity;
    float m_SizeX = 1.0f, m_SizeY = 1.0f;
    float m_PlayTime = 0.0f;
    float m_RemainingPlayTime = 0.0f;
    bool m_Sun = true;
    std::string m_HelpFile;
    float m_MoveForce = 1.1f;
    float m_Attenuation = 1.0f;

private:
    static boost::shared_ptr<RGPythonFunctor> BindRule(const std::string& name, unsigned int argumentCount);
    bool CallRule(const boost::shared_ptr<RGPythonFunctor>& rule);
    void ClampView();

    uint32_t m_WorldPrevious, m_WorldCurrent;
    uint32_t m_ViewPrevious, m_ViewCurrent;
    boost::shared_ptr<RGWorld> m_World;
    std::vector<boost::shared_ptr<RGTool>> m_Tools;
    RGBody m_ViewBody;
    boost::shared_ptr<RGPythonFunctor> m_ProcessTool;
    boost::shared_ptr<RGPythonFunctor> m_IsDone;
    boost::shared_ptr<RGPythonFunctor> m_IsFailed;
    bool m_FirstUpdate = true;
    boost::shared_ptr<RGLevelTrainer> m_Trainer;
};

} // namespace Runegarden
