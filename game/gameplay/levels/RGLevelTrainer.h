#pragma once
// A tutorial: a script of commands read from a "LevelTrainer" file, run one command per frame,
// that shows a teacher, a tool tip beside it, a pulsing arrow and named pictures, waits for time,
// casts and view scrolls, and branches on what the player cast.

#include "game/gameplay/levels/RGLevelTrainerCommandWaitMapMove.h"
#include "game/gameplay/levels/RGTool.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace TarnEngine {
class SSprite;
class SSpriteTransition;
namespace UI {
class SUIToolTip;
}
}

namespace Runegarden {

class RGLevelTrainerCommand;
class RGLevelTrainerCommandWaitSpell;

class RGLevelTrainer {
public:
    typedef boost::shared_ptr<TarnEngine::SSprite> SpritePtr;
    typedef boost::shared_ptr<TarnEngine::SSpriteTransition> FadePtr;

    // Needs the sprite creator's viewport with the "TEACHER", "ARROWANIM", "TRAINERTOOLTIP" and
    // localised font textures.
    RGLevelTrainer();
    ~RGLevelTrainer();
    RGLevelTrainer(const RGLevelTrainer&) = delete;
    RGLevelTrainer& operator=(const RGLevelTrainer&) = delete;

    // Appends the commands of the file; a "Type" that names no command fails the read.
    void Deserialize(const std::wstring& path);
    // Starts from the first command (Restart), then runs one Update.
    void Start();
    // Start time now, the first command current, not done, teacher and arrow hidden, every Wait
    // re-armed.
    void Restart();
    // The fades, the current command (when there is one and the script is not done), the
    // named sprites' fades.
    void Update();
    void Render();

    // A stroke recognised as that tool and accepted by the level; a stroke that became no cast.
    void OnSpell(RGToolType spell);
    void OnSpellError();
    // After each scroll of the level view: every waiting map move learns whether it went its way.
    void OnMapMove(RGMapMoveType direction);
    // Drops every command together with the listener lists that point into them.
    void ClearCommands();

    // What the commands call.
    void Next();
    void JumpToCommand(const std::string& id);
    void ShowTeacher(float x, float y);
    void ShowArrow(float x, float y, float angle);
    void ShowToolTip(const std::wstring& text);
    void ShowSprite(const std::string& name, const SpritePtr& sprite, const FadePtr& fade);
    // A name never shown fades nothing; it is logged.
    void HideSprite(const std::string& name);
    void AddSpellListener(RGLevelTrainerCommandWaitSpell* listener) { m_SpellListeners.push_back(listener); }
    void AddMapMoveListener(RGLevelTrainerCommandWaitMapMove* listener) { m_MapMoveListeners.push_back(listener); }
    static void FadeIn(const FadePtr& fade);
    static void FadeOut(const FadePtr& fade);

    bool IsDone() const { return m_Done; }
    // The current command's position; the command count when none is current.
    size_t GetCurrentIndex() const { return m_Current; }
    size_t GetCommandCount() const { return m_Commands.size(); }
    uint32_t GetStartTime() const { return m_StartTime; }
    const SpritePtr& GetTeacher() const { return m_Teacher; }
    const SpritePtr& GetArrow() const { return m_Arrow; }
    const FadePtr& GetTeacherFade() const { return m_TeacherFade; }
    const FadePtr& GetArrowFade() const { return m_ArrowFade; }
    const boost::shared_ptr<TarnEngine::UI::SUIToolTip>& GetToolTip() const { return m_ToolTip; }
    const std::vector<RGLevelTrainerCommandWaitMapMove*>& GetMapMoveListeners() const { return m_MapMoveListeners; }
    // The named sprite's fade, or none.
    FadePtr GetSpriteFade(const std::string& name) const;

private:
    struct NamedSprite {
        SpritePtr m_Sprite;
        FadePtr m_Fade;
    };
    void CreateSprites();
    // Rebuilds the tool tip's label with the localised font for a box of so many characters.
    void CreateToolTip(uint32_t widthInChars, float cellWidth, float spacing);
    static boost::shared_ptr<RGLevelTrainerCommand> CreateCommand(const std::string& type);

    SpritePtr m_Teacher;
    SpritePtr m_Arrow;
    FadePtr m_TeacherFade;
    FadePtr m_ArrowFade;
    boost::shared_ptr<TarnEngine::UI::SUIToolTip> m_ToolTip;
    uint32_t m_StartTime = 0;
    std::vector<boost::shared_ptr<RGLevelTrainerCommand>> m_Commands;
    size_t m_Current = 0;
    bool m_Done = false;
    std::unordered_map<std::string, NamedSprite> m_NamedSprites;
    std::vector<RGLevelTrainerCommandWaitSpell*> m_SpellListeners;
    std::vector<RGLevelTrainerCommandWaitMapMove*> m_MapMoveListeners;
};

} // namespace Runegarden
