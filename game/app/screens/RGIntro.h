#pragma once
// The intro slide show a new game starts with: each slide is a background picture that fades in,
// then timed overlay pictures that fade in and out one after another, then the background fades
// out and the next slide begins. The skip button ends it at any time. Slides come from
// "intro\intro.xml"; slides without pictures are dropped, and with no slide left the show is
// finished as soon as it starts.

#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/input/SInputMessager.h"
#include "engine/framework/threads/TSafeData.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUIForm.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace Runegarden {

class RGIntro {
public:
    struct Picture {
        boost::shared_ptr<TarnEngine::SSprite> m_Sprite;
        uint32_t m_Time;
    };
    struct Slide {
        std::string m_Texture;
        std::vector<Picture> m_Pictures;
    };

    explicit RGIntro(const boost::shared_ptr<TarnEngine::SInputMessager>& input);
    virtual ~RGIntro() = default;

    void Create();
    void LoadSlides();
    // Rewinds the show; the next Update begins it.
    void Start();
    void Update();
    void NextSlide();
    void Render();
    // Input thread: the skip button.
    void OnSkip();

    bool IsFinished() { return m_Finished.Get(); }
    const std::vector<Slide>& GetSlides() const { return m_Slides; }
    size_t GetCurrentSlide() const { return m_CurrentSlide; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetBackgroundFade() const { return m_BackgroundFade; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetPictureFade() const { return m_PictureFade; }
    const boost::shared_ptr<TarnEngine::UI::SUIForm>& GetForm() const { return m_Form; }
    const boost::shared_ptr<TarnEngine::UI::SUIButton>& GetSkipButton() const { return m_SkipButton; }

private:
    boost::shared_ptr<TarnEngine::SSprite> m_Background;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_BackgroundFade;
    boost::shared_ptr<TarnEngine::UI::SUIForm> m_Form;
    TarnEngine::TSafeData<bool> m_Finished;
    boost::shared_ptr<TarnEngine::SInputMessager> m_Input;
    boost::shared_ptr<TarnEngine::SSprite> m_Picture;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_PictureFade;
    std::vector<Slide> m_Slides;
    size_t m_CurrentSlide;
    size_t m_CurrentPicture;
    uint32_t m_StartTime;
    uint32_t m_Schedule;
    bool m_Restart;
    boost::shared_ptr<TarnEngine::UI::SUIButton> m_SkipButton;
};

} // namespace Runegarden
