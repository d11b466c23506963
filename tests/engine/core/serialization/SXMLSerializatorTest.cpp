#include "engine/core/serialization/SXMLSerializator.h"
#include "platform/testing.h"
#include "tests/support/ThrownText.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

using SCore::SSerializator;
using SCore::SXMLSerializator;
using tarn_test::ReadBytes;
using tarn_test::TempDir;
using tarn_test::ThrownText;
using tarn_test::WriteBytes;
using ::testing::MatchesRegex;

namespace {

class SXMLSerializatorTest : public ::testing::Test {
protected:
    void TearDown() override { platform::testing::ResetAll(); }

    // Runs the writes on a fresh writer, flushes and returns the file's bytes.
    std::string Written(const std::function<void(SSerializator&)>& writes)
    {
        SXMLSerializator writer(m_Dir.WFile("out.xml"));
        writes(writer);
        writer.Flush();
        return ReadBytes(m_Dir.File("out.xml"));
    }

    static std::string FlushError(SSerializator& writer) { return ThrownText([&] { writer.Flush(); }); }

    TempDir m_Dir;
};

struct ScalarCase {
    const char* name;
    std::function<void(SSerializator&)> write;
    const char* text;
};

TEST_F(SXMLSerializatorTest, WritesEachScalarInItsTextForm)
{
    const ScalarCase cases[] = {
        {"bool true", [](SSerializator& s) { s.Serialize("v", true); }, "1"},
        {"int", [](SSerializator& s) { s.Serialize("v", -2147483647 - 1); }, "-2147483648"},
        {"unsigned", [](SSerializator& s) { s.Serialize("v", 4294967295u); }, "4294967295"},
        {"string", [](SSerializator& s) { s.Serialize("v", std::string(" a<b>&c ")); }, " a<b>&c "},
        {"high byte", [](SSerializator& s) { s.Serialize("v", std::string("\xE9")); }, "\xC3\xA9"},
        {"wstring", [](SSerializator& s) { s.Serialize("v", std::wstring(L"Ab\x0141")); }, "AbA"},
    };
    for (const ScalarCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(std::string("<e v=\"") + c.text + "\"></e>", Written([&](SSerializator& s) {
                      s.BeginChild("e");
                      c.write(s);
                      s.EndChild();
                  }));
    }
}

TEST_F(SXMLSerializatorTest, WritesTheDocumentIndentedWithCrLf)
{
    const std::string bytes = Written([](SSerializator& s) {
        s.BeginChild("A");
        s.Serialize("x", 1);
        s.Serialize("x", 3); // a repeated key is written again
        s.BeginChild("B");
        s.Serialize("y", 2);
        s.EndChild();
        s.BeginChild("C");
        s.BeginChild("D");
        s.EndChild();
        s.EndChild();
        s.EndChild();
    });
    EXPECT_EQ("<A x=\"1\" x=\"3\">\r\n"
              "  <B y=\"2\"></B>\r\n"
              "  <C>\r\n"
              "    <D></D>\r\n"
              "  </C>\r\n"
              "</A>",
              bytes);
}

TEST_F(SXMLSerializatorTest, WritesTopLevelElementsBackToBackAndAnEmptyDocumentAsEmptyFile)
{
    WriteBytes(m_Dir.File("out.xml"), "old content");
    EXPECT_EQ("", Written([](SSerializator&) {}));
    EXPECT_EQ("<a></a><b></b>", Written([](SSerializator& s) {
                  s.BeginChild("a");
                  s.EndChild();
                  s.EndChild(); // at the root: stays there
                  s.EndChild();
                  s.BeginChild("b");
                  s.EndChild();
              }));
}

TEST_F(SXMLSerializatorTest, FlushRewritesTheWholeDocumentEachTime)
{
    SXMLSerializator writer(m_Dir.WFile("out.xml"));
    writer.BeginChild("a");
    writer.EndChild();
    writer.Flush();
    EXPECT_EQ("<a></a>", ReadBytes(m_Dir.File("out.xml")));
    writer.BeginChild("b");
    writer.Flush();
    EXPECT_EQ("<a></a><b></b>", ReadBytes(m_Dir.File("out.xml")));
    EXPECT_FALSE(std::filesystem::exists(m_Dir.File("out.xml.tmp")));
}

TEST_F(SXMLSerializatorTest, RefusesADoubleQuoteInAValueBeforeTouchingTheFile)
{
    WriteBytes(m_Dir.File("out.xml"), "<old></old>");
    SXMLSerializator writer(m_Dir.WFile("out.xml"));
    writer.BeginChild("a");
    writer.BeginChild("b");
    writer.Serialize("name", std::string("A\"B"));
    const std::string path = m_Dir.File("out.xml");
    EXPECT_THAT(FlushError(writer),
                MatchesRegex("can't write file:\\[" + path +
                             "\\] SXMLSerializator::DoFlush Src\\\\SXMLSerializator at:[0-9]+"));
    EXPECT_EQ("<old></old>", ReadBytes(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(SXMLSerializatorTest, FailedSavesLeaveThePreviousFileIntact)
{
    const std::string path = m_Dir.File("out.xml");
    const std::string expected = "can't write file:[" + path + "] SXMLSerializator::DoFlush";
    struct Case {
        const char* name;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"cannot create", [&] { std::filesystem::create_directory(path + ".tmp"); }},
        {"cannot write", [&] { std::filesystem::create_symlink("/dev/full", path + ".tmp"); }},
        {"cannot rename", [] { platform::testing::InjectOnce("MoveFileExW", E_FAIL); }},
        {"final flush fails", [] { platform::testing::InjectOnce("write", E_FAIL); }},
        {"sync fails", [] { platform::testing::InjectOnce("fsync", E_FAIL); }},
        {"close fails", [] { platform::testing::InjectOnce("close", E_FAIL); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, "<old></old>");
        c.arrange();
        SXMLSerializator writer(m_Dir.WFile("out.xml"));
        writer.BeginChild("new");
        writer.Serialize("v", std::string(5000, 'x'));
        EXPECT_EQ(0u, FlushError(writer).find(expected));
        EXPECT_EQ("<old></old>", ReadBytes(path));
        std::filesystem::remove(path + ".tmp");
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
        platform::testing::ResetAll();
    }
}

} // namespace
