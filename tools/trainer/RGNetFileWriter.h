#pragma once
// Writes a network as the game's "neuronet" file: element text only, numbers separated by a
// comma alone, printed with the 17 significant digits that give back every double exactly, line
// breaks only directly after a comma.

#include "game/gameplay/gestures/NeuroNet.h"

#include <ostream>
#include <string>

namespace Runegarden {

class RGNetFileWriter {
public:
    static void Write(const NeuroNet& network, std::ostream& out);
    // Writes through a temporary file renamed into place; false when it cannot, and then the
    // previous file is left as it was.
    static bool WriteFile(const NeuroNet& network, const std::string& path);
};

} // namespace Runegarden
