#include "game/app/profiles/RGHighScore.h"

#include "engine/core/serialization/SXMLDeserializator.h"

#include "tests/game/app/profiles/ProfileTestSupport.h"

#include <gtest/gtest.h>

using apptest::Rows;
using apptest::ScoreRows;
using Runegarden::RGHighScore;

namespace {

TEST(RGHighScoreTest, AddScoreKeepsOneRowPerExactNameWithTheLastScoreHighestFirst)
{
    RGHighScore table;
    table.AddScore(L"Ann", "1-1", 500);
    table.AddScore(L"Bob", "1-2", 900);
    table.AddScore(L"Ann", "1-3", 300);
    table.AddScore(L"ann", "1-1", 4294967295u);
    table.AddScore(L"Cid", "1-1", 300);
    EXPECT_EQ(Rows(table), (ScoreRows{{L"ann", 4294967295u}, {L"Bob", 900}, {L"Ann", 300}, {L"Cid", 300}}))
        << "equal scores keep their order";
    EXPECT_EQ(table.m_Entries[2].Level, "1-3");
}

TEST(RGHighScoreTest, ReadRowsKeepTheFileOrderAndDuplicatesUntilTheNextAdd)
{
    SCore::SXMLDeserializator reader;
    reader.m_Text = apptest::Closed("<Users><HighScore>"
                                    "<Score Name=\"Ann\" Level=\"a\" BestScore=\"5\"/>"
                                    "<Row Name=\"Bob\" Level=\"b\" BestScore=\"9\"/>"
                                    "<Score Name=\"Ann\" Level=\"c\" BestScore=\"7\"/>"
                                    "</HighScore></Users>");
    reader.ParseText();
    reader.BeginChild("Users");
    RGHighScore table;
    table.AddScore(L"Old", "", 1);
    table.Deserialize(reader);
    EXPECT_EQ(Rows(table), (ScoreRows{{L"Ann", 5}, {L"Bob", 9}, {L"Ann", 7}}));
    table.AddScore(L"Ann", "d", 1);
    EXPECT_EQ(Rows(table), (ScoreRows{{L"Bob", 9}, {L"Ann", 7}, {L"Ann", 1}})) << "the first Ann row takes the new score";
}

} // namespace
