// The tolerances of OPTIMIZEPOL: module-wide, kept from one run to the next while the module is loaded.
#pragma once

namespace kelvora::tools {

struct OptimizeTolerances {
    // Unit direction vectors closer than this are one direction (about three degrees).
    double direction = kDefaultDirection;
    // Points closer than this are one point (a millimetre for a drawing in metres).
    double distance = kDefaultDistance;

    static constexpr double kDefaultDirection = 0.05;
    static constexpr double kDefaultDistance = 0.001;
};

// The values of the loaded module; they start from the defaults at each load and are never saved.
OptimizeTolerances& optimizeTolerances();

}  // namespace kelvora::tools
