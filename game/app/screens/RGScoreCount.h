#pragma once
// The score count after a won level: the three characters walk along bars that fill with their
// spare time, the points grow with the bars, a staff shows the way to the next bonus life and a
// counter the lives. OK ends it. Once the count is counted, the total shown, the lives and the
// score stored all use the full spare times.

#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/input/SInputMessager.h"
#include "engine/framework/ui/SProgressBar.h"
#include "engine/framework/ui/SUIForm.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <cstdint>
#include <vector>

namespace Runegarden {

class RGScoreCount {
public:
    static const int kCharacters = 3;

    explicit RGScoreCount(const boost::shared_ptr<TarnEngine::SInputMessager>& input);

    void Create();
    void CreateProgressBars(boost::shared_ptr<TarnEngine::SProgressBar>& bar);
    boost::shared_ptr<TarnEngine::SSprite> CreateTextureSprite(const std::string& texture);
    // Begins a count with the inputs the level end has set.
    void Start();
    // The count comes on screen (first shown, or back from the menu): its steps are taken from
    // now, so the time spent on a comic or in the menu counts nothing in front of the player.
    void Show();
    void Update();
    void Render();
    void CountBonusLives();
    // Input thread: OK.
    void OnNextLevel();
    void LoadTrainer();
    // Start-up's bonus-life scores, kept in ascending order.
    void SetThresholds(const std::vector<unsigned int>& thresholds);

    // The total of a finished count: base score plus every character's spare time.
    uint32_t FullTotal() const;
    uint32_t GetShownTotal() const { return m_ShownTotal; }
    float GetFill(int k) const { return m_Fill[k]; }
    float GetLifeBarValue() const { return m_LifeBar->GetValue(); }
    bool IsCounted() const { return m_Counted; }
    const boost::shared_ptr<TarnEngine::UI::SUIForm>& GetForm() const { return m_Form; }
    const boost::shared_ptr<RGLevelTrainer>& GetTrainer() const { return m_Trainer; }
    const boost::shared_ptr<TarnEngine::STextureFont>& GetScoreLabel() const { return m_ScoreLabel; }
    const boost::shared_ptr<TarnEngine::STextureFont>& GetLivesLabel() const { return m_LivesLabel; }

    // Inputs written by the level end before Start.
    float m_SpareTime[kCharacters];
    uint32_t m_LevelTime;
    bool m_Alive[kCharacters];
    uint32_t m_LevelIndex;
    bool m_BonusMap;
    bool m_Trophy;
    boost::shared_ptr<TarnEngine::SSprite> m_Background;
    // Results read by the score-mode handler.
    std::atomic<bool> m_Done;
    int32_t m_NextMode;
    uint32_t m_Lives;

private:
    // The lives and the life bar for a total.
    void UpdateLives(uint32_t total);

    boost::shared_ptr<TarnEngine::SProgressBar> m_Bars[kCharacters];
    float m_Fill[kCharacters];
    uint32_t m_LastTime;
    boost::shared_ptr<RGPYGameObject> m_Characters[kCharacters];
    boost::shared_ptr<RGPythonDictionary> m_World;
    boost::shared_ptr<TarnEngine::STextureFont> m_ScoreLabel;
    boost::shared_ptr<TarnEngine::STextureFont> m_LivesLabel;
    boost::shared_ptr<TarnEngine::STextureFont> m_HeadingLabel;
    boost::shared_ptr<TarnEngine::STextureFont> m_TimeHeading;
    boost::shared_ptr<TarnEngine::STextureFont> m_ScoreHeading;
    boost::shared_ptr<TarnEngine::SSprite> m_Angel;
    boost::shared_ptr<TarnEngine::SSprite> m_Line;
    std::atomic<bool> m_Counted;
    boost::shared_ptr<TarnEngine::UI::SUIForm> m_Form;
    boost::shared_ptr<TarnEngine::SSprite> m_YouDont;
    boost::shared_ptr<TarnEngine::SInputMessager> m_Input;
    boost::shared_ptr<TarnEngine::SProgressBar> m_LifeBar;
    boost::shared_ptr<TarnEngine::SSprite> m_Staff;
    std::vector<uint32_t> m_Thresholds;
    bool m_ShowYouDont;
    uint32_t m_BaseScore;
    boost::shared_ptr<RGLevelTrainer> m_Trainer;
    uint32_t m_ShownTotal;
};

} // namespace Runegarden
