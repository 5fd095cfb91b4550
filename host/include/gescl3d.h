// AcGeScale3d: scale factors along X, Y and Z (block references, scaling transforms).
#pragma once

#include "gegbl.h"

class AcGeMatrix3d;

class AcGeScale3d {
public:
    constexpr AcGeScale3d() = default;
    constexpr explicit AcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    constexpr AcGeScale3d(double xFact, double yFact, double zFact) : sx(xFact), sy(yFact), sz(zFact) {}

    static const AcGeScale3d kIdentity;

    AcGeScale3d operator*(const AcGeScale3d& sclVec) const;
    AcGeScale3d& operator*=(const AcGeScale3d& scl);
    AcGeScale3d& preMultBy(const AcGeScale3d& left);
    AcGeScale3d& postMultBy(const AcGeScale3d& right);
    AcGeScale3d& setToProduct(const AcGeScale3d& sclVec1, const AcGeScale3d& sclVec2);
    AcGeScale3d operator*(double s) const;
    AcGeScale3d& operator*=(double s);
    AcGeScale3d& setToProduct(const AcGeScale3d& sclVec, double s);
    friend AcGeScale3d operator*(double s, const AcGeScale3d& scl);

    // A zero factor stays zero: it has no inverse.
    AcGeScale3d inverse() const;
    AcGeScale3d& invert();
    // The three factors equal within tol.equalVector().
    Adesk::Boolean isProportional(const AcGeTol& tol = AcGeContext::gTol) const;

    bool operator==(const AcGeScale3d& sclVec) const;
    bool operator!=(const AcGeScale3d& sclVec) const;
    Adesk::Boolean isEqualTo(const AcGeScale3d& scaleVec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    AcGeScale3d& set(double sc0, double sc1, double sc2);

    operator AcGeMatrix3d() const;
    void getMatrix(AcGeMatrix3d& mat) const;
    // The lengths of the matrix's three axes.
    AcGeScale3d& extractScale(const AcGeMatrix3d& mat);
    // As extractScale, and divides the matrix's axes by them.
    AcGeScale3d& removeScale(AcGeMatrix3d& mat);

    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;
};
