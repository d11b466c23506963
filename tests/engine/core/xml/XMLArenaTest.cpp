#include "engine/core/xml/XMLArena.h"
#include "engine/core/xml/XMLParser.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using SCore::SXML::XMLArena;
using SCore::SXML::XMLAttribute;
using SCore::SXML::XMLNode;
using SCore::SXML::XMLParser;

namespace {

struct Counted {
    explicit Counted(int* alive) : m_Alive(alive), m_Text(40, 'x') { ++*m_Alive; }
    ~Counted() { --*m_Alive; }
    int* m_Alive;
    std::string m_Text; // owns heap memory, so a missed destructor shows as a leak
};

// Objects outlive the parse that made them, each ends exactly once, on whichever thread drops
// it last; a sanitizer build sees the arena freed neither too early nor never.
TEST(XMLArena, ObjectsOutliveTheReleaseAndEndOnceWhereverTheyAreDropped)
{
    int alive = 0;
    XMLArena* arena = new XMLArena;
    std::vector<boost::shared_ptr<Counted>> objects;
    for (int i = 0; i < 3000; ++i) objects.push_back(arena->Make<Counted>(&alive)); // several blocks
    arena->Release();
    EXPECT_EQ(3000, alive);
    EXPECT_EQ(std::string(40, 'x'), objects.back()->m_Text);

    std::vector<boost::shared_ptr<Counted>> other(objects.begin() + 1000, objects.end());
    objects.resize(1000);
    std::thread([&other] { other.clear(); }).join();
    EXPECT_EQ(1000, alive);
    objects.clear();
    EXPECT_EQ(0, alive);

    XMLArena* unused = new XMLArena;
    unused->Release(); // nothing made: goes at once
}

// A tree may hold elements of other documents (the lists are public): when it comes down, each
// arena still goes once its own objects are gone, and an object kept from it stays valid.
TEST(XMLArena, ATreeMixingTwoDocumentsComesDownWithBothArenas)
{
    XMLParser first;
    first.Parse("<a><b k=\"v\"></b></a>");
    XMLParser second;
    second.Parse("<c><d j=\"w\"></d><e></e></c>");
    boost::shared_ptr<XMLNode> root = first.GetRoot();
    boost::shared_ptr<XMLNode> c = second.GetRoot()->GetChild("c");
    root->GetChild("a")->m_Children.push_back(c);
    boost::shared_ptr<XMLAttribute> kept = c->GetChild("d")->GetAttribute("j");
    first.Parse("<x></x>");
    second.Parse("<y></y>");
    c.reset();
    root.reset(); // the first document and the borrowed "c" end inside one teardown
    EXPECT_TRUE(kept->m_Owner.expired());
    EXPECT_EQ("w", kept->GetValue());
}

TEST(XMLArena, AnAttributeOutlivesItsElementTheParserAndTheRestOfTheTree)
{
    boost::shared_ptr<XMLAttribute> kept;
    {
        XMLParser parser;
        parser.Parse("<a><b k=\"v\" j=\"w\"></b></a>");
        kept = parser.GetRoot()->GetChild("a")->GetChild("b")->GetAttribute("j");
        parser.Parse("<c></c>"); // the parser's next document has an arena of its own
    }
    EXPECT_TRUE(kept->m_Owner.expired());
    EXPECT_EQ("j", kept->GetName());
    EXPECT_EQ("w", kept->GetValue());
}

} // namespace
