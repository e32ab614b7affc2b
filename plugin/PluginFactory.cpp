// The build's plug-in factory: the framework core creates every plug-in object through it.
// [main-thread]
#include "KrellZEF_Vantorel.h"

namespace Orvane {

Plugin* createPlugin()
{
    return new KrellZEF_Vantorel();
}

} // namespace Orvane
