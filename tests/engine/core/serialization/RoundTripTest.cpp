#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/core/serialization/SXMLSerializator.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <string>

using namespace SCore;
using tarn_test::TempDir;

namespace {

SMatrix Counting(float start)
{
    SMatrix m;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m.m[r][c] = start + r * 4 + c + 0.25f;
    return m;
}

// Bit for bit: these composites are plain floats and integers without padding.
template <typename T>
bool Same(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T>
T ReadBack(SDeserializator& reader, const char* key)
{
    T value;
    reader.Deserialize(key, value);
    return value;
}

// The reader's field names and order match the writer's for every composite, and floats keep
// every bit, extremes included.
TEST(SerializationRoundTrip, CompositesAndExtremeFloatsReadBackBitForBit)
{
    const SVector3 v3{FLT_MAX, -FLT_MIN, 1e-30f};
    const SVector4 v4{1, -2, 3.5f, 1.0f / 3.0f};
    const SMatrix matrix = Counting(-8);
    const SRect rect{0.125f, 0.2f, 0.3f, 0.4f};
    const SAABBox aabb{{-1, -2, -3}, {1, 2, 3}};
    const SSphere sphere{1, 2, 3, 0.7f};
    SOBBox obb;
    obb.Position = {1, 2, 3};
    obb.Size = {4, 5, 6};
    obb.Orientation = Counting(100);
    STextureFiltration filtration;
    filtration.m_IsBilinear = filtration.m_IsAnisotropic = true;
    const STextureLoadParams load{1, 0, 21, 1, 0xFFFFFFFF, 3};

    TempDir dir;
    SXMLSerializator writer(dir.WFile("all.xml"));
    writer.BeginChild("E");
    writer.Serialize("Double", -1.0 / 3.0);
    writer.Serialize("V3", v3);
    writer.Serialize("V4", v4);
    writer.Serialize("Matrix", matrix);
    writer.Serialize("Rect", rect);
    writer.Serialize("AABB", aabb);
    writer.Serialize("Sphere", sphere);
    writer.Serialize("OBB", obb);
    writer.Serialize("Filtration", filtration);
    writer.Serialize("Load", load);
    writer.EndChild();
    writer.Flush();

    SXMLDeserializator reader(dir.WFile("all.xml"));
    reader.BeginChild("E");
    EXPECT_EQ(-1.0 / 3.0, ReadBack<double>(reader, "Double"));
    EXPECT_TRUE(Same(v3, ReadBack<SVector3>(reader, "V3")));
    EXPECT_TRUE(Same(v4, ReadBack<SVector4>(reader, "V4")));
    EXPECT_TRUE(Same(matrix, ReadBack<SMatrix>(reader, "Matrix")));
    EXPECT_TRUE(Same(rect, ReadBack<SRect>(reader, "Rect")));
    EXPECT_TRUE(Same(aabb, ReadBack<SAABBox>(reader, "AABB")));
    EXPECT_TRUE(Same(sphere, ReadBack<SSphere>(reader, "Sphere")));
    EXPECT_TRUE(Same(obb, ReadBack<SOBBox>(reader, "OBB")));
    EXPECT_TRUE(Same(load, ReadBack<STextureLoadParams>(reader, "Load")));
    const STextureFiltration inFiltration = ReadBack<STextureFiltration>(reader, "Filtration");
    EXPECT_TRUE(inFiltration.m_IsBilinear && !inFiltration.m_IsTrilinear && inFiltration.m_IsAnisotropic);
}

TEST(SerializationRoundTrip, OnlySevenBitWideTextSurvives)
{
    TempDir dir;
    SXMLSerializator writer(dir.WFile("w.xml"));
    writer.BeginChild("e");
    writer.Serialize("w", std::wstring(L"\x00E9"));
    writer.Flush();

    SXMLDeserializator reader(dir.WFile("w.xml"));
    reader.BeginChild("e");
    std::wstring back;
    reader.Deserialize("w", back);
    // Written as the byte 0xE9, encoded as two UTF-8 bytes, read back byte by byte.
    EXPECT_EQ(std::wstring(L"\xFFC3\xFFA9"), back);
}

} // namespace
