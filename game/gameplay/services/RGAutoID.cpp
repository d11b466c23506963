#include "game/gameplay/services/RGAutoID.h"

namespace Runegarden {

RGAutoID& RGAutoID::Global()
{
    static RGAutoID* counter = new RGAutoID; // never destroyed: objects may die late at exit
    return *counter;
}

} // namespace Runegarden
