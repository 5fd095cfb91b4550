// AcGeScale2d: scale factors along X and Y.
#pragma once

#include "gegbl.h"

class AcGeMatrix2d;

class AcGeScale2d {
public:
    constexpr AcGeScale2d() = default;
    constexpr explicit AcGeScale2d(double factor) : sx(factor), sy(factor) {}
    constexpr AcGeScale2d(double xFact, double yFact) : sx(xFact), sy(yFact) {}

    static const AcGeScale2d kIdentity;

    AcGeScale2d operator*(const AcGeScale2d& sclVec) const;
    AcGeScale2d& operator*=(const AcGeScale2d& scl);
    AcGeScale2d operator*(double s) const;
    AcGeScale2d& operator*=(double s);
    friend AcGeScale2d operator*(double s, const AcGeScale2d& scl);
    // A zero factor stays zero: it has no inverse.
    AcGeScale2d inverse() const;
    AcGeScale2d& invert();
    Adesk::Boolean isProportional(const AcGeTol& tol = AcGeContext::gTol) const;
    bool operator==(const AcGeScale2d& sclVec) const;
    bool operator!=(const AcGeScale2d& sclVec) const;
    Adesk::Boolean isEqualTo(const AcGeScale2d& scaleVec, const AcGeTol& tol = AcGeContext::gTol) const;
    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    AcGeScale2d& set(double sc0, double sc1);
    operator AcGeMatrix2d() const;
    void getMatrix(AcGeMatrix2d& mat) const;
    AcGeScale2d& extractScale(const AcGeMatrix2d& mat);

    double sx = 1.0;
    double sy = 1.0;
};
