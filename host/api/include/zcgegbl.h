// Tolerances and the global context of the host's geometry library.
#pragma once

#include "zcbase.h"

/// Equality tolerances: points within equalPoint, vectors within equalVector.
class ZCAD_PORT ZcGeTol {
public:
    ZcGeTol() = default;
    double equalPoint() const { return equalPoint_; }
    double equalVector() const { return equalVector_; }
    void setEqualPoint(double value) { equalPoint_ = value; }
    void setEqualVector(double value) { equalVector_ = value; }

private:
    double equalPoint_ = 1.0e-10;
    double equalVector_ = 1.0e-12;
};

/// The process-wide geometry settings.
struct ZCAD_PORT ZcGeContext {
    static ZcGeTol gTol;
};

namespace ZcGe {
constexpr double kPi = 3.14159265358979323846;
}
