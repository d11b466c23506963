#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/core/base/TarnCoreException.h"
#include "tests/support/ThrownText.h"
#include "tests/support/TempDir.h"
#include "tests/support/XmlText.h"

#include <boost/lexical_cast.hpp>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

using SCore::SDeserializator;
using SCore::SXMLDeserializator;
using SCore::TarnCoreException;
using tarn_test::TempDir;
using tarn_test::ThrownText;
using tarn_test::WriteBytes;
using ::testing::MatchesRegex;

namespace {

// One context entry of the reader, as a pattern.
std::string Entry(const std::string& method)
{
    return " SXMLDeserializator::" + method + " Src\\\\SXMLDeserializator at:[0-9]+";
}

template <typename T>
T ReadBack(SDeserializator& reader, const char* key, T value = T())
{
    reader.Deserialize(key, value);
    return value;
}

using Reader = tarn_test::XmlText;

TEST(SXMLDeserializator, LoadsAFileAndReportsMissingOrMalformedOnes)
{
    TempDir dir;
    WriteBytes(dir.File("users.xml"), "<Users count=\"2\">\r\n  <User></User>\r\n</Users>");
    SXMLDeserializator reader(dir.WFile("users.xml"));
    reader.BeginChild("Users");
    EXPECT_EQ("Users", reader.GetNodeName());
    unsigned int count = 0;
    reader.Deserialize("count", count);
    EXPECT_EQ(2u, count);
    EXPECT_EQ(1u, reader.GetChildCount());

    WriteBytes(dir.File("empty.xml"), "");
    SXMLDeserializator empty(dir.WFile("empty.xml"));
    EXPECT_EQ(0u, empty.GetChildCount());

    const std::string missing = dir.File("missing.xml");
    EXPECT_THAT(ThrownText([&] { SXMLDeserializator r(dir.WFile("missing.xml")); }),
                MatchesRegex("File \\[" + missing + "\\] not found" + Entry("LoadFile") +
                             Entry("SXMLDeserializator")));

    WriteBytes(dir.File("bad.xml"), "<a></b>");
    EXPECT_THAT(ThrownText([&] { SXMLDeserializator r(dir.WFile("bad.xml")); }),
                MatchesRegex("CloseTag not found" + Entry("ParseText") + Entry("SXMLDeserializator")));}

TEST(SXMLDeserializator, ConvertsScalarTexts)
{
    Reader reader("<e f=\"0.100000001\" d=\"0.10000000000000001\" i=\"-7\" u=\"4294967295\""
                  " b1=\"1\" str=\" a b \" empty=\"\" neg=\"-1\" w=\"A\xE9\" plus=\"+5\"></e>");
    reader.BeginChild("e");
    EXPECT_EQ(0.1f, ReadBack<float>(reader, "f"));
    EXPECT_EQ(0.1, ReadBack<double>(reader, "d"));
    EXPECT_EQ(-7, ReadBack<int>(reader, "i"));
    EXPECT_EQ(4294967295u, ReadBack<unsigned int>(reader, "u"));
    EXPECT_TRUE(ReadBack<bool>(reader, "b1"));
    EXPECT_EQ(" a b ", ReadBack<std::string>(reader, "str"));
    EXPECT_EQ("", ReadBack<std::string>(reader, "empty", "x"));
    EXPECT_EQ(std::wstring(L"A\xFFE9"), ReadBack<std::wstring>(reader, "w"));
    // The conversion accepts a sign and wraps negative unsigned values; stored data rely on it.
    EXPECT_EQ(4294967295u, ReadBack<unsigned int>(reader, "neg"));
    EXPECT_EQ(5, ReadBack<short>(reader, "plus"));
}

TEST(SXMLDeserializator, RejectsMalformedNumbersWithTheConversionError)
{
    Reader reader("<e lead=\" 1.5\" real=\"3.0\" word=\"true\" big=\"70000\"></e>");
    reader.BeginChild("e");
    float f = 9;
    int i = 9;
    bool b = false;
    short s = 9;
    EXPECT_THROW(reader.Deserialize("lead", f), boost::bad_lexical_cast);
    EXPECT_THROW(reader.Deserialize("real", i), boost::bad_lexical_cast);
    EXPECT_THROW(reader.Deserialize("word", b), boost::bad_lexical_cast);
    EXPECT_THROW(reader.Deserialize("big", s), boost::bad_lexical_cast);
    EXPECT_EQ(9, f);
    EXPECT_EQ(9, i);
    EXPECT_EQ(9, s);
}

TEST(SXMLDeserializator, MissingValuesAndChildrenFailWithTheirTexts)
{
    Reader reader("<e><R X=\"1\" Y=\"2\" Width=\"3\"></R></e>");
    reader.BeginChild("e");

    int i = 0;
    EXPECT_THAT(ThrownText([&] { reader.Deserialize("k", i); }),
                MatchesRegex("Attribute:k not found" + Entry("DoDeserialize")));

    SCore::SVector3 v{7, 7, 7};
    EXPECT_THAT(ThrownText([&] { reader.Deserialize("P", v); }),
                MatchesRegex("Deserializator error: can't find child node:P" + Entry("DoDeserialize")));
    EXPECT_EQ(7, v.X);

    // Fields before the missing one are stored, later ones untouched.
    SCore::SRect rect{9, 9, 9, 9};
    EXPECT_THAT(ThrownText([&] { reader.Deserialize("R", rect); }),
                MatchesRegex("Attribute:Height not found" + Entry("DoDeserialize")));
    EXPECT_EQ(1, rect.X);
    EXPECT_EQ(3, rect.Width);
    EXPECT_EQ(9, rect.Height);
}

TEST(SXMLDeserializator, NavigatesChildrenByNameAndIndex)
{
    Reader reader("<list><item n=\"1\"></item><item n=\"2\"></item><x k=\"\"></x></list>");
    reader.BeginChild("list");
    EXPECT_EQ(3u, reader.GetChildCount());
    EXPECT_TRUE(reader.IsHaveChild("item"));
    EXPECT_FALSE(reader.IsHaveChild("Item"));

    int n = 0;
    reader.BeginChild("item");
    reader.Deserialize("n", n);
    EXPECT_EQ(2, n);  // the last of that name
    reader.EndChild();
    for (unsigned int i = 0; i < 2; ++i) {
        reader.BeginChild(i);
        reader.Deserialize("n", n);
        EXPECT_EQ(int(i + 1), n);
        reader.EndChild();
    }
    reader.BeginChild(2u);
    EXPECT_TRUE(reader.IsAvialableName("k"));
    EXPECT_FALSE(reader.IsAvialableName("K"));
    reader.EndChild();

    EXPECT_THAT(ThrownText([&] { reader.BeginChild(3u); }),
                MatchesRegex("can't access unreal child" + Entry("DoBeginChild")));
    EXPECT_THAT(ThrownText([&] { reader.BeginChild("none"); }),
                MatchesRegex("Deserializator error: can't find child node:none" + Entry("DoBeginChild")));
    EXPECT_EQ("list", reader.GetNodeName());
}

TEST(SXMLDeserializator, EndChildAtTheRootStaysAtTheRoot)
{
    Reader reader("<doc><x></x></doc>");
    reader.BeginChild("doc");
    reader.EndChild();
    reader.EndChild();
    reader.EndChild();
    EXPECT_EQ("root", reader.GetNodeName());
    EXPECT_THAT(ThrownText([&] { reader.BeginChild("x"); }),
                MatchesRegex("Deserializator error: can't find child node:x" + Entry("DoBeginChild")));
    reader.BeginChild("doc");
    reader.BeginChild("x");
    EXPECT_EQ("x", reader.GetNodeName());
}

} // namespace
