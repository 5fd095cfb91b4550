// AcGeKnotVector: knot storage, multiplicities and knot spans.
#include "gekvec.h"

#include <algorithm>
#include <cmath>

AcGeKnotVector::AcGeKnotVector(int growSize) : mData(0, growSize) {}

AcGeKnotVector::AcGeKnotVector(int size, int growSize, double tolerance) : mData(size, growSize), mTolerance(tolerance)
{
    mData.setLogicalLength(std::max(size, 0));
}

AcGeKnotVector::AcGeKnotVector(int size, const double source[], double tolerance) { set(size, source, tolerance); }

AcGeKnotVector::AcGeKnotVector(int plusMult, const AcGeKnotVector& other) : mTolerance(other.mTolerance)
{
    AcGeDoubleArray knots;
    AcGeIntArray mults;
    other.getDistinctKnots(knots, &mults);
    for (int i = 0; i < knots.length(); ++i)
        for (int k = 0; k < mults[i] + plusMult; ++k)
            mData.append(knots[i]);
}

AcGeKnotVector::AcGeKnotVector(const AcGeDoubleArray& dblArray, double tolerance)
    : mData(dblArray), mTolerance(tolerance)
{
}

AcGeKnotVector& AcGeKnotVector::operator=(const AcGeDoubleArray& dblArray)
{
    mData = dblArray;
    return *this;
}

double& AcGeKnotVector::operator[](int i) { return mData[i]; }
double AcGeKnotVector::operator[](int i) const { return mData[i]; }

Adesk::Boolean AcGeKnotVector::isEqualTo(const AcGeKnotVector& other) const
{
    if (other.length() != length())
        return false;
    for (int i = 0; i < length(); ++i)
        if (std::fabs(mData[i] - other.mData[i]) > mTolerance)
            return false;
    return true;
}

double AcGeKnotVector::startParam() const { return isEmpty() ? 0.0 : mData.first(); }
double AcGeKnotVector::endParam() const { return isEmpty() ? 0.0 : mData.last(); }

int AcGeKnotVector::multiplicityAt(int i) const
{
    if (i < 0 || i >= length())
        return 0;
    return multiplicityAt(mData[i]);
}

int AcGeKnotVector::multiplicityAt(double param) const
{
    int count = 0;
    for (int i = 0; i < length(); ++i)
        if (std::fabs(mData[i] - param) <= mTolerance)
            ++count;
    return count;
}

int AcGeKnotVector::numIntervals() const
{
    AcGeDoubleArray knots;
    getDistinctKnots(knots);
    return std::max(knots.length() - 1, 0);
}

// The span [knot i, knot i+1) of positive length holding par, among the
// spans a curve of order ord evaluates over (i from ord - 1 to length - ord - 1).
int AcGeKnotVector::getInterval(int ord, double par, AcGeInterval& interval) const
{
    int lo = std::max(ord - 1, 0), hi = length() - ord - 1;
    if (hi < lo) {
        interval.set(startParam(), endParam());
        return -1;
    }
    int found = -1;
    for (int i = lo; i <= hi; ++i) {
        if (!(mData[i + 1] > mData[i]))
            continue;
        if (found < 0 || par >= mData[i])
            found = i;
        if (par < mData[i + 1])
            break;
    }
    if (found < 0)
        found = lo;
    interval.set(mData[found], mData[found + 1]);
    return found;
}

void AcGeKnotVector::getDistinctKnots(AcGeDoubleArray& knots, AcGeIntArray* multiplicity) const
{
    knots.setLogicalLength(0);
    if (multiplicity)
        multiplicity->setLogicalLength(0);
    for (int i = 0; i < length(); ++i) {
        if (!knots.isEmpty() && std::fabs(mData[i] - knots.last()) <= mTolerance) {
            if (multiplicity)
                ++multiplicity->last();
            continue;
        }
        knots.append(mData[i]);
        if (multiplicity)
            multiplicity->append(1);
    }
}

