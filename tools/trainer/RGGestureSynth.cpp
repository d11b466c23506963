#include "tools/trainer/RGGestureSynth.h"

#include <algorithm>
#include <cmath>

namespace Runegarden {

namespace {

const double kPi = 3.14159265358979323846;

} // namespace

RGGestureSynth::RGGestureSynth(uint64_t seed, double windowWidth, double windowHeight)
    : m_Random(seed), m_WindowWidth(windowWidth), m_WindowHeight(windowHeight)
{
}

const char* RGGestureSynth::KindName(int kind)
{
    static const char* const names[] = {"wall", "bridge", "wind right", "wind left", "teleport",
                                        "scribble", "wall drawn with a mouse"};
    return kind >= 0 && kind < kKindCount ? names[kind] : "?";
}

int RGGestureSynth::ClassOf(int kind)
{
    return kind == kMouseWall ? 0 : kind < kClassCount ? kind : -1;
}

std::vector<RGStrokePoint> RGGestureSynth::Make(int kind)
{
    switch (kind) {
    case 0: return Draw(Wall(), kind);
    case 1: return Draw(Bridge(), kind);
    case 2: return Draw(Chevron(true), kind);
    case 3: return Draw(Chevron(false), kind);
    case 4: return Draw(Circle(), kind);
    case kMouseWall: return MouseWall();
    default: return Draw(Scribble(), kind);
    }
}

RGGestureSynth::Path RGGestureSynth::Wall()
{
    // A straight line drawn downwards, slanted either way, sometimes slightly bowed.
    const double angle = m_Random.Chance(0.1) ? m_Random.Uniform(-0.03, 0.03)
                                              : m_Random.Uniform(-0.7, 0.7);
    const double bow = m_Random.Uniform(-0.03, 0.03);
    Path path;
    for (int i = 0; i <= 100; ++i) {
        const double u = i / 100.0;
        const double along = u - 0.5;
        const double side = bow * std::sin(kPi * u);
        path.push_back({along * std::sin(angle) + side * std::cos(angle),
                        along * std::cos(angle) - side * std::sin(angle)});
    }
    if (m_Random.Chance(0.15)) std::reverse(path.begin(), path.end());
    return path;
}

RGGestureSynth::Path RGGestureSynth::Bridge()
{
    // An arch: from round to flat-topped or pointed, sometimes with legs, over- or under-drawn.
    const double width = 1.0;
    const double height = m_Random.Uniform(0.4, 1.0);
    const double power = m_Random.Uniform(0.5, 1.6);
    const double startOver = m_Random.Uniform(-0.1, 0.2);
    const double endOver = m_Random.Uniform(-0.1, 0.2);
    const double legs = m_Random.Chance(0.3) ? m_Random.Uniform(0.0, 0.35) : 0.0;
    Path path;
    for (int i = 0; i <= 30 && legs > 0; ++i)
        path.push_back({-width / 2, legs * height * (1.0 - i / 30.0)});
    for (int i = 0; i <= 120; ++i) {
        const double a = kPi + startOver - (kPi + startOver + endOver) * i / 120.0;
        const double c = std::cos(a), s = std::sin(a);
        const double lift = s >= 0 ? std::pow(s, power) : -std::pow(-s, power);
        path.push_back({width / 2 * c, -height * lift});
    }
    for (int i = 1; i <= 30 && legs > 0; ++i) path.push_back({width / 2 * std::cos(-endOver), legs * height * i / 30.0});
    if (m_Random.Chance(0.3)) std::reverse(path.begin(), path.end());
    return path;
}

RGGestureSynth::Path RGGestureSynth::Chevron(bool pointsRight)
{
    // Two arms meeting at a tip that points sideways; the arms may differ, the tip may be round.
    const double width = m_Random.Uniform(0.4, 1.1);
    const double tipY = m_Random.Uniform(-0.12, 0.12);
    const double dir = pointsRight ? 1.0 : -1.0;
    const Vec top = {-dir * width / 2 + m_Random.Uniform(-0.12, 0.12) * width, -0.5};
    const Vec tip = {dir * width / 2, tipY};
    const Vec bottom = {-dir * width / 2 + m_Random.Uniform(-0.12, 0.12) * width, 0.5};
    Path path = Polyline({top, tip, bottom}, m_Random.Chance(0.4), 60);
    if (m_Random.Chance(0.3)) std::reverse(path.begin(), path.end());
    return path;
}

RGGestureSynth::Path RGGestureSynth::Circle()
{
    // A loop from any start angle either way round, closed with a small gap or overlap.
    const double start = m_Random.Uniform(0.0, 2.0 * kPi);
    const double sweep = 2.0 * kPi * (1.0 + m_Random.Uniform(-0.08, 0.15));
    const double dir = m_Random.Chance(0.5) ? 1.0 : -1.0;
    const double aspect = m_Random.Uniform(0.75, 1.3);
    const double drift = m_Random.Uniform(-0.08, 0.08);   // the loop need not end where it began
    Path path;
    for (int i = 0; i <= 160; ++i) {
        const double u = i / 160.0;
        const double a = start + dir * sweep * u;
        const double r = 0.5 * (1.0 + drift * u);
        path.push_back({r * aspect * std::cos(a), r * std::sin(a)});
    }
    return path;
}

RGGestureSynth::Path RGGestureSynth::Scribble()
{
    // What players draw that is no spell. Shapes the reduced grid cannot tell from a gesture are
    // left out: straight lines either way (any line fills its own box), "O", "C", "<", ">", "n",
    // and zigzags and waves drawn downwards (the grid stretches a narrow one to its full width,
    // where it is a wall drawn with a wobbling hand).
    Path corners;
    switch (m_Random.Index(12)) {
    case 0: {   // a scrawl: wandering corners, sharp or smooth
        const int n = 4 + m_Random.Index(9);
        for (int i = 0; i < n; ++i) corners.push_back({m_Random.Uniform(-0.5, 0.5), m_Random.Uniform(-0.5, 0.5)});
        return Polyline(corners, m_Random.Chance(0.5), 40);
    }
    case 1: {   // zigzag across
        const int n = 4 + m_Random.Index(6);
        for (int i = 0; i < n; ++i) {
            const double along = -0.5 + static_cast<double>(i) / (n - 1) + m_Random.Uniform(-0.05, 0.05);
            corners.push_back({along, (i % 2 ? 0.5 : -0.5) * m_Random.Uniform(0.5, 1.0)});
        }
        return Polyline(corners, m_Random.Chance(0.3), 40);
    }
    case 2: {   // squiggle: a wave of changing height, across
        Path path;
        const double periods = m_Random.Uniform(1.3, 4.0);
        const double grow = m_Random.Uniform(-0.6, 0.6);
        for (int i = 0; i <= 240; ++i) {
            const double u = i / 240.0;
            path.push_back({u - 0.5, 0.5 * (1.0 + grow * (u - 0.5)) * std::sin(2.0 * kPi * periods * u)});
        }
        return path;
    }
    case 3: {   // a row of loops, as cursive "e"s or "l"s
        Path path;
        const double loops = 2 + m_Random.Index(4);
        const double r = m_Random.Uniform(0.6, 1.6) / loops;
        const bool across = m_Random.Chance(0.7);
        for (int i = 0; i <= 300; ++i) {
            const double a = 2.0 * kPi * loops * i / 300.0;
            const Vec p = {a / (2.0 * kPi * loops) - r * std::sin(a), -r * std::cos(a) * 1.5};
            path.push_back(across ? p : Vec{p.y, p.x});
        }
        return path;
    }
    case 4: {   // spiral, in or out
        Path path;
        const double turns = m_Random.Uniform(1.6, 3.5);
        const double dir = m_Random.Chance(0.5) ? 1.0 : -1.0;
        const double start = m_Random.Uniform(0.0, 2.0 * kPi);
        for (int i = 0; i <= 300; ++i) {
            const double u = i / 300.0;
            const double a = start + dir * 2.0 * kPi * turns * u;
            path.push_back({0.5 * (0.05 + u) * std::cos(a), 0.5 * (0.05 + u) * std::sin(a)});
        }
        if (m_Random.Chance(0.5)) std::reverse(path.begin(), path.end());
        return path;
    }
    case 5: {   // figure of eight, upright or lying
        Path path;
        const bool upright = m_Random.Chance(0.5);
        const double start = m_Random.Uniform(0.0, 2.0 * kPi);
        const double waist = m_Random.Uniform(0.6, 1.4);
        for (int i = 0; i <= 240; ++i) {
            const double a = start + 2.0 * kPi * i / 240.0;
            const Vec p = {waist * 0.25 * std::sin(2.0 * a), 0.5 * std::sin(a)};
            path.push_back(upright ? p : Vec{p.y, p.x});
        }
        return path;
    }
    case 6: {   // a cup, the arch upside down, sometimes with its rim drawn on
        Path path;
        const double height = m_Random.Uniform(0.3, 1.0);
        const double power = m_Random.Uniform(0.5, 1.6);
        const double over = m_Random.Uniform(-0.1, 0.3);
        for (int i = 0; i <= 120; ++i) {
            const double a = kPi + over - (kPi + 2 * over) * i / 120.0;
            const double s = std::sin(a);
            path.push_back({0.5 * std::cos(a), height * (s >= 0 ? std::pow(s, power) : -std::pow(-s, power))});
        }
        if (m_Random.Chance(0.5)) std::reverse(path.begin(), path.end());
        return path;
    }
    case 7: {   // a tick: a short stroke down, a long one up the other way
        const double shortArm = m_Random.Uniform(0.25, 0.6);
        const double dir = m_Random.Chance(0.8) ? 1.0 : -1.0;
        corners = {{-dir * shortArm * 0.5, 0.5 - shortArm * 0.8}, {0.0, 0.5}, {dir * 0.5, -0.5}};
        Path path = Polyline(corners, m_Random.Chance(0.4), 50);
        if (m_Random.Chance(0.2)) std::reverse(path.begin(), path.end());
        return path;
    }
    default:    // a letter or figure written in one stroke
        return Letter();
    }
}

RGGestureSynth::Path RGGestureSynth::Letter()
{
    // Corners in a unit box, y downwards.
    static const std::vector<std::vector<Vec>> letters = {
        {{-0.5, -0.5}, {0.5, -0.5}, {-0.5, 0.5}, {0.5, 0.5}},                           // Z
        {{-0.5, 0.5}, {-0.5, -0.5}, {0.5, 0.5}, {0.5, -0.5}},                           // N
        {{-0.5, 0.5}, {-0.4, -0.5}, {0.0, 0.2}, {0.4, -0.5}, {0.5, 0.5}},               // M
        {{-0.5, -0.5}, {-0.25, 0.5}, {0.0, -0.2}, {0.25, 0.5}, {0.5, -0.5}},            // W
        {{-0.5, -0.5}, {-0.5, 0.5}, {0.5, 0.5}},                                        // L
        {{-0.5, -0.5}, {0.5, -0.5}, {-0.1, 0.5}},                                       // 7
        {{-0.5, -0.3}, {0.0, -0.5}, {0.45, -0.25}, {-0.5, 0.5}, {0.5, 0.5}},            // 2
        {{-0.5, -0.4}, {0.3, -0.5}, {0.4, -0.2}, {-0.1, 0.0}, {0.5, 0.2}, {0.2, 0.5}, {-0.5, 0.4}},   // 3
        {{0.5, -0.4}, {-0.1, -0.5}, {-0.5, -0.2}, {0.5, 0.2}, {0.1, 0.5}, {-0.5, 0.4}},  // S
        {{-0.5, 0.0}, {0.5, 0.0}, {0.3, -0.5}, {-0.4, -0.3}, {-0.4, 0.4}, {0.5, 0.4}},   // e
        {{-0.2, -0.5}, {-0.5, 0.5}, {0.5, 0.5}, {0.0, -0.2}},                           // a triangle
        {{0.5, -0.5}, {-0.5, -0.5}, {-0.5, 0.0}, {0.5, 0.0}, {0.5, 0.5}, {-0.5, 0.5}},   // 5 / square S
    };
    const std::vector<Vec>& shape = letters[m_Random.Index(static_cast<int>(letters.size()))];
    Path corners;
    for (const Vec& c : shape)
        corners.push_back({c.x + m_Random.Uniform(-0.07, 0.07), c.y + m_Random.Uniform(-0.07, 0.07)});
    Path path = Polyline(corners, m_Random.Chance(0.5), 40);
    if (m_Random.Chance(0.2)) std::reverse(path.begin(), path.end());
    return path;
}

RGGestureSynth::Path RGGestureSynth::Polyline(const Path& corners, bool smooth, int perSegment)
{
    Path path;
    for (size_t s = 0; s + 1 < corners.size(); ++s) {
        const Vec p0 = corners[s > 0 ? s - 1 : s];
        const Vec p1 = corners[s];
        const Vec p2 = corners[s + 1];
        const Vec p3 = corners[s + 2 < corners.size() ? s + 2 : s + 1];
        for (int i = (s == 0 ? 0 : 1); i <= perSegment; ++i) {
            const double t = static_cast<double>(i) / perSegment;
            if (!smooth) {
                path.push_back({p1.x + (p2.x - p1.x) * t, p1.y + (p2.y - p1.y) * t});
                continue;
            }
            // Catmull-Rom through the corners.
            const double t2 = t * t, t3 = t2 * t;
            const auto cr = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
            };
            path.push_back({cr(p0.x, p1.x, p2.x, p3.x), cr(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    return path;
}

std::vector<RGStrokePoint> RGGestureSynth::Draw(Path path, int kind)
{
    // Slant and a small turn of the whole shape.
    const double shear = m_Random.Uniform(-0.2, 0.2);
    const double turn = m_Random.Uniform(-0.12, 0.12);
    const double stretch = std::exp(m_Random.Uniform(-0.15, 0.15));
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (Vec& p : path) {
        const double x = (p.x + shear * p.y) * stretch;
        const double y = p.y / stretch;
        p = {x * std::cos(turn) - y * std::sin(turn), x * std::sin(turn) + y * std::cos(turn)};
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // Size: the larger extent is 5 to 60 % of the window's height, placed anywhere inside.
    const double size = m_WindowHeight * m_Random.Uniform(0.05, 0.6);
    const double scale = size / std::max(1e-9, std::max(maxX - minX, maxY - minY));
    const double w = (maxX - minX) * scale, h = (maxY - minY) * scale;
    const double left = m_Random.Uniform(2.0, std::max(2.0, m_WindowWidth - w - 2.0));
    const double top = m_Random.Uniform(2.0, std::max(2.0, m_WindowHeight - h - 2.0));

    // Wobble: slow sideways drift of the hand along the stroke; tremor: per-sample noise.
    const double wobble = m_Random.Uniform(0.0, 0.02) * size;
    const double wobbleFreqX = m_Random.Uniform(0.5, 2.5), wobbleFreqY = m_Random.Uniform(0.5, 2.5);
    const double phaseX = m_Random.Uniform(0, 2 * kPi), phaseY = m_Random.Uniform(0, 2 * kPi);
    const double tremor = m_Random.Uniform(0.0, 0.004) * size + m_Random.Uniform(0.0, 1.0);

    // Timing: the stroke takes `duration` seconds, slower at its ends, and the cursor is read
    // `rate` times a second, so only those instants reach the painter.
    std::vector<double> length(path.size(), 0.0);
    for (size_t i = 1; i < path.size(); ++i)
        length[i] = length[i - 1] + std::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y);
    const double total = std::max(1e-9, length.back());
    const double duration = m_Random.Uniform(0.35, 1.1) * (kind == 0 ? 0.7 : kind == 4 ? 1.3 : 1.0);
    const double rate = m_Random.Uniform(15.0, 60.0);
    const double ease = m_Random.Uniform(0.0, 0.8);
    const int samples = std::max(4, static_cast<int>(duration * rate) + 1);
    const double step = std::min(1.0 / rate, 1.0 / (samples - 1) * duration) / duration;

    std::vector<RGStrokePoint> points;
    size_t segment = 1;
    for (int k = 0; k < samples; ++k) {
        const double s = std::min(1.0, k * step);
        const double progress = s - ease * std::sin(2 * kPi * s) / (2 * kPi);
        const double at = progress * total;
        while (segment + 1 < path.size() && length[segment] < at) ++segment;
        const double span = length[segment] - length[segment - 1];
        const double t = span > 0 ? std::max(0.0, std::min(1.0, (at - length[segment - 1]) / span)) : 0.0;
        const Vec& a = path[segment - 1];
        const Vec& b = path[segment];
        double x = left + (a.x + (b.x - a.x) * t - minX) * scale;
        double y = top + (a.y + (b.y - a.y) * t - minY) * scale;
        x += wobble * std::sin(2 * kPi * wobbleFreqX * s + phaseX) + tremor * m_Random.Gaussian();
        y += wobble * std::sin(2 * kPi * wobbleFreqY * s + phaseY) + tremor * m_Random.Gaussian();
        points.push_back(Cursor(x, y));
    }
    return points;
}

std::vector<RGStrokePoint> RGGestureSynth::MouseWall()
{
    // A line 10 to 45 % of the window long, slanted up to 20 degrees either way, mostly drawn
    // downwards. The game reads the cursor about 20 times a second and the painter joins the
    // readings with straight lines; at every reading the hand is off by a few pixels. On a
    // nearly upright wall that shake is most of the stroke's width, which the reduction
    // stretches across the whole grid.
    const double length = m_WindowHeight * m_Random.Uniform(0.1, 0.45);
    const double slant = m_Random.Uniform(-0.35, 0.35);
    const double dx = length * std::sin(slant), dy = length * std::cos(slant);
    const double bow = length * m_Random.Uniform(-0.02, 0.02);
    const double shake = m_Random.Uniform(0.3, 5.5);
    const double duration = m_Random.Uniform(0.2, 1.2);
    const double rate = m_Random.Uniform(16.0, 25.0);
    const double phase = m_Random.Uniform(0.0, 1.0 / rate);
    const double ease = m_Random.Uniform(0.0, 0.8);
    const bool upwards = m_Random.Chance(0.15);
    const double margin = 8.0;
    const double x0 = m_Random.Uniform(margin + std::max(0.0, -dx), m_WindowWidth - margin - std::max(0.0, dx));
    const double y0 = m_Random.Uniform(margin, m_WindowHeight - margin - dy);

    // The press is read at once, then the cursor every 1 / rate seconds.
    std::vector<double> times = {0.0};
    for (double t = phase; t <= duration; t += 1.0 / rate) times.push_back(t);
    std::vector<RGStrokePoint> points;
    for (double t : times) {
        const double s = t / duration;
        const double progress = s - ease * std::sin(2 * kPi * s) / (2 * kPi);
        const double u = upwards ? 1.0 - progress : progress;
        const double side = bow * std::sin(kPi * u);
        points.push_back(Cursor(x0 + dx * u + side * std::cos(slant) + shake * m_Random.Gaussian(),
                                y0 + dy * u - side * std::sin(slant) + shake * m_Random.Gaussian()));
    }
    return points;
}

RGStrokePoint RGGestureSynth::Cursor(double x, double y) const
{
    // The hand's noise may leave the window near its edge, where the cursor stops.
    x = std::max(0.0, std::min(m_WindowWidth - 1.0, std::floor(x + 0.5)));
    y = std::max(0.0, std::min(m_WindowHeight - 1.0, std::floor(y + 0.5)));
    return {static_cast<float>(x / m_WindowWidth), static_cast<float>(y / m_WindowHeight)};
}

} // namespace Runegarden
