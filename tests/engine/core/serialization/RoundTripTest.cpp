#include "engine/core/IDeserialize.h"
#include "engine/core/ISerialize.h"
#include "engine/core/SXMLDeserializator.h"
#include "engine/core/SXMLSerializator.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

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

bool Same(const SMatrix& a, const SMatrix& b) { return std::memcmp(a.m, b.m, sizeof a.m) == 0; }
bool Same(const SVector3& a, const SVector3& b) { return a.X == b.X && a.Y == b.Y && a.Z == b.Z; }

// A stored object holding every value type, with nested objects in a list.
struct Item : ISerialize, IDeserialize {
    std::string m_Name;
    int m_Count = 0;

    void DoSerialize(SSerializator& s) override
    {
        s.BeginChild("Item");
        s.Serialize("Name", m_Name);
        s.Serialize("Count", m_Count);
        s.EndChild();
    }
    void DoDeserialize(SDeserializator& d, unsigned int index) override
    {
        d.BeginChild(index);
        d.Deserialize("Name", m_Name);
        d.Deserialize("Count", m_Count);
        d.EndChild();
    }
    void DoDeserialize(SDeserializator& d) override
    {
        d.BeginChild("Item");
        d.Deserialize("Name", m_Name);
        d.Deserialize("Count", m_Count);
        d.EndChild();
    }
};

struct Everything : ISerialize, IDeserialize {
    float m_Float = 0;
    double m_Double = 0;
    int m_Int = 0;
    unsigned int m_Unsigned = 0;
    short m_Short = 0;
    unsigned short m_UShort = 0;
    bool m_Bool = false;
    std::string m_String;
    std::wstring m_WString;
    SVector3 m_V3;
    SVector4 m_V4;
    SMatrix m_Matrix;
    SRect m_Rect;
    SAABBox m_AABB;
    SSphere m_Sphere;
    SOBBox m_OBB;
    STextureFiltration m_Filtration;
    STextureLoadParams m_Load;
    std::vector<Item> m_Items;

    void DoSerialize(SSerializator& s) override
    {
        s.BeginChild("Everything");
        s.Serialize("Float", m_Float);
        s.Serialize("Double", m_Double);
        s.Serialize("Int", m_Int);
        s.Serialize("Unsigned", m_Unsigned);
        s.Serialize("Short", m_Short);
        s.Serialize("UShort", m_UShort);
        s.Serialize("Bool", m_Bool);
        s.Serialize("String", m_String);
        s.Serialize("WString", m_WString);
        s.Serialize("V3", m_V3);
        s.Serialize("V4", m_V4);
        s.Serialize("Matrix", m_Matrix);
        s.Serialize("Rect", m_Rect);
        s.Serialize("AABB", m_AABB);
        s.Serialize("Sphere", m_Sphere);
        s.Serialize("OBB", m_OBB);
        s.Serialize("Filtration", m_Filtration);
        s.Serialize("Load", m_Load);
        s.BeginChild("Items");
        for (Item& item : m_Items) item.DoSerialize(s);
        s.EndChild();
        s.EndChild();
    }
    void DoDeserialize(SDeserializator& d, unsigned int) override {}
    void DoDeserialize(SDeserializator& d) override
    {
        d.BeginChild("Everything");
        d.Deserialize("Float", m_Float);
        d.Deserialize("Double", m_Double);
        d.Deserialize("Int", m_Int);
        d.Deserialize("Unsigned", m_Unsigned);
        d.Deserialize("Short", m_Short);
        d.Deserialize("UShort", m_UShort);
        d.Deserialize("Bool", m_Bool);
        d.Deserialize("String", m_String);
        d.Deserialize("WString", m_WString);
        d.Deserialize("V3", m_V3);
        d.Deserialize("V4", m_V4);
        d.Deserialize("Matrix", m_Matrix);
        d.Deserialize("Rect", m_Rect);
        d.Deserialize("AABB", m_AABB);
        d.Deserialize("Sphere", m_Sphere);
        d.Deserialize("OBB", m_OBB);
        d.Deserialize("Filtration", m_Filtration);
        d.Deserialize("Load", m_Load);
        d.BeginChild("Items");
        m_Items.resize(d.GetChildCount());
        for (unsigned int i = 0; i < m_Items.size(); ++i) m_Items[i].DoDeserialize(d, i);
        d.EndChild();
        d.EndChild();
    }
};

