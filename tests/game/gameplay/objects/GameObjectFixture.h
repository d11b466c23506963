#pragma once
// The shipped game objects on a headless viewport: every texture of the shipped texture list
// exists (as a small blank texture), the sprite creator draws on the viewport, the working
// directory is data/ and the factory has read the shipped game-object list.

#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/services/RGSpriteCreator.h"

#include "engine/core/render/STexture.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/core/render/STextureManager.h"
#include "tests/engine/core/render/RenderEngineFixture.h"
#include "tests/game/gameplay/scripting/ScriptFixture.h"
#include "tests/support/TempFolder.h"

#include <regex>

// An engine sprite element (at 0.5, 0.25, 0.2 wide and 0.4 high) drawing the named texture.
inline std::string SpriteXml(const std::string& texture = "OBJ_GROUND")
{
    return "<Sprite ColorLU=\"4294967295\" ColorRU=\"4294967295\" ColorLD=\"4294967295\" ColorRD=\"4294967295\" "
           "Angle=\"0\" CoordAligment=\"1\" WithTransform=\"1\" FlipHorizontal=\"0\" FlipVertical=\"0\" "
           "XScaleFactor=\"1\" YScaleFactor=\"1\"><Position X=\"0.5\" Y=\"0.25\" Width=\"0.2\" Height=\"0.4\">"
           "</Position><TexCoords X=\"0\" Y=\"0\" Width=\"1\" Height=\"1\"></TexCoords><Mesh Name=\"m\"><Material "
           "CullMode=\"1\" FillMode=\"3\" AlphaBlend=\"1\" SrcBlend=\"5\" DstBlend=\"6\" ZWrite=\"0\" Lighting=\"0\" "
           "IsFogEnable=\"0\"><Textures Texture1=\"" + texture + "\"></Textures></Material></Mesh></Sprite>";
}

class GameObjectTest : public RenderEngineTest {
protected:
    void SetUp() override
    {
        RenderEngineTest::SetUp();
        CreateDevice();
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        const std::string list = tarn_test::ReadBytes(std::string(TARN_DATA_DIR) + "/Res/textures.xml");
        const std::regex name("Name=\"([^\"]+)\"");
        for (std::sregex_iterator it(list.begin(), list.end(), name), end; it != end; ++it) {
            boost::shared_ptr<SCore::STexture> texture = m_Viewport->DoCreateTexture((*it)[1]);
            texture->DoCreateEx(4, 4, 1, 21);
            m_Viewport->m_TextureManager->AddTexture(texture);
        }
        Runegarden::RGSpriteCreator::SetViewport(m_Viewport);
        Runegarden::StartPythonInterpreter(std::string(TARN_DATA_DIR) + "/scripts");
        m_Cwd.reset(new platformtest::ScopedCwd(TARN_DATA_DIR));
        Runegarden::RGPYFactory::LoadGameObjects(L"gameobjects\\earthworldNEW.xml");
        m_World.reset(new Runegarden::RGPythonDictionary(Runegarden::RGPYFactory::GetModule()));
        m_World->Create();
    }
    void TearDown() override
    {
        m_World.reset();
        m_Cwd.reset();
        Runegarden::RGSpriteCreator::SetViewport(boost::shared_ptr<SCore::SViewport>());
        RenderEngineTest::TearDown();
    }
    std::unique_ptr<platformtest::ScopedCwd> m_Cwd;
    boost::shared_ptr<Runegarden::RGPythonDictionary> m_World;
};
