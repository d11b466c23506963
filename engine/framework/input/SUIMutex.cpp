#include "engine/framework/input/SUIMutex.h"

namespace TarnEngine {
namespace UI {

CRITICAL_SECTION& SUIMutex::Section()
{
    // Never deleted: the input thread may still take it while the process exits.
    static CRITICAL_SECTION* section = [] {
        CRITICAL_SECTION* cs = new CRITICAL_SECTION;
        InitializeCriticalSection(cs);
        return cs;
    }();
    return *section;
}

} // namespace UI
} // namespace TarnEngine
