// Damaged data files fed through the real loaders: the game-object list and definitions, the font
// metrics, a level pack, its level with world and background, and the level's tutorial. Each is
// refused with an error that names what is wrong; a number that does not convert fails with the
// conversion's own error, as every reader of the object format does.
#include "engine/core/base/TarnCoreException.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "tests/game/gameplay/world/WorldFixture.h"

#include <boost/lexical_cast.hpp>

#include <map>

using namespace Runegarden;

namespace {

class DamagedFilesTest : public WorldTest {
protected:
    // The sound files, each named by its role.
    std::map<std::string, std::string> Files()
    {
        const std::string dir = m_Dir.Path().string();
        return {
            {"list", "<world directory=\"" + dir + "\"><o file=\"object.xml\"></o></world>"},
            {"object", "<GameObject Name=\"Stone\" IsEnable=\"1\" GravityAction=\"0\" GameObjectType=\"RGGOT_WALL\" "
                       "RenderOrder=\"3\"><Tile ID=\"0\" GeomType=\"0\"><HalfSize X=\"0.1\" Y=\"0.2\" Z=\"0\">"
                       "</HalfSize><Body ID=\"0\" Mass=\"0\"><Position X=\"0.5\" Y=\"0.25\" Z=\"0\"></Position>"
                       "<Velocity X=\"0\" Y=\"0\" Z=\"0\"></Velocity></Body></Tile><States><S Name=\"idle\"><Note></Note>" +
                           SpriteXml() +
                           "</S></States><Attributes><A Name=\"hp\" Value=\"3\" Type=\"Long\"></A></Attributes>"
                           "</GameObject>"},
            {"font", "<font><c code=\"48\" index=\"16\" width=\"0.5\"></c></font>"},
            {"pack", "<LevelPack><L Path=\"" + dir + "/level.xml\" Name=\"one\"></L></LevelPack>"},
            {"level", "<Level Name=\"one\" ShowName=\"1-1\" SizeX=\"2\" SizeY=\"1\" PosX=\"0\" PosY=\"0\" "
                      "PlayTime=\"60\" Sun=\"1\" Help=\"" + dir + "/help.xml\"><Tools><T ToolType=\"RGTT_WALL\" "
                      "GameObject=\"RGGOT_WALL\"></T></Tools><World><GameObjects><GameObject Name=\"Stone\">"
                      "<Position X=\"0.5\" Y=\"0.5\" Z=\"0\"></Position></GameObject></GameObjects><BackGround>"
                      "<Item TimeDelay=\"1\">" + SpriteXml() + "</Item></BackGround></World></Level>"},
            {"help", "<LevelTrainer><C Type=\"RGLevelTrainerCommandShowTeacher\" X=\"0.5\" Y=\"0.5\"></C>"
                     "<C Type=\"RGLevelTrainerCommandWait\" Time=\"2000\"></C><C Type=\"RGLevelTrainerCommandShowSprite\" "
                     "Name=\"g\">" + SpriteXml() + "</C><C Type=\"RGLevelTrainerCommandWaitSpell\" "
                     "Spell=\"RGTT_WALL\" DoneID=\"a\" ErrorID=\"b\"></C><C Type=\"RGLevelTrainerCommandWaitMapMove\" "
                     "MoveType=\"UP\"></C></LevelTrainer>"},
        };
    }
    // Writes the files, in one of them every "from" replaced by its "to" (pairs split by "|"; an
    // empty "from" leaves the file out), then loads the list, the font metrics, the pack and its
    // level and runs one frame. The failure: "lexical cast", or the error's text.
    std::string Load(const std::string& file, const std::string& from, const std::string& to)
    {
        for (auto& entry : Files()) {
            std::string text = entry.second;
            const std::string path = m_Dir.File(entry.first + ".xml");
            if (entry.first == file && from.empty()) {
                std::filesystem::remove(path);
                continue;
            }
            for (size_t f = 0, t = 0; entry.first == file && f <= from.size(); ) {
                const size_t fe = std::min(from.find('|', f), from.size()), te = std::min(to.find('|', t), to.size());
                const std::string a = from.substr(f, fe - f), b = to.substr(t, te - t);
                if (text.find(a) == std::string::npos) return "case does not apply: " + a;
                for (size_t at = text.find(a); at != std::string::npos; at = text.find(a, at + b.size()))
                    text.replace(at, a.size(), b);
                f = fe + 1;
                t = te + 1;
            }
            tarn_test::WriteBytes(path, text);
        }
        try {
            RGPYFactory::LoadGameObjects(m_Dir.WFile("list.xml"));
            RGFontMetrics metrics;
            metrics.Load(m_Dir.WFile("font.xml"));
            RGLevelPack pack;
            SCore::SXMLDeserializator in(m_Dir.WFile("pack.xml"));
            pack.DoDeserialize(in);
            pack.GetLevel()->Update(false);
        } catch (const SCore::TarnCoreException& e) {
            return e.what();
        } catch (const boost::bad_lexical_cast&) {
            return "lexical cast";
        }
        return "";
    }

};

} // namespace