TEST(SerializationRoundTrip, EveryValueTypeAndNestedObjectsReadBackAsWritten)
{
    Everything out;
    out.m_Float = 0.1f;
    out.m_Double = -1.0 / 3.0;
    out.m_Int = INT_MIN;
    out.m_Unsigned = UINT_MAX;
    out.m_Short = SHRT_MIN;
    out.m_UShort = USHRT_MAX;
    out.m_Bool = true;
    out.m_String = " spaced <text> & more ";
    out.m_WString = L"Player 1";
    out.m_V3 = {FLT_MAX, -FLT_MIN, 1e-30f};
    out.m_V4 = {1, -2, 3.5f, 1.0f / 3.0f};
    out.m_Matrix = Counting(-8);
    out.m_Rect = {0.125f, 0.2f, 0.3f, 0.4f};
    out.m_AABB = {{-1, -2, -3}, {1, 2, 3}};
    out.m_Sphere = {1, 2, 3, 0.7f};
    out.m_OBB.Position = {1, 2, 3};
    out.m_OBB.Size = {4, 5, 6};
    out.m_OBB.Orientation = Counting(100);
    out.m_Filtration.m_IsBilinear = true;
    out.m_Filtration.m_IsAnisotropic = true;
    out.m_Load = {1, 0, 21, 1, 0xFFFFFFFF, 3};
    const std::pair<const char*, int> items[] = {{"first", 1}, {"second", -2}, {"", 0}};
    for (const auto& item : items) {
        out.m_Items.emplace_back();
        out.m_Items.back().m_Name = item.first;
        out.m_Items.back().m_Count = item.second;
    }

    TempDir dir;
    SXMLSerializator writer(dir.WFile("all.xml"));
    out.DoSerialize(writer);
    writer.Flush();

    Everything in;
    SXMLDeserializator reader(dir.WFile("all.xml"));
    in.DoDeserialize(reader);

    EXPECT_EQ(out.m_Float, in.m_Float);
    EXPECT_EQ(out.m_Double, in.m_Double);
    EXPECT_EQ(out.m_Int, in.m_Int);
    EXPECT_EQ(out.m_Unsigned, in.m_Unsigned);
    EXPECT_EQ(out.m_Short, in.m_Short);
    EXPECT_EQ(out.m_UShort, in.m_UShort);
    EXPECT_EQ(out.m_Bool, in.m_Bool);
    EXPECT_EQ(out.m_String, in.m_String);
    EXPECT_EQ(out.m_WString, in.m_WString);
    EXPECT_TRUE(Same(out.m_V3, in.m_V3));
    EXPECT_EQ(out.m_V4.W, in.m_V4.W);
    EXPECT_EQ(out.m_V4.Z, in.m_V4.Z);
    EXPECT_TRUE(Same(out.m_Matrix, in.m_Matrix));
    EXPECT_EQ(out.m_Rect.Y, in.m_Rect.Y);
    EXPECT_EQ(out.m_Rect.Height, in.m_Rect.Height);
    EXPECT_TRUE(Same(out.m_AABB.Min, in.m_AABB.Min));
    EXPECT_TRUE(Same(out.m_AABB.Max, in.m_AABB.Max));
    EXPECT_EQ(out.m_Sphere.R, in.m_Sphere.R);
    EXPECT_TRUE(Same(out.m_OBB.Position, in.m_OBB.Position));
    EXPECT_TRUE(Same(out.m_OBB.Size, in.m_OBB.Size));
    EXPECT_TRUE(Same(out.m_OBB.Orientation, in.m_OBB.Orientation));
    EXPECT_TRUE(in.m_Filtration.m_IsBilinear);
    EXPECT_FALSE(in.m_Filtration.m_IsTrilinear);
    EXPECT_TRUE(in.m_Filtration.m_IsAnisotropic);
    EXPECT_EQ(0xFFFFFFFFu, in.m_Load.Filter);
    EXPECT_EQ(21u, in.m_Load.Format);
    ASSERT_EQ(3u, in.m_Items.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(out.m_Items[i].m_Name, in.m_Items[i].m_Name);
        EXPECT_EQ(out.m_Items[i].m_Count, in.m_Items[i].m_Count);
    }
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
