// AcGeInterval: a parameter range of a curve, bounded or not on either side.
#pragma once

#include "gegbl.h"

// The default tolerance, 1e-12, is the host API's: parameters are compared
// far more finely than points.
class AcGeInterval {
public:
    AcGeInterval(double tol = 1.e-12);
    AcGeInterval(double lower, double upper, double tol = 1.e-12);
    // boundedBelow true: bound is the lower bound and the interval is open above.
    AcGeInterval(Adesk::Boolean boundedBelow, double bound, double tol = 1.e-12);

    double lowerBound() const;
    double upperBound() const;
    double element() const;
    void getBounds(double& lower, double& upper) const;
    double length() const;
    double tolerance() const;

    AcGeInterval& set(double lower, double upper);
    AcGeInterval& set(Adesk::Boolean boundedBelow, double bound);
    AcGeInterval& set();
    AcGeInterval& setUpper(double upper);
    AcGeInterval& setLower(double lower);
    AcGeInterval& setTolerance(double tol);

    Adesk::Boolean isBounded() const;
    Adesk::Boolean isBoundedAbove() const;
    Adesk::Boolean isBoundedBelow() const;
    Adesk::Boolean isUnBounded() const;
    Adesk::Boolean isSingleton() const;
    Adesk::Boolean contains(double val) const;
    Adesk::Boolean isEqualAtUpper(double value) const;
    Adesk::Boolean isEqualAtLower(double value) const;

    Adesk::Boolean operator==(const AcGeInterval& other) const;
    Adesk::Boolean operator!=(const AcGeInterval& other) const;

private:
    double m_lower = 0.0;
    double m_upper = 0.0;
    double m_tol = 1.e-12;
    bool m_boundedBelow = false;
    bool m_boundedAbove = false;
};
