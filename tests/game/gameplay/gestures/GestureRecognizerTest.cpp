#include "game/gameplay/gestures/GestureRecognizer.h"

#include "engine/core/base/TarnCoreException.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Runegarden::GestureRecognizer;
typedef std::vector<std::vector<unsigned char>> Rows;

Rows Blank(size_t height, size_t width) { return Rows(height, std::vector<unsigned char>(width, 0)); }

Rows Painted(Rows rows, size_t row, size_t column)
{
    rows[row][column] = 255;
    return rows;
}

// The cells of rows r0..r1 and columns c0..c1.
std::set<int> Cells(int r0, int r1, int c0, int c1)
{
    std::set<int> cells;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) cells.insert(r * 20 + c);
    return cells;
}

TEST(GestureRecognizerReduce, CellsSampleOverlappingSourceRowsInSinglePrecisionAndShortRowsReadAsUnpainted)
{
    // Only the first row gives the width; bytes a short row lacks count as 0.
    Rows ragged = Blank(20, 20), emptyFirst = Blank(5, 0);
    ragged[4].resize(3);
    ragged[4][2] = 255;
    ragged[5].clear();
    ragged[6].assign(30, 255);
    emptyFirst[2].assign(40, 255);
    std::set<int> raggedCells = Cells(6, 6, 0, 19);
    raggedCells.insert(4 * 20 + 2);
    const struct {
        const char* what;
        Rows rows;
        std::set<int> cells;
    } cases[] = {
        {"small grid: blocks of cells", Painted(Blank(10, 10), 3, 7), Cells(6, 7, 14, 15)},
        {"one column: every cell column samples it", Painted(Blank(2, 1), 1, 0), Cells(10, 19, 0, 19)},
        {"cellH 1.5: row 0 samples 0-1, row 1 samples 1-2", Painted(Blank(30, 20), 1, 5), Cells(0, 1, 5, 5)},
        {"the last cell stops at the last row", Painted(Blank(30, 20), 29, 5), Cells(19, 19, 5, 5)},
        {"15 x 4.2f falls just below 63, so cell 15 starts at row 62", Painted(Blank(84, 20), 62, 5),
         Cells(14, 15, 5, 5)},
        {"empty first row", emptyFirst, {}},
        {"short, empty and long rows", ragged, raggedCells},
    };
    for (const auto& c : cases) {
        const std::vector<double> inputs = GestureRecognizer::Reduce(c.rows);
        std::set<int> painted;
        for (size_t i = 0; i < inputs.size(); ++i)
            if (inputs[i] != 0.0) painted.insert(static_cast<int>(i));
        EXPECT_EQ(400u, inputs.size()) << c.what;
        EXPECT_EQ(c.cells, painted) << c.what;
    }
}

// 400 inputs, 5 outputs, zero weights: output 0 always wins by the output offsets.
boost::shared_ptr<NeuroNet> AlwaysWall()
{
    boost::shared_ptr<NeuroNet> net(new NeuroNet({400, 5}, 2.0, 1.0));
    net->Init({std::vector<double>(401 * 5, 0.0)}, std::vector<double>(800, 1.0),
              {1, 0.9, 1, -0.9, 1, -0.9, 1, -0.9, 1, -0.9});
    return net;
}

TEST(GestureRecognizer, FewerThanTwoRowsAreRefusedBeforeTheNetwork)
{
    GestureRecognizer recognizer(AlwaysWall());
    EXPECT_EQ(-1, recognizer.Recognize(Rows()));
    EXPECT_EQ(-1, recognizer.Recognize(Blank(1, 200)));
    EXPECT_EQ(0, recognizer.Recognize(Blank(2, 1)));
}

} // namespace
