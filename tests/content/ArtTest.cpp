// What the pictures must show where the game puts them: animation cells without marks of their
// own, dialogs that hide what lies under them, the settings picture that names its track bars.
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace content;

namespace {

struct Sheet {
    std::string texture;
    int across, down;
    double x, y, w, h; // the part of the texture the grid divides
};

struct Rgba {
    int r, g, b, a;
};

Rgba At(const platform::image::Picture& p, int x, int y)
{
    const uint8_t* t = &p.bgra[(std::size_t(y) * p.width + std::size_t(x)) * 4];
    return {t[2], t[1], t[0], t[3]};
}

bool Differs(const Rgba& a, const Rgba& b, int by)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) + std::abs(a.a - b.a) > by;
}

// The frame-animated sheets: those the object definitions name and those the game's code cuts.
std::vector<Sheet> AnimatedSheets()
{
    std::vector<Sheet> sheets = {{"BOLVANLU", 4, 4, 0, 0.01, 1, 0.740234375},
                                 {"BOLVANLD", 4, 4, 0, 0, 1, 0.859375},
                                 {"ANGEL", 4, 1, 0, 0, 1, 0.75}};
    for (const auto& d : Definitions())
        for (const auto& a : Descendants(d.second, "Animation")) {
            if (Attr(a, "Type") != "FRAME")
                continue;
            const Node indent = Child(a, "Indent");
            sheets.push_back({Attr(a, "TextureName"), int(NumAttr(a, "FrameHorizontal")), int(NumAttr(a, "FrameVertical")),
                              NumAttr(indent, "X"), NumAttr(indent, "Y"), NumAttr(indent, "Width"),
                              NumAttr(indent, "Height")});
        }
    return sheets;
}

} // namespace

TEST(ContentArt, AnimationCellsAgreeInTheCornerWhereAFrameNumberWouldStand)
{
    const auto sheets = AnimatedSheets();
    EXPECT_GE(sheets.size(), 8u);
    for (const Sheet& s : sheets) {
        SCOPED_TRACE(s.texture);
        const platform::image::Picture p = Texels(TextureList()[s.texture]);
        ASSERT_FALSE(p.bgra.empty());
        const double cw = s.w / s.across, ch = s.h / s.down;
        int differing = 0;
        for (int cell = 1; cell < s.across * s.down; ++cell) {
            const int x0 = int((s.x + cell % s.across * cw) * p.width), y0 = int((s.y + cell / s.across * ch) * p.height);
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 14; ++x)
                    differing += Differs(At(p, x0 + x, y0 + y), At(p, int(s.x * p.width) + x, int(s.y * p.height) + y), 0);
        }
        EXPECT_EQ(0, differing);
    }
}

TEST(ContentArt, DialogPicturesAreOpaqueInsideTheirRoundedFrame)
{
    // Each fills 556 x 477 texels (the forms' texture coordinates) with corners of radius 18.
    for (const char* name : {"AREYOUSURE", "SETTINGS", "WHOAREYOU", "NEWUSER"}) {
        const platform::image::Picture p = Texels(TextureList()[name]);
        ASSERT_FALSE(p.bgra.empty()) << name;
        int seeThrough = 0;
        for (int y = 18; y < 477 - 18; ++y)
            for (int x = 18; x < 556 - 18; ++x)
                seeThrough += At(p, x, y).a != 255;
        EXPECT_EQ(0, seeThrough) << name;
    }
}

TEST(ContentArt, SettingsPictureLabelsAndTracksBothVolumeBars)
{
    // The form is 558 x 480 px of a 1024 x 768 window and shows 556 x 477 texels; the track bars
    // are 0.334 x 0.08333 at x 0.12246094 and y 0.18510418 (music) and 0.35010415 (sound).
    const platform::image::Picture p = Texels(TextureList()["SETTINGS"]);
    ASSERT_FALSE(p.bgra.empty());
    const double sx = 1024 * 556 / 558.0, sy = 768 * 477 / 480.0;
    for (double barY : {0.18510418, 0.35010415}) {
        SCOPED_TRACE(barY);
        const int x0 = int(0.12246094 * sx), x1 = int((0.12246094 + 0.334) * sx);
        const int y0 = int(barY * sy), mid = int((barY + 0.08333 / 2) * sy);
        const Rgba fill = At(p, x1 + 30, mid);
        int track = 0;
        for (int x = x0 + (x1 - x0) / 10; x < x1 - (x1 - x0) / 10; ++x)
            track += Differs(At(p, x, mid), fill, 60);
        EXPECT_EQ(x1 - x0 - 2 * ((x1 - x0) / 10), track) << "no track along the bar";
        int ink = 0;
        for (int y = y0 - 44; y < y0; ++y)
            for (int x = x0; x < x1; ++x)
                ink += Differs(At(p, x, y), fill, 150);
        EXPECT_GT(ink, 300) << "no label over the bar";
    }
}

