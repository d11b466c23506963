// Drives the XML reader over an arbitrary document with an arbitrary sequence of navigation and
// reads. Every failure must be a TarnCoreException or a conversion error; nothing may crash.

#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/core/base/TarnCoreException.h"

#include <boost/lexical_cast.hpp>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

using namespace SCore;

namespace {

class FuzzReader : public SXMLDeserializator {
public:
    explicit FuzzReader(const std::string& text)
    {
        m_Text = text;
        ParseText();
    }
};

const char* const kKeys[] = {"X", "Y", "Width", "Height", "R", "a", "b", "root", "MinX", "f11",
                             "PositionX", "SizeX", "IsBilinear", "MipLevels", "W", "Z"};

void Step(FuzzReader& reader, FuzzedDataProvider& in)
{
    const std::string key = in.ConsumeBool() ? std::string(kKeys[in.ConsumeIntegralInRange<size_t>(0, 15)])
                                             : in.ConsumeRandomLengthString(8);
    switch (in.ConsumeIntegralInRange<int>(0, 21)) {
    case 0: reader.BeginChild(in.ConsumeIntegralInRange<unsigned int>(0, 4)); break;
    case 1: reader.BeginChild(key); break;
    case 2: reader.EndChild(); break;
    case 3: (void)reader.GetChildCount(); (void)reader.GetNodeName(); break;
    case 4: (void)reader.IsAvialableName(key); (void)reader.IsHaveChild(key); break;
    case 5: { float v; reader.Deserialize(key, v); break; }
    case 6: { double v; reader.Deserialize(key, v); break; }
    case 7: { int v; reader.Deserialize(key, v); break; }
    case 8: { unsigned int v; reader.Deserialize(key, v); break; }
    case 9: { short v; reader.Deserialize(key, v); break; }
    case 10: { unsigned short v; reader.Deserialize(key, v); break; }
    case 11: { bool v; reader.Deserialize(key, v); break; }
    case 12: { std::string v; reader.Deserialize(key, v); break; }
    case 13: { std::wstring v; reader.Deserialize(key, v); break; }
    case 14: { SVector3 v; reader.Deserialize(key, v); break; }
    case 15: { SVector4 v; reader.Deserialize(key, v); break; }
    case 16: { SMatrix v; reader.Deserialize(key, v); break; }
    case 17: { SRect v; reader.Deserialize(key, v); break; }
    case 18: { SAABBox v; reader.Deserialize(key, v); break; }
    case 19: { SSphere v; reader.Deserialize(key, v); break; }
    case 20: { SOBBox v; reader.Deserialize(key, v); break; }
    default: {
        STextureFiltration f;
        STextureLoadParams p;
        reader.Deserialize(key, f);
        reader.Deserialize(key, p);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string document = in.ConsumeRandomLengthString(size);
    try {
        FuzzReader reader(document);
        while (in.remaining_bytes() > 0) {
            try {
                Step(reader, in);
            } catch (const TarnCoreException&) {
            } catch (const boost::bad_lexical_cast&) {
            }
        }
    } catch (const TarnCoreException&) {
    }
    return 0;
}
