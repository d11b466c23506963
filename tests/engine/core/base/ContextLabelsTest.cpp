// Every context label names the method whose body it closes: the label of a TARN_CATCH is that
// method's qualified name (as a rule followed by "()"), so that an error chain reads as the calls
// it went through.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A function's definition starts at the line's first column; the last name before the opening
// parenthesis is the function's, with its qualifiers.
const std::regex kDefinition(R"(^(?!namespace|using|typedef|class|struct|static const|return|TARN_)(?=[A-Za-z_])[^;(]*?\b((?:\w+::)*~?\w+)\s*\()");
const std::regex kLabel(R"re(TARN_CATCH\("([^"]*)"\))re");

bool NamesFunction(std::string label, const std::string& function)
{
    // A label may end in "()" or name its parameters, as "RGGameMode::ChangeMode(NewMode)" does.
    const size_t open = label.find('(');
    if (open != std::string::npos && label.back() == ')') label.resize(open);
    if (label == function) return true;
    // The function may be written with an enclosing namespace the label leaves out; its class
    // the label always names.
    return label.find("::") != std::string::npos && function.size() > label.size() + 2 &&
           function.compare(function.size() - label.size() - 2, std::string::npos, "::" + label) == 0;
}

std::vector<std::string> MismatchedLabels(const fs::path& folder, size_t* labels)
{
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().extension() != ".cpp") continue;
        std::ifstream in(entry.path());
        std::string line, function;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            if (std::regex_search(line, match, kDefinition) && line.back() != ';') function = match[1];
            for (std::sregex_iterator it(line.begin(), line.end(), kLabel), end; it != end; ++it) {
                ++*labels;
                if (NamesFunction((*it)[1], function)) continue;
                found.push_back(fs::relative(entry.path(), TARN_SOURCE_DIR).string() + ":" +
                                std::to_string(number) + " labels " + function + " as " + (*it)[1].str());
            }
        }
    }
    return found;
}

TEST(ContextLabels, EachNamesTheMethodItCloses)
{
    size_t labels = 0;
    for (const char* folder : {"engine", "game", "platform", "tools"}) {
        const std::vector<std::string> found = MismatchedLabels(fs::path(TARN_SOURCE_DIR) / folder, &labels);
        EXPECT_TRUE(found.empty()) << ::testing::PrintToString(found);
    }
    EXPECT_GT(labels, 300u) << "the scan no longer finds the labels";
}

TEST(ContextLabels, TheCheckTellsALabelFromItsMethod)
{
    EXPECT_TRUE(NamesFunction("SD3D9Texture::DoLoad()", "SD3D9Texture::DoLoad"));
    EXPECT_TRUE(NamesFunction("XMLParser::Parse", "XMLParser::Parse"));
    EXPECT_TRUE(NamesFunction("RGWorld::Load()", "Runegarden::RGWorld::Load"));
    EXPECT_TRUE(NamesFunction("RGGameMode::ChangeMode(NewMode)", "RGGameMode::ChangeMode"));
    EXPECT_FALSE(NamesFunction("SD3D9Texture::DoLoad()", "SD3D9Texture::DoLoadFromMemory"));
    EXPECT_FALSE(NamesFunction("TarnApplication::DoRender()", "TarnApplication::DoRun"));
    EXPECT_FALSE(NamesFunction("Load()", "RGWorld::Load"));
}

} // namespace
