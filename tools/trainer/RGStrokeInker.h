#pragma once
// Inks a stroke the way the game does (the painter's rasterisation on a 256 x 256 canvas, the
// painted rectangle cut out as rows) and reduces it with the recogniser's own code.

#include "game/gameplay/RGStrokeRaster.h"
#include "tools/trainer/RGGestureSynth.h"

#include <vector>

namespace Runegarden {

class RGStrokeInker {
public:
    RGStrokeInker();

    // The painted rows of the stroke, as the painter hands them to the recogniser.
    const RGStrokeGrid& Ink(const std::vector<RGStrokePoint>& points);
    // The recogniser's 400 cells of the stroke, or an empty vector when the recogniser refuses
    // the stroke before its network (fewer than two rows).
    std::vector<double> Cells(const std::vector<RGStrokePoint>& points);

private:
    static const INT kPitch = RGStrokeRaster::kWidth * RGStrokeRaster::kBytesPerPixel;

    std::vector<BYTE> m_Canvas;
    RGStrokeRaster m_Raster;
    RGStrokeGrid m_Rows;
};

} // namespace Runegarden