TEST(ContentArt, SecondFinalPictureIsLetterboxedWhereTheFinalCutDrawsIt)
{
    // The final cut draws it 0.99 x 0.99 of a 768-row window, texture rows 0-767, with its top
    // moved down to y 0.08658854: the band above it stays black, so the picture ends as far above
    // the window's bottom and is black from there on, instead of losing its ground off-screen.
    const platform::image::Picture p = Texels(TextureList()["FINALCUT2"]);
    ASSERT_FALSE(p.bgra.empty());
    const double band = 0.08658854 * 768, pxPerRow = 0.99 * 768 / 768;
    const int pictureEnd = int((768 - 2 * band) / pxPerRow);
    const int width = int(p.width);
    int wrongRows = 0;
    for (int y = 0; y < 768; ++y) {
        if (std::abs(y - pictureEnd) <= 2)
            continue;
        int dark = 0;
        for (int x = 0; x < width; ++x) {
            const Rgba c = At(p, x, y);
            dark += c.a == 0 || c.r + c.g + c.b < 30;
        }
        wrongRows += (dark == width) != (y >= pictureEnd);
    }
    EXPECT_EQ(0, wrongRows);
}

TEST(ContentArt, FontHyphenIsABarNotADot)
{
    // Labels show a 32 x 32 cell at about 20 px: a hyphen no wider than tall reads as "1.1".
    const platform::image::Picture p = Texels(TextureList()["FONT"]);
    ASSERT_FALSE(p.bgra.empty());
    const int x0 = '-' % 16 * 32, y0 = '-' / 16 * 32;
    int left = 32, right = -1, top = 32, bottom = -1;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const Rgba c = At(p, x0 + x, y0 + y);
            if (c.a > 200 && c.r > 200 && c.g > 200 && c.b > 200) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    ASSERT_GE(right, left) << "no ink";
    EXPECT_GE(right - left + 1, 3 * (bottom - top + 1));
}

TEST(ContentArt, CreditsNeverScrollOverTheFinalPicturesTitle)
{
    // The credits (512 px wide at x 256) rise to y 128 and leave over the top of the picture,
    // which is drawn 0.99 wide: the sky above the walkers in that column carries no lettering.
    const platform::image::Picture p = Texels(TextureList()["FINALCUT"]);
    ASSERT_FALSE(p.bgra.empty());
    int white = 0;
    for (int y = 0; y < 380; ++y)
        for (int x = int(256 / 0.99); x <= int(768 / 0.99); ++x) {
            const Rgba c = At(p, x, y);
            white += c.a == 255 && c.r > 230 && c.g > 230 && c.b > 230;
        }
    EXPECT_EQ(0, white);
}

TEST(ContentArt, FinalPicturesKeepTheCreditsColumnClearAndTheWalkersBesideIt)
{
    // The credits (512 px wide at x 256) rise over the whole height of the picture the final cut
    // shows then, either one (a second showing starts on the second), drawn 0.99 wide. In that
    // column every row is sky or ground of one colour; the walkers stand to its right, under the
    // title's rows.
    const int x0 = int(256 / 0.99) + 1, x1 = int(768 / 0.99), titleEnd = 330, frame = 12;
    for (const char* name : {"FINALCUT", "FINALCUT2"}) {
        SCOPED_TRACE(name);
        const platform::image::Picture p = Texels(TextureList()[name]);
        ASSERT_FALSE(p.bgra.empty());
        int mixedRows = 0, walkers = 0;
        for (int y = frame; y < 768; ++y) {
            const Rgba plain = At(p, x0, y);
            bool mixed = false;
            for (int x = x0; x <= x1; ++x)
                mixed = mixed || Differs(At(p, x, y), plain, 24);
            mixedRows += mixed;
            if (mixed || y < titleEnd)
                continue;
            for (int x = x1 + 1; x < int(p.width) - frame; ++x)
                walkers += Differs(At(p, x, y), plain, 120);
        }
        EXPECT_EQ(0, mixedRows) << "something stands where the credits pass";
        EXPECT_GT(walkers, 3 * 3000) << "no walkers beside the credits";
    }
}

TEST(ContentArt, ScoreCountWalkersStandOnTheirBars)
{
    // The score count puts each walker's box at a fixed top above its bar: (walker, box top, bar top).
    const struct {
        const char* name;
        double top, bar;
    } walkers[] = {{"Balychahl", 0.076, 0.196}, {"Chumbachukchul", 0.293, 0.447}, {"SnuPulnel", 0.541, 0.695}};
    const auto definitions = Definitions();
    for (const auto& w : walkers) {
        SCOPED_TRACE(w.name);
        const Node definition = definitions.at(w.name);
        const double height = 2 * NumAttr(Descendants(definition, "HalfSize").front(), "Y");
        EXPECT_NEAR(w.bar - w.top, height, 1 / 768.0) << "the box ends off the bar";
        // The feet end the walk cells' ink, at the cells' bottom.
        for (const auto& a : Descendants(definition, "Animation")) {
            const platform::image::Picture p = Texels(TextureList()[Attr(a, "TextureName")]);
            ASSERT_FALSE(p.bgra.empty());
            const int cellBottom = int(NumAttr(Child(a, "Indent"), "Height") * p.height);
            int lowest = -1;
            for (int y = 0; y < cellBottom; ++y)
                for (int x = 0; x < int(p.width); ++x)
                    if (At(p, x, y).a > 128)
                        lowest = y;
            EXPECT_GE(lowest, cellBottom - 4);
        }
    }
}
