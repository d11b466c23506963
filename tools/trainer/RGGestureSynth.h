#pragma once
// Synthetic mouse strokes of the five gestures and of scribbles, with the variations of a hand:
// size, position, aspect, slant, start point and direction, tremor and wobble, drawing speed,
// and the sampling rate of the cursor. Points are fractions of a window, as the play mode hands
// them to the painter.

#include "tools/trainer/RGRandom.h"

#include <cstdint>
#include <vector>

namespace Runegarden {

struct RGStrokePoint {
    float x, y;
};

class RGGestureSynth {
public:
    // Kinds 0 to 4 are the tool types (wall, bridge, wind right, wind left, teleport); a mouse
    // wall is a wall drawn as a mouse gives it, and trains and counts as a wall.
    static constexpr int kClassCount = 5;
    static constexpr int kScribble = 5;
    static constexpr int kMouseWall = 6;
    static constexpr int kKindCount = 7;

    explicit RGGestureSynth(uint64_t seed, double windowWidth = 1024.0, double windowHeight = 768.0);

    std::vector<RGStrokePoint> Make(int kind);

    static const char* KindName(int kind);
    // The tool type a kind stands for, or -1 for scribbles.
    static int ClassOf(int kind);

private:
    struct Vec {
        double x, y;
    };
    typedef std::vector<Vec> Path;

    // Dense paths in shape units, about one unit large, y downwards.
    Path Wall();
    Path Bridge();
    Path Chevron(bool pointsRight);
    Path Circle();
    Path Scribble();
    Path Letter();
    Path Polyline(const Path& corners, bool smooth, int perSegment);

    // Scales, slants, places and samples the path like a hand and a cursor would.
    std::vector<RGStrokePoint> Draw(Path path, int kind);
    std::vector<RGStrokePoint> MouseWall();
    // A cursor position in window pixels as the game reads it: a whole pixel inside the window.
    RGStrokePoint Cursor(double x, double y) const;

    RGRandom m_Random;
    double m_WindowWidth;
    double m_WindowHeight;
};

} // namespace Runegarden
