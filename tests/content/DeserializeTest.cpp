// Reads every shipped XML file through the engine's deserializer with the value types the
// loaders use, so that a value the reader cannot convert ("true" for a bool, a negative colour,
// a composite missing a field) fails here instead of at start-up or level load.
#include "tests/content/ContentData.h"

#include "engine/core/SXMLDeserializator.h"

#include <gtest/gtest.h>

#include <functional>

using namespace content;
using SCore::SDeserializator;

namespace {

template <typename T>
void Read(SDeserializator& d, const char* key)
{
    T value{};
    d.Deserialize(key, value);
}

template <typename T>
void ReadAll(SDeserializator& d, std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        Read<T>(d, key);
}

// Optional values: attributes, or child elements for the composites.
template <typename T>
void ReadIfPresent(SDeserializator& d, const char* key)
{
    if (d.IsAvialableName(key) || d.IsHaveChild(key))
        Read<T>(d, key);
}

void ReadAttributeValue(SDeserializator& d)
{
    std::string name, type;
    d.Deserialize("Name", name);
    d.Deserialize("Type", type);
    if (type == "Boolean")
        Read<bool>(d, "Value");
    else if (type == "Double")
        Read<double>(d, "Value");
    else if (type == "Long")
        Read<int>(d, "Value");
    else if (type == "SizeT")
        Read<unsigned int>(d, "Value");
    else
        EXPECT_EQ("String", type) << "attribute " << name;
}

// What the loaders read from each kind of element (composites are read by their parents).
const std::map<std::string, std::function<void(SDeserializator&)>>& Readers()
{
    static const std::map<std::string, std::function<void(SDeserializator&)>> readers = {
        {"Sprite", [](SDeserializator& d) {
             ReadAll<unsigned int>(d, {"ColorLU", "ColorRU", "ColorLD", "ColorRD"});
             ReadAll<float>(d, {"Angle", "XScaleFactor", "YScaleFactor"});
             ReadAll<bool>(d, {"CoordAligment", "WithTransform", "FlipHorizontal", "FlipVertical"});
             ReadAll<SCore::SRect>(d, {"Position", "TexCoords"});
         }},
        {"Material", [](SDeserializator& d) {
             ReadAll<unsigned int>(d, {"CullMode", "FillMode", "SrcBlend", "DstBlend"});
             ReadAll<bool>(d, {"AlphaBlend", "ZWrite", "Lighting", "IsFogEnable"});
         }},
        {"Textures", [](SDeserializator& d) {
             ReadIfPresent<std::string>(d, "Texture1");
             ReadIfPresent<SCore::STextureFiltration>(d, "Filtration1");
             ReadIfPresent<SCore::STextureFiltration>(d, "Filtration2");
         }},
        {"Animation", [](SDeserializator& d) {
             std::string type;
             d.Deserialize("Type", type);
             Read<float>(d, "AnimationSpeed");
             if (type == "FRAME") {
                 ReadAll<unsigned int>(d, {"FrameHorizontal", "FrameVertical"});
                 ReadIfPresent<bool>(d, "Inverse");
                 ReadIfPresent<SCore::SRect>(d, "Indent");
             } else {
                 Read<unsigned int>(d, "Style");
                 Read<float>(d, "Step");
             }
         }},
        {"GameObject", [](SDeserializator& d) {
             if (d.IsAvialableName("GameObjectType")) {
                 ReadAll<bool>(d, {"IsEnable", "GravityAction"});
                 Read<unsigned int>(d, "RenderOrder");
             }
             ReadIfPresent<SCore::SVector3>(d, "Position");
             ReadIfPresent<SCore::SVector3>(d, "HalfSize");
         }},
        {"Tile", [](SDeserializator& d) {
             ReadAll<unsigned int>(d, {"ID", "GeomType"});
             Read<SCore::SVector3>(d, "HalfSize");
         }},
        {"Body", [](SDeserializator& d) {
             Read<unsigned int>(d, "ID");
             Read<float>(d, "Mass");
             ReadAll<SCore::SVector3>(d, {"Position", "Velocity"});
         }},
        {"Attribute", ReadAttributeValue},
        {"Level", [](SDeserializator& d) {
             if (d.IsAvialableName("SizeX")) {
                 ReadAll<float>(d, {"SizeX", "SizeY", "PosX", "PosY", "PlayTime"});
                 Read<bool>(d, "Sun");
             } else {
                 ReadAll<std::string>(d, {"Path", "Name"});
             }
         }},
        {"Tool", [](SDeserializator& d) { ReadAll<std::string>(d, {"ToolType", "GameObject"}); }},
        {"world", [](SDeserializator& d) { Read<std::string>(d, "directory"); }},
        {"object", [](SDeserializator& d) { Read<std::string>(d, "file"); }},
        {"Comics", [](SDeserializator& d) { ReadAll<std::string>(d, {"LevelName", "ComicsPath"}); }},
        {"Trophy", [](SDeserializator& d) { Read<std::wstring>(d, "Name"); }},
        {"Slide", [](SDeserializator& d) { Read<std::string>(d, "Texture"); }},
        {"Item", [](SDeserializator& d) { ReadIfPresent<unsigned int>(d, "TimeDelay"); }},
        {"C", [](SDeserializator& d) {
             for (const char* key : {"X", "Y", "Angle"})
                 ReadIfPresent<float>(d, key);
             ReadIfPresent<unsigned int>(d, "Time");
         }},
        {"KeyFrame", [](SDeserializator& d) {
             Read<float>(d, "Time");
             ReadAll<SCore::SVector3>(d, {"Eye", "At"});
         }},
        {"VertexData", [](SDeserializator& d) { ReadAll<unsigned int>(d, {"VertexSize", "FVF", "PrimType"}); }},
        {"Vertex", [](SDeserializator& d) { ReadAll<float>(d, {"X", "Y", "Z", "NX", "NY", "NZ", "U", "V"}); }},
        {"IndexData", [](SDeserializator& d) { Read<unsigned int>(d, "IndexSize"); }},
        {"Index", [](SDeserializator& d) { Read<unsigned int>(d, "I"); }},
        {"TriMesh", [](SDeserializator& d) { Read<SCore::SAABBox>(d, "AABB"); }},
        {"Picture", [](SDeserializator& d) { Read<unsigned int>(d, "Time"); }},
        {"screen", [](SDeserializator& d) {
             ReadAll<unsigned int>(d, {"width", "height", "bitperpixel"});
             Read<bool>(d, "fullscreen");
         }},
        {"life", [](SDeserializator& d) { Read<unsigned int>(d, "score"); }},
        {"level_move", [](SDeserializator& d) { ReadAll<float>(d, {"force", "attenuation"}); }},
        {"font", [](SDeserializator& d) {
             if (d.IsAvialableName("charsH")) {
                 ReadAll<float>(d, {"charsH", "charsW"});
                 Read<SCore::SRect>(d, "indent");
             }
         }},
        {"c", [](SDeserializator& d) {
             ReadAll<unsigned int>(d, {"code", "index"});
             Read<float>(d, "width");
         }},
        {"Texture", [](SDeserializator& d) {
             ReadAll<std::string>(d, {"Name", "Path"});
             ReadIfPresent<int>(d, "MipLevels");
         }},
    };
    return readers;
}

int ReadTree(SDeserializator& d)
{
    int read = 0;
    const auto reader = Readers().find(d.GetNodeName());
    if (reader != Readers().end()) {
        reader->second(d);
        ++read;
    }
    const unsigned int count = d.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        d.BeginChild(i);
        read += ReadTree(d);
        d.EndChild();
    }
    return read;
}

} // namespace

TEST(ContentDeserialize, EveryValueConvertsToTheTypeItsLoaderReads)
{
    int files = 0;
    for (const auto& f : XmlFiles()) {
        if (f == "Res\\nn.xml")
            continue;
        SCOPED_TRACE(f);
        ++files;
        const std::string path = DataPath(f);
        try {
            SCore::SXMLDeserializator d(std::wstring(path.begin(), path.end()));
            EXPECT_GT(ReadTree(d), 0) << "nothing in the file was read";
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }
    EXPECT_EQ(42, files);
}
