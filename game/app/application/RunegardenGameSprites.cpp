// The play screen's pieces made once at start-up: the frame with its labels, the frame's menu and
// pause buttons, the particle trail, the head-up sprites; and the two walls every level gets.
// Members of RunegardenGame kept beside the play screen.

#include "game/app/application/RunegardenGame.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/STextureAnimatorFrame.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "game/app/kit/RGEventBinding.h"
#include "game/app/kit/RGSpriteRecipes.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/services/RGSpriteCreator.h"

static const char* const kTarnSource = "..\\Src\\RunegardenGame";

namespace Runegarden {

namespace {

typedef boost::shared_ptr<TarnEngine::SSprite> SpritePtr;

SpritePtr Cut(const SpritePtr& sprite, float right, float bottom, float top = 0.0f)
{
    sprite->m_TexCoords = {0.0f, top, right, bottom};
    sprite->m_Cached = false;
    return sprite;
}

boost::shared_ptr<TarnEngine::UI::SUIButton> FrameButton(const SpritePtr& normal, const SpritePtr& over,
                                                         const SpritePtr& pressed, float y, float height)
{
    boost::shared_ptr<TarnEngine::UI::SUIButton> button(new TarnEngine::UI::SUIButton);
    button->SetViewport(RGSpriteCreator::GetViewport());
    button->m_NormalSprite = normal;
    button->m_OverSprite = over;
    button->m_PressedSprite = pressed;
    button->m_X = AlignToTexel(1024, 0.0f);
    button->m_Y = y;
    button->m_W = 104.0f / 1024.0f;
    button->m_H = height;
    return button;
}

} // namespace

void RunegardenGame::CreateFrame()
{
    TARN_TRY
    m_Frame.reset(new RGFrame);
    const uint8_t time[4] = {255, 255, 157, 1}, level[4] = {255, 255, 102, 0}, lives[4] = {255, 234, 233, 185},
                  score[4] = {255, 176, 181, 121};
    m_Frame->m_TimeLabel = RGSpriteRecipes::Label("00:00", 1.12f, 0.026f, 0.022f, 0.025f, 0.048f, time);
    m_Frame->m_LevelLabel = RGSpriteRecipes::Label("1-1", 1.12f, 0.028f, 0.126f, 0.025f, 0.032f, level);
    m_Frame->m_LivesLabel = RGSpriteRecipes::Label("x10", 1.12f, 0.028f, 0.205f, 0.025f, 0.032f, lives);
    m_Frame->m_ScoreLabel = RGSpriteRecipes::Label("100000", 1.12f, 779.5f / 1024.0f, 740.5f / 768.0f,
                                                   26.0f / 1024.0f, 23.0f / 768.0f, score);
    TARN_CATCH("RunegardenGame::CreateFrame()")
}

void RunegardenGame::CreateFrameButtons()
{
    TARN_TRY
    const SpritePtr menuNormal = Cut(RGSpriteCreator::CreateTexturedSprite("MENUPAS", true), 0.813f, 0.512f);
    const SpritePtr menuOver = Cut(RGSpriteCreator::CreateTexturedSprite("MENUACT", true), 0.813f, 0.512f);
    const SpritePtr menuPressed = Cut(RGSpriteCreator::CreateTexturedSprite("MENUPAS", true), 0.813f, 0.512f);
    m_MenuButton = FrameButton(menuNormal, menuOver, menuPressed, 200.5f / 768.0f, 33.0f / 768.0f);
    BindClickEvent(*m_MenuButton, &RunegardenGame::OnMenuButton, this);
    GetInputMessager()->AddReceiver(m_MenuButton);

    const SpritePtr pauseTop = Cut(RGSpriteCreator::CreateTexturedSprite("PAUSEACTPAS", true), 0.8203125f, 0.2890625f);
    const SpritePtr pauseBottom =
        Cut(RGSpriteCreator::CreateTexturedSprite("PAUSEACTPAS", true), 0.8203125f, 0.578125f, 0.2890625f);
    m_PauseButton = FrameButton(pauseTop, pauseBottom, pauseTop, 252.5f / 768.0f, 36.0f / 768.0f);
    BindClickEvent(*m_PauseButton, &RunegardenGame::OnPauseButton, this);
    GetInputMessager()->AddReceiver(m_PauseButton);
    TARN_CATCH("RunegardenGame::CreateFrameButtons()")
}

void RunegardenGame::CreateParticles()
{
    TARN_TRY
    SpritePtr sprite = RGSpriteRecipes::Sprite("ParticleSprite", "PARTICLE", true, true, true, {0.0f, 0.0f, 0.05f, 0.05f});
    boost::shared_ptr<SCore::STextureAnimatorFrame> animator(new SCore::STextureAnimatorFrame("ParticleAnimator", 6, 6));
    animator->m_AnimationSpeed = 16.0f;
    animator->SetIndent({0.0f, 0.0f, 0.9375f, 0.9375f});
    sprite->m_Material.SetAnimator1(animator);
    sprite->m_Material.m_Texture1->m_TransformEnabled = true;
    m_Particles.reset(new RGParticles(sprite));
    TARN_CATCH("RunegardenGame::CreateParticles()")
}

void RunegardenGame::InitSprites()
{
    TARN_TRY
    m_Cursor = RGSpriteRecipes::Sprite("Cursor", "CURSOR", false, true, true, {0.0f, 0.0f, 0.05f, 0.05f});
    m_Cursor->m_Angle = 0.785f;
    m_ArrowLeft = RGSpriteRecipes::Sprite("ArrowLeft", "ARROW", false, true, true, {0.12f, 0.48f, 0.07143f, 0.04372f});
    m_ArrowLeft->m_FlipHorizontal = true;
    m_ArrowRight = RGSpriteRecipes::Sprite("ArrowRight", "ARROW", false, true, true, {0.929f, 0.48f, 0.07143f, 0.04372f});
    m_ArrowDown = RGSpriteRecipes::Sprite("ArrowUp", "ARROW", false, true, true, {0.525715f, 0.913f, 0.08743f, 0.03571f});
    m_ArrowDown->m_Angle = 1.57f;
    m_ArrowUp = RGSpriteRecipes::Sprite("ArrowUp", "ARROW", false, true, true, {0.525715f, 0.04f, 0.08743f, 0.03571f});
    m_ArrowUp->m_Angle = -1.57f;
    m_Frame->m_LifeIcon = Cut(RGSpriteRecipes::Sprite("LIFEPOT", "LIFEPOT", false, true, true,
                                                      {0.0f, 0.0f, 0.0126953125f, 13.0f / 768.0f}),
                              0.8125f, 0.8125f);
    m_GameOverSprite = Cut(RGSpriteRecipes::Sprite("GAMEOVER", "GAMEOVER", true, true, true, {0.0f, 0.0f, 1.0f, 1.0f}),
                           1.0f, 0.75f);
    m_PauseSprite = Cut(RGSpriteRecipes::Sprite("PAUSE", "PAUSE", true, true, false, {0.0f, 0.0f, 0.999f, 0.999f}),
                        0.875f, 0.71484375f);
    m_PressSpaceSprite = Cut(RGSpriteCreator::CreateTexturedSprite("PRESSSPACEBAR", true), 1.0f, 0.9375f);
    m_PressSpaceSprite->m_Position = {AlignToTexel(1024, 0.33056640625f), AlignToTexel(768, 0.41796875f), 0.5f,
                                      0.078125f};
    TARN_CATCH("RunegardenGame::InitSprites()")
}

void RunegardenGame::CreateFrameObject()
{
    TARN_TRY
    const struct {
        const char* name;
        float x;
    } walls[] = {{"WallFrameLeft", 0.0f}, {"WallFrameRight", m_Level->m_SizeX - 0.002f}};
    for (const auto& wall : walls) {
        boost::shared_ptr<RGPYGameObject> object(new RGPYGameObject);
        object->SetPythonObject(RGPYFactory::CreateByTypeName("RGGOT_SIMPLE"));
        object->SetPosition({wall.x, -1.0f, 0.0f});
        object->SetMass(0.0f);
        object->SetName(wall.name);
        object->SetHalfSize({0.001f, m_Level->m_SizeY * 0.5f + 0.5f, 0.0f});
        m_Level->AddGameObject(object);
    }
    TARN_CATCH("RunegardenGame::CreateFrameObject()")
}

} // namespace Runegarden
