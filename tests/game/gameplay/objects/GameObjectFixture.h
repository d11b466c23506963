#pragma once
// The shipped game objects on a headless viewport: every texture their definitions name exists
// (as a small blank texture), the sprite creator draws on the viewport, the working directory is
// data/ and the factory has read the shipped game-object list.

#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/services/RGSpriteCreator.h"

#include "engine/core/render/STexture.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/core/render/STextureManager.h"
#include "tests/engine/core/render/RenderEngineFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

class GameObjectTest : public RenderEngineTest {
protected:
    void SetUp() override
    {
        RenderEngineTest::SetUp();
        CreateDevice();
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        for (const std::string& name : ShippedTextureNames()) AddTexture(name);
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
    void AddTexture(const std::string& name)
    {
        boost::shared_ptr<SCore::STexture> texture = m_Viewport->DoCreateTexture(name);
        texture->DoCreateEx(4, 4, 1, 21);
        m_Viewport->m_TextureManager->AddTexture(texture);
    }
    // Every texture name the shipped definitions use.
    static std::set<std::string> ShippedTextureNames()
    {
        std::set<std::string> names;
        const std::regex attribute("(Texture1|Texture2|TextureName)=\"([^\"]+)\"");
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(TARN_DATA_DIR) + "/gameobjects/objects")) {
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            const std::string content = text.str();
            for (std::sregex_iterator it(content.begin(), content.end(), attribute), end; it != end; ++it)
                names.insert((*it)[2]);
        }
        return names;
    }
    std::unique_ptr<platformtest::ScopedCwd> m_Cwd;
    boost::shared_ptr<Runegarden::RGPythonDictionary> m_World;
};