Adesk::Boolean AcGeKnotVector::contains(double param) const
{
    return !isEmpty() && param >= startParam() - mTolerance && param <= endParam() + mTolerance;
}

Adesk::Boolean AcGeKnotVector::isOn(double knot) const { return multiplicityAt(knot) > 0; }

// Reversed order, mirrored in the middle of the range, so the spacing reads backwards.
AcGeKnotVector& AcGeKnotVector::reverse()
{
    double sum = startParam() + endParam();
    mData.reverse();
    for (int i = 0; i < length(); ++i)
        mData[i] = sum - mData[i];
    return *this;
}

AcGeKnotVector& AcGeKnotVector::removeAt(int i)
{
    if (i >= 0 && i < length())
        mData.removeAt(i);
    return *this;
}

AcGeKnotVector& AcGeKnotVector::removeSubVector(int startIndex, int endIndex)
{
    startIndex = std::max(startIndex, 0);
    endIndex = std::min(endIndex, length() - 1);
    if (startIndex <= endIndex)
        mData.removeSubArray(startIndex, endIndex);
    return *this;
}

AcGeKnotVector& AcGeKnotVector::insertAt(int indx, double u, int multiplicity)
{
    indx = std::clamp(indx, 0, length());
    for (int k = 0; k < multiplicity; ++k)
        mData.insertAt(indx, u);
    return *this;
}

AcGeKnotVector& AcGeKnotVector::insert(double u)
{
    int at = 0;
    while (at < length() && mData[at] <= u)
        ++at;
    mData.insertAt(at, u);
    return *this;
}

int AcGeKnotVector::append(double knot) { return mData.append(knot); }

AcGeKnotVector& AcGeKnotVector::append(AcGeKnotVector& tail, double)
{
    if (tail.isEmpty())
        return *this;
    if (isEmpty()) {
        mData = tail.mData;
        return *this;
    }
    double shift = endParam() - tail.startParam();
    for (int i = 1; i < tail.length(); ++i)
        mData.append(tail.mData[i] + shift);
    return *this;
}

AcGeKnotVector& AcGeKnotVector::setRange(double lower, double upper)
{
    double a = startParam(), b = endParam();
    if (!(b > a))
        return *this;
    for (int i = 0; i < length(); ++i)
        mData[i] = lower + (mData[i] - a) * (upper - lower) / (b - a);
    return *this;
}

double AcGeKnotVector::tolerance() const { return mTolerance; }

AcGeKnotVector& AcGeKnotVector::setTolerance(double tol)
{
    mTolerance = std::fabs(tol);
    return *this;
}

int AcGeKnotVector::length() const { return mData.length(); }
Adesk::Boolean AcGeKnotVector::isEmpty() const { return mData.isEmpty(); }
int AcGeKnotVector::logicalLength() const { return mData.logicalLength(); }

AcGeKnotVector& AcGeKnotVector::setLogicalLength(int n)
{
    mData.setLogicalLength(n);
    return *this;
}

int AcGeKnotVector::physicalLength() const { return mData.physicalLength(); }

AcGeKnotVector& AcGeKnotVector::setPhysicalLength(int n)
{
    mData.setPhysicalLength(n);
    return *this;
}

int AcGeKnotVector::growLength() const { return mData.growLength(); }

AcGeKnotVector& AcGeKnotVector::setGrowLength(int n)
{
    mData.setGrowLength(n);
    return *this;
}

const double* AcGeKnotVector::getPtr() const { return mData.asArrayPtr(); }
const double* AcGeKnotVector::asArrayPtr() const { return mData.asArrayPtr(); }
double* AcGeKnotVector::asArrayPtr() { return mData.asArrayPtr(); }

AcGeKnotVector& AcGeKnotVector::set(int size, const double source[], double tolerance)
{
    mTolerance = tolerance;
    mData.setLogicalLength(0);
    for (int i = 0; i < size && source; ++i)
        mData.append(source[i]);
    return *this;
}
