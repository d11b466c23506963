#include "game/gameplay/objects/RGPYFactory.h"

#include "game/gameplay/scripting/RGPythonObject.h"
#include "tests/game/gameplay/objects/GameObjectFixture.h"

#include <gtest/gtest.h>

namespace {

using Runegarden::RGPYFactory;
using Runegarden::RGPYGameObject;
using tarn_test::StartsWith;
using tarn_test::ThrownText;

// A definition whose one state holds something else besides its sprite.
std::string Definition(const std::string& name)
{
    return "<GameObject Name=\"" + name + "\" IsEnable=\"1\" GravityAction=\"0\" GameObjectType=\"RGGOT_WALL\" "
           "RenderOrder=\"3\"><Tile ID=\"0\" GeomType=\"0\"><HalfSize X=\"0.1\" Y=\"0.2\" Z=\"0\"></HalfSize>"
           "<Body ID=\"0\" Mass=\"0\"><Position X=\"0.5\" Y=\"0.25\" Z=\"0\"></Position><Velocity X=\"0\" Y=\"0\" "
           "Z=\"0\"></Velocity></Body></Tile><States><State Name=\"idle\"><Note></Note>" + SpriteXml() +
           "</State></States><Attributes></Attributes></GameObject>";
}

class FactoryFilesTest : public GameObjectTest {
protected:
    // A list in the temporary folder naming the given files.
    std::wstring List(const std::vector<std::string>& files)
    {
        std::string text = "<world directory=\"" + m_Dir.Path().string() + "\">";
        for (const std::string& file : files) text += "<object file=\"" + file + "\"></object>";
        tarn_test::WriteBytes(m_Dir.File("list.xml"), text + "</world>");
        return m_Dir.WFile("list.xml");
    }
    void Write(const std::string& file, const std::string& text) { tarn_test::WriteBytes(m_Dir.File(file), text); }

    tarn_test::TempDir m_Dir;
};

TEST_F(GameObjectTest, EachCreateReadsTheFileAgainIntoANewObject)
{
    boost::shared_ptr<RGPYGameObject> first = RGPYFactory::Create("Block");
    boost::shared_ptr<RGPYGameObject> second = RGPYFactory::Create("Block");
    EXPECT_EQ(first->GetID() + 1, second->GetID());
    EXPECT_NE(first->GetPythonObject()->GetInstance().Get(), second->GetPythonObject()->GetInstance().Get());
    EXPECT_EQ("RGGOT_WALL", first->GetPythonObject()->GetClassName());
}

TEST_F(FactoryFilesTest, ListAndNameFailuresCarryTheirTexts)
{
    Write("a.xml", Definition("Stone"));
    Write("b.xml", Definition("Stone"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { RGPYFactory::LoadGameObjects(List({"a.xml", "b.xml"})); }),
                           "Game object:Stone already exist in factory"));
    EXPECT_NO_THROW(RGPYFactory::Create("Stone")) << "the entries before the duplicate stay";
    EXPECT_TRUE(StartsWith(ThrownText([] { RGPYFactory::Create("Block"); }), "Game Object:Block not found"))
        << "loading a list forgets the earlier names";
}

TEST_F(FactoryFilesTest, OnlySpriteChildrenOfAStateBecomeItsSprites)
{
    Write("stone.xml", Definition("Stone"));
    RGPYFactory::LoadGameObjects(List({"stone.xml"}));
    boost::shared_ptr<RGPYGameObject> stone = RGPYFactory::Create("Stone");
    ASSERT_EQ(1u, stone->GetStates().at("idle").size());
    EXPECT_EQ("m", stone->GetStates().at("idle")[0]->m_Name);
}

} // namespace
