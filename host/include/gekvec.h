// AcGeKnotVector: the non-decreasing knot values of a spline, with the tolerance that tells two knots apart.
#pragma once

#include "gedblar.h"
#include "gegbl.h"
#include "geintarr.h"
#include "geintrvl.h"

class AcGeKnotVector {
public:
    AcGeKnotVector(int growSize = 8);
    // size knots, all zero.
    AcGeKnotVector(int size, int growSize, double tolerance = AcGeContext::gTol.equalPoint());
    AcGeKnotVector(int size, const double source[], double tolerance = AcGeContext::gTol.equalPoint());
    // Every distinct knot of other with its multiplicity raised by plusMult.
    AcGeKnotVector(int plusMult, const AcGeKnotVector& other);
    AcGeKnotVector(const AcGeKnotVector& src) = default;
    AcGeKnotVector(const AcGeDoubleArray& dblArray, double tolerance = AcGeContext::gTol.equalPoint());
    ~AcGeKnotVector() = default;

    AcGeKnotVector& operator=(const AcGeKnotVector& src) = default;
    AcGeKnotVector& operator=(const AcGeDoubleArray& dblArray);

    double& operator[](int i);
    double operator[](int i) const;

    // Same length and every knot within the tolerance.
    Adesk::Boolean isEqualTo(const AcGeKnotVector& other) const;

    double startParam() const;
    double endParam() const;
    // Number of knots equal (within the tolerance) to knot i, or to param.
    int multiplicityAt(int i) const;
    int multiplicityAt(double param) const;
    // Number of non-empty knot intervals.
    int numIntervals() const;
    // The knot interval of a spline of order ord that holds par; answers its index.
    int getInterval(int ord, double par, AcGeInterval& interval) const;
    void getDistinctKnots(AcGeDoubleArray& knots, AcGeIntArray* multiplicity = nullptr) const;
    Adesk::Boolean contains(double param) const;
    // True when knot is one of the knots.
    Adesk::Boolean isOn(double knot) const;

    AcGeKnotVector& reverse();
    AcGeKnotVector& removeAt(int i);
    AcGeKnotVector& removeSubVector(int startIndex, int endIndex);
    AcGeKnotVector& insertAt(int indx, double u, int multiplicity = 1);
    // Inserts u in order.
    AcGeKnotVector& insert(double u);
    int append(double knot);
    // Appends tail shifted to start where this vector ends (knotRatio unused: the
    // tail keeps its own spacing).
    AcGeKnotVector& append(AcGeKnotVector& tail, double knotRatio = 0.0);
    // Maps the knots linearly onto [lower, upper].
    AcGeKnotVector& setRange(double lower, double upper);

    double tolerance() const;
    AcGeKnotVector& setTolerance(double tol);

    int length() const;
    Adesk::Boolean isEmpty() const;
    int logicalLength() const;
    AcGeKnotVector& setLogicalLength(int n);
    int physicalLength() const;
    AcGeKnotVector& setPhysicalLength(int n);
    int growLength() const;
    AcGeKnotVector& setGrowLength(int n);
    const double* getPtr() const;
    const double* asArrayPtr() const;
    double* asArrayPtr();
    AcGeKnotVector& set(int size, const double source[], double tolerance = AcGeContext::gTol.equalPoint());

protected:
    AcGeDoubleArray mData;
    double mTolerance = AcGeContext::gTol.equalPoint();
};
