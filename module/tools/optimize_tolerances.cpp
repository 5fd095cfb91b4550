// The module-wide tolerances of OPTIMIZEPOL.
#include "tools/optimize_tolerances.h"

namespace kelvora::tools {

OptimizeTolerances& optimizeTolerances()
{
    static OptimizeTolerances tolerances;
    return tolerances;
}

}  // namespace kelvora::tools
