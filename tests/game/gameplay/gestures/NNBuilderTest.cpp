#include "game/gameplay/gestures/NNBuilder.h"

#include "engine/core/base/TarnCoreException.h"
#include "game/gameplay/gestures/GestureRecognizer.h"
#include "tests/support/ThrownText.h"
#include "tests/support/TempDir.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tarn_test::StartsWith;
using tarn_test::ThrownText;

const char* const kSmallNet =
    "<neuronet>\n"
    "  <alpha>1</alpha>\n"
    "  <beta>2</beta>\n"
    "  <layers>\n"
    "    <layer size=\"2\"></layer>\n"
    "    <hidden size=\"1\">0.5, -0.25,\n1e-1</hidden>\n"
    "    <layer size=\"2\">1,2,0,-3</layer>\n"
    "  </layers>\n"
    "  <input_scale>2,-1,2,-1</input_scale>\n"
    "  <output_scale>10,5,1,0</output_scale>\n"
    "</neuronet>\n";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string BuildFailure(const tarn_test::TempDir& dir, const std::string& content)
{
    tarn_test::WriteBytes(dir.File("nn.xml"), content);
    return ThrownText([&] { NNBuilder(",").Build(dir.WFile("nn.xml")); });
}

TEST(NNBuilder, RefusesBrokenFilesSayingWhatIsWrong)
{
    const std::string net = kSmallNet;
    const struct {
        std::string content;
        std::string expected;
    } cases[] = {
        {"", "neuronet: missing element neuronet"},
        {Replace(net, "<alpha>1</alpha>", ""), "neuronet: missing element alpha"},
        {"<neuronet><alpha>1</alpha><beta>1</beta><input_scale>1</input_scale>"
         "<output_scale>1</output_scale></neuronet>", "neuronet: missing element layers"},
        {"<neuronet><alpha>1</alpha><beta>1</beta><layers></layers><input_scale>1</input_scale>"
         "<output_scale>1</output_scale></neuronet>", "neuronet: no layers"},
        {"<neuronet><alpha>1</alpha><beta>1</beta><layers><a size=\"2\"></a></layers>"
         "<input_scale>1,0,1,0</input_scale><output_scale>1</output_scale></neuronet>",
         "neuronet: fewer than 2 layers"},
        {Replace(net, "<hidden size=\"1\">", "<hidden size=\"-1\">"), "neuronet: bad layer size"},
        {Replace(net, "<hidden size=\"1\">", "<hidden size=\"one\">"), "neuronet: bad layer size"},
        {Replace(net, "<layer size=\"2\"></layer>", "<layer size=\"100000000\"></layer>"),
         "neuronet: bad layer size"},
        {Replace(net, "<hidden size=\"1\">", "<hidden>"), "Attribute:size not found"},
        {Replace(net, "<alpha>1</alpha>", "<alpha>fast</alpha>"), "neuronet: bad number [fast]"},
        // Lists are strict: no blank before a comma, no empty or hexadecimal entry.
        {Replace(net, "1,2,0,-3", "1 ,2,0,-3"), "neuronet: bad number [1 ]"},
        {Replace(net, "1,2,0,-3", "1,2,0,-3,"), "neuronet: bad number []"},
        {Replace(net, "1,2,0,-3", "1,2,0,0x10"), "neuronet: bad number [0x10]"},
        {Replace(net, "<alpha>1</alpha>", "<alpha>nan</alpha>"), "neuronet: not a finite number in alpha"},
        {Replace(net, "<beta>2</beta>", "<beta>-inf</beta>"), "neuronet: not a finite number in beta"},
        {Replace(net, "0.5, -0.25", "0.5, inf"), "neuronet: not a finite number in hidden"},
        {Replace(net, "10,5,1,0", "10,5,infinity,0"), "neuronet: not a finite number in output_scale"},
        {Replace(net, "</neuronet>", "</neuronett>"), "CloseTag not found"},
    };
    tarn_test::TempDir dir;
    for (const auto& c : cases) {
        const std::string text = BuildFailure(dir, c.content);
        EXPECT_EQ(0u, text.find(c.expected)) << text;
        EXPECT_NE(std::string::npos, text.find(" NNBuilder::Build() ..\\Src\\NNBuilder at:")) << text;
    }
    EXPECT_EQ("", BuildFailure(dir, kSmallNet));
    EXPECT_TRUE(StartsWith(ThrownText([&] { NNBuilder(",").Build(dir.WFile("absent.xml")); }),
                           "File [" + dir.File("absent.xml") + "] not found"));
}

std::string RecognizerFailure()
{
    return ThrownText([] { Runegarden::GestureRecognizer recognizer; });
}

// A net of zero weights whose two outputs are the offsets of the output scale.
std::string FlatNet(int inputs, const std::string& outputScale)
{
    std::string net = "<neuronet><alpha>2</alpha><beta>1</beta><layers><in size=\"" +
                      std::to_string(inputs) + "\"></in><out size=\"2\">0";
    for (int i = 1; i < (inputs + 1) * 2; ++i) net += ",0";
    net += "</out></layers><input_scale>2,-1";
    for (int i = 1; i < inputs; ++i) net += ",2,-1";
    return net + "</input_scale><output_scale>" + outputScale + "</output_scale></neuronet>";
}

TEST(GestureRecognizer, StartUpReadsResNnXmlAndReportsABrokenOne)
{
    tarn_test::TempDir dir;
    platformtest::ScopedCwd cwd(dir.Path().string());
    EXPECT_EQ(0u, RecognizerFailure().find("File [Res\\nn.xml] not found"));

    std::filesystem::create_directory(dir.Path() / "Res");
    tarn_test::WriteBytes(dir.File("Res/nn.xml"), FlatNet(400, "1,0.5,1,-0.5"));
    Runegarden::GestureRecognizer recognizer;
    EXPECT_EQ(0, recognizer.Recognize(std::vector<std::vector<unsigned char>>(3, {0, 255})));

    tarn_test::WriteBytes(dir.File("Res/nn.xml"), FlatNet(400, "1,0.5"));
    const std::string text = RecognizerFailure();
    EXPECT_EQ(0u, text.find("Incorrect size of scale outputs NNBuilder::Build() ..\\Src\\NNBuilder at:"))
        << text;
    EXPECT_NE(std::string::npos, text.find(" GestureRecognizer::GestureRecognizer() ..\\Src\\GestureRecognizer at:"))
        << text;

    tarn_test::WriteBytes(dir.File("Res/nn.xml"), FlatNet(399, "1,0.5,1,-0.5"));
    EXPECT_EQ(0u, RecognizerFailure().find("neuronet: input layer must have 400 units"));
}

} // namespace