TEST_F(DamagedFilesTest, EachDamageIsRefusedWithWhatIsWrong)
{
    const std::string noChild = "Deserializator error: can't find child node:";
    const struct {
        const char *file, *from, *to;
        std::string error;
    } cases[] = {
        {"level", "Sun=\"1\"", "Sun=\"1\"", ""}, // the sound files load and run
        {"list", "", "", "File ["},
        {"list", "directory=", "folder=", "Attribute:directory not found"},
        {"list", "</o>", "</o><o file=\"object.xml\"></o>", "Game object:Stone already exist in factory"},
        {"object", "", "", "File ["},
        {"object", "<GameObject |</GameObject>", "<Thing |</Thing>", noChild + "GameObject"},
        {"object", "</Tile>", "</Tile", "CloseTag not found"},
        {"object", "GeomType=\"0\"", "GeomType=\"1\"", "unknown RGGeom type"},
        {"object", "Mass=\"0\"", "Mass=\"heavy\"", "lexical cast"},
        {"object", "Y=\"0.25\"", "Y=\"inf\"", "Body Position is not a finite number"},
        {"object", "X=\"0.1\"", "X=\"-nan\"", "Tile HalfSize is not a finite number"},
        {"object", "<Velocity X=\"0\" Y=\"0\" Z=\"0\"></Velocity>", "", noChild + "Velocity"},
        {"object", "Attributes>", "Attrs>", noChild + "Attributes"},
        {"object", "Type=\"Long\"", "Type=\"Float\"", "can't set attribute[hp] of type[Float] by value[3]"},
        {"object", "Value=\"3\"", "Value=\"three\"", "lexical cast"},
        {"object", "Texture1=\"OBJ_GROUND\"", "Texture1=\"NONE\"", "can't find texture:NONE"},
        {"font", "", "", "File ["},
        {"font", "font>", "fnt>", noChild + "font"},
        {"font", " width=\"0.5\"", "", "Attribute:width not found"},
        {"font", "width=\"0.5\"", "width=\"wide\"", "lexical cast"},
        {"font", "width=\"0.5\"", "width=\"nan\"", "font width is not a finite number"},
        {"pack", "", "", "File ["},
        {"pack", " Name=\"one\"", "", "Attribute:Name not found"},
        {"level", "", "", "File ["},
        {"level", "</World>", "", "CloseTag not found"},
        {"level", " ShowName=\"1-1\"", "", "Attribute:ShowName not found"},
        {"level", "SizeX=\"2\"", "SizeX=\"two\"", "lexical cast"},
        {"level", "PlayTime=\"60\"", "PlayTime=\"-nan\"", "Level PlayTime is not a finite number"},
        {"level", "PosX=\"0\"", "PosX=\"1e39\"", "lexical cast"},
        {"level", "Tools>", "Toolz>", noChild + "Tools"},
        {"level", "RGTT_WALL", "RGTT_FIRE", "unknown tool type"},
        {"level", "</Tools>", "<T ToolType=\"RGTT_WALL\" GameObject=\"RGGOT_LIFT\"></T></Tools>", "Tool already exist"},
        {"level", "RGGOT_WALL", "RGGOT_DOOR", "unknown gameobject type string"},
        {"level", "GameObjects>", "Objects>", noChild + "GameObjects"},
        {"level", "Name=\"Stone\"", "Name=\"Ghost\"", "Game Object:Ghost not found in game object factory"},
        {"level", " Y=\"0.5\"", "", "Attribute:Y not found"},
        {"level", "<Position X=\"0.5\"", "<Position X=\"nan\"", "GameObject Position is not a finite number"},
        {"level", "BackGround>", "Back>", noChild + "BackGround"},
        {"level", "TimeDelay=\"1\"", "TimeDelay=\"soon\"", "lexical cast"},
        {"level", "<Item TimeDelay=\"1\"><Sprite |</Sprite></Item>", "<Item><Image |</Image></Item>", noChild + "Sprite"},
        {"help", "", "", "File ["},
        {"help", "LevelTrainer>", "Trainer>", noChild + "LevelTrainer"},
        {"help", "RGLevelTrainerCommandWait\"", "Foo\"", "unknown level trainer command type:Foo"},
        {"help", "MoveType=\"UP\"", "MoveType=\"up\"", "unknown move type"},
        {"help", "Time=\"2000\"", "Time=\"long\"", "lexical cast"},
        {"help", "X=\"0.5\"", "X=\"nan\"", "ShowTeacher X is not a finite number"},
        {"help", "Spell=\"RGTT_WALL\"", "Spell=\"wall\"", "unknown tool type"},
        {"help", " DoneID=\"a\"", "", "Attribute:DoneID not found"},
        {"help", "<Sprite |</Sprite>", "<Image |</Image>", noChild + "Sprite"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.from + " -> " + c.to);
        const std::string thrown = Load(c.file, c.from, c.to);
        EXPECT_TRUE(c.error.empty() ? thrown.empty() : StartsWith(thrown, c.error)) << thrown;
        // The failures inside the loaders name them (the pack file is opened by its caller, and
        // the font metrics add no context).
        const std::string file = c.file;
        if (thrown != "lexical cast" && !c.error.empty() && file != "font" && file != "pack") {
            EXPECT_TRUE(thrown.find("RGPYFactory::LoadGameObjects()") != std::string::npos ||
                        thrown.find("RGLevelPack::") != std::string::npos)
                << thrown;
        }
    }
}
