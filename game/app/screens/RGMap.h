#pragma once
// The world map: the main map, whose pots stand for the main pack's levels, and the bonus map for
// the bonus pack. The map only records the player's choice (leave flag, next mode, selected level
// and its marks); the game's map-mode handler reads it and changes modes.

#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/input/SInputMessager.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUIForm.h"
#include "engine/framework/ui/SUIToolTip.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/levels/RGLevelTrainer.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <string>
#include <vector>

namespace Runegarden {

class RGMap {
public:
    typedef boost::shared_ptr<TarnEngine::UI::SUIButton> ButtonPtr;
    struct Point {
        float X, Y;
    };

    explicit RGMap(const boost::shared_ptr<TarnEngine::SInputMessager>& input);
    virtual ~RGMap() = default;

    void Create();
    // Prepares the shown view on entering the map.
    void Start();
    // The main form's per-frame drawing of paths, trainer and stars.
    void Update();
    // Input thread: the buttons.
    void OnLevelPot();
    void OnNext();
    void OnMenu();
    void OnTrophies();

    void LoadMaps();
    void ReadMap(RGLevelPack& pack, const boost::shared_ptr<TarnEngine::UI::SUIToolTip>& toolTip,
                 std::vector<ButtonPtr>& pots, const std::wstring& file);
    void LoadTrainer1();
    void LoadTrainer2();

    std::vector<ButtonPtr>& GetPots() { return m_BonusMap ? m_BonusPots : m_MainPots; }
    // The current profile's bonus level on the bonus map, else its level.
    std::string GetCurrentLevelName() const;
    std::string GetSelectedLevelName() const { return m_SelectedLevelName; }
    const boost::shared_ptr<TarnEngine::UI::SUIForm>& GetShownForm() const { return m_BonusMap ? m_BonusForm : m_MainForm; }
    const boost::shared_ptr<TarnEngine::UI::SUIForm>& GetMainForm() const { return m_MainForm; }
    const boost::shared_ptr<TarnEngine::UI::SUIForm>& GetBonusForm() const { return m_BonusForm; }
    const ButtonPtr& GetNextButton() const { return m_NextButton; }
    const boost::shared_ptr<RGLevelTrainer>& GetTrainer() const { return m_Trainer; }
    const std::vector<std::vector<Point>>& GetDotPaths() const { return m_DotPaths; }
    // What the last Update drew.
    size_t GetDrawnPaths() const { return m_DrawnPaths; }
    size_t GetDrawnStars() const { return m_DrawnStars; }
    void Render();

    // Read (and the bonus-map flag written) by the game.
    std::atomic<bool> m_Leave;
    int32_t m_NextMode;
    std::string m_SelectedLevelName;
    bool m_CurrentLevelMain;
    bool m_CurrentLevelBonus;
    bool m_BonusMap;
    bool m_FinalLevel;

private:
    // The level index of the shown view's current level; 0 without profiles.
    unsigned int CurrentIndex() const;
    RGLevelPack& ShownPack() const;
    // The first pot of the shown view under the pointer; 0 when none is.
    unsigned int PointedPot();
    void Leave(int32_t mode);
    void DrawPaths(unsigned int level);
    void DrawStars();

    boost::shared_ptr<TarnEngine::UI::SUIForm> m_MainForm;
    boost::shared_ptr<TarnEngine::UI::SUIForm> m_BonusForm;
    boost::shared_ptr<TarnEngine::SInputMessager> m_Input;
    std::vector<ButtonPtr> m_MainPots;
    std::vector<ButtonPtr> m_BonusPots;
    boost::shared_ptr<TarnEngine::SSprite> m_DonePot, m_DonePotOver, m_CurrentPot, m_CurrentPotOver;
    boost::shared_ptr<TarnEngine::SSprite> m_Star;
    boost::shared_ptr<TarnEngine::SSprite> m_Dot;
    boost::shared_ptr<RGLevelTrainer> m_Trainer;
    std::vector<std::vector<Point>> m_DotPaths;
    std::vector<int> m_PathsPerLevel;
    ButtonPtr m_NextButton;
    boost::shared_ptr<TarnEngine::UI::SUIToolTip> m_ToolTip;
    size_t m_DrawnPaths;
    size_t m_DrawnStars;
};

} // namespace Runegarden
