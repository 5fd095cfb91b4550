// AcGeTol: the point and vector tolerances every AcGe comparison takes.
#pragma once

class AcGeTol {
public:
    constexpr AcGeTol() = default;

    constexpr double equalPoint() const { return m_equalPoint; }
    constexpr double equalVector() const { return m_equalVector; }
    void setEqualPoint(double val) { m_equalPoint = val; }
    void setEqualVector(double val) { m_equalVector = val; }

private:
    // The commercial host's defaults: both 1e-10.
    double m_equalPoint = 1e-10;
    double m_equalVector = 1e-10;
};
