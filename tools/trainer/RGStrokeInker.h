#pragma once
// Inks a stroke through the game's own painter, on a headless render device, and reduces it
// with the recogniser's own code, so the network learns exactly what the game will show it.

#include "game/gameplay/gestures/Painter.h"
#include "tools/trainer/RGGestureSynth.h"

#include "platform/wintypes.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace SCore {
class SD3D9Viewport;
} // namespace SCore

namespace Runegarden {

class RGStrokeInker {
public:
    RGStrokeInker();
    ~RGStrokeInker();
    RGStrokeInker(const RGStrokeInker&) = delete;
    RGStrokeInker& operator=(const RGStrokeInker&) = delete;

    // The painted rows of the stroke, as the painter hands them to the recogniser.
    const RGStrokeGrid& Ink(const std::vector<RGStrokePoint>& points);
    // The recogniser's 400 cells of the stroke, or an empty vector when the recogniser refuses
    // the stroke before its network (fewer than two rows).
    std::vector<double> Cells(const std::vector<RGStrokePoint>& points);

private:
    HWND m_Window;
    boost::shared_ptr<SCore::SD3D9Viewport> m_Viewport;
    boost::shared_ptr<Painter> m_Painter;
};

} // namespace Runegarden
