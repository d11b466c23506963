// Reads every shipped XML file through the engine's deserializer with the value types the
// loaders use, so that a value the reader cannot convert ("true" for a bool, a composite missing
// a field) fails here instead of at start-up or level load.
#include "tests/content/ContentData.h"

#include "engine/core/serialization/SXMLDeserializator.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using namespace content;
using SCore::SDeserializator;

namespace {

template <typename T>
void Read(SDeserializator& d, const std::string& key)
{
    T value{};
    d.Deserialize(key, value);
}

std::string Text(SDeserializator& d, const std::string& key)
{
    std::string text;
    d.Deserialize(key, text);
    return text;
}

// Reads each "type:key" of fields (b bool, f float, d double, i int, u unsigned, s string,
// w wide string, r rect, v vector, t filtration, a box); "?" before the type: when present.
void ReadFields(SDeserializator& d, const std::string& fields)
{
    std::istringstream items(fields);
    std::string item;
    while (items >> item) {
        const bool optional = item[0] == '?';
        const char type = item[optional ? 1 : 0];
        const std::string key = item.substr(optional ? 3 : 2);
        if (optional && !d.IsAvialableName(key) && !d.IsHaveChild(key))
            continue;
        switch (type) {
        case 'b': Read<bool>(d, key); break;
        case 'f': Read<float>(d, key); break;
        case 'd': Read<double>(d, key); break;
        case 'i': Read<int>(d, key); break;
        case 's': Read<std::string>(d, key); break;
        case 'w': Read<std::wstring>(d, key); break;
        case 'r': Read<SCore::SRect>(d, key); break;
        case 'v': Read<SCore::SVector3>(d, key); break;
        case 't': Read<SCore::STextureFiltration>(d, key); break;
        case 'a': Read<SCore::SAABBox>(d, key); break;
        case 'u':
            Read<unsigned int>(d, key);
            // The reader wraps a negative text into a huge value instead of failing.
            EXPECT_NE('-', (Text(d, key) + " ")[0]) << key;
            break;
        default: ADD_FAILURE() << "bad fields " << item;
        }
    }
}

std::function<void(SDeserializator&)> Fields(const std::string& fields)
{
    return [fields](SDeserializator& d) { ReadFields(d, fields); };
}

// What the loaders read from each kind of element (composites are read by their parents).
const std::map<std::string, std::function<void(SDeserializator&)>>& Readers()
{
    static const std::map<std::string, std::function<void(SDeserializator&)>> readers = {
        {"Sprite", Fields("u:ColorLU u:ColorRU u:ColorLD u:ColorRD f:Angle f:XScaleFactor f:YScaleFactor "
                        "b:CoordAligment b:WithTransform b:FlipHorizontal b:FlipVertical r:Position r:TexCoords")},
        {"Material", Fields("u:CullMode u:FillMode u:SrcBlend u:DstBlend b:AlphaBlend b:ZWrite b:Lighting b:IsFogEnable")},
        {"Textures", Fields("?s:Texture1 ?t:Filtration1 ?t:Filtration2")},
        {"Animation", [](SDeserializator& d) {
             ReadFields(d, Text(d, "Type") == "FRAME" ? "f:AnimationSpeed u:FrameHorizontal u:FrameVertical ?b:Inverse ?r:Indent"
                                                    : "f:AnimationSpeed u:Style f:Step");
         }},
        {"GameObject", [](SDeserializator& d) {
             if (d.IsAvialableName("GameObjectType"))
                 ReadFields(d, "b:IsEnable b:GravityAction u:RenderOrder");
             ReadFields(d, "?v:Position ?v:HalfSize");
         }},
        {"Tile", Fields("u:ID u:GeomType v:HalfSize")},
        {"Body", Fields("u:ID f:Mass v:Position v:Velocity")},
        {"Attribute", [](SDeserializator& d) {
             const std::map<std::string, std::string> types = {
                 {"Boolean", "b"}, {"Double", "d"}, {"Long", "i"}, {"SizeT", "u"}, {"String", "s"}};
             const auto type = types.find(Text(d, "Type"));
             ASSERT_NE(types.end(), type) << "attribute " << Text(d, "Name");
             ReadFields(d, type->second + ":Value");
         }},
        {"Level", [](SDeserializator& d) {
             ReadFields(d, d.IsAvialableName("SizeX") ? "f:SizeX f:SizeY f:PosX f:PosY f:PlayTime b:Sun" : "s:Path s:Name");
         }},
        {"Tool", Fields("s:ToolType s:GameObject")},
        {"world", Fields("s:directory")},
        {"object", Fields("s:file")},
        {"Comics", Fields("s:LevelName s:ComicsPath")},
        {"Trophy", Fields("w:Name")},
        {"Slide", Fields("s:Texture")},
        {"Item", Fields("?u:TimeDelay")},
        {"C", Fields("?f:X ?f:Y ?f:Angle ?u:Time")},
        {"KeyFrame", Fields("f:Time v:Eye v:At")},
        {"VertexData", Fields("u:VertexSize u:FVF u:PrimType")},
        {"Vertex", Fields("f:X f:Y f:Z f:NX f:NY f:NZ f:U f:V")},
        {"IndexData", Fields("u:IndexSize")},
        {"Index", Fields("u:I")},
        {"TriMesh", Fields("a:AABB")},
        {"Picture", Fields("u:Time")},
        {"screen", Fields("u:width u:height u:bitperpixel b:fullscreen")},
        {"life", Fields("u:score")},
        {"level_move", Fields("f:force f:attenuation")},
        {"font", [](SDeserializator& d) {
             if (d.IsAvialableName("charsH"))
                 ReadFields(d, "f:charsH f:charsW r:indent");
         }},
        {"c", Fields("u:code u:index f:width")},
        {"Texture", Fields("s:Name s:Path ?i:MipLevels")},
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
    for (unsigned int i = 0, count = d.GetChildCount(); i < count; ++i) {
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
