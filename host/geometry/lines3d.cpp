// AcGeLine3d, AcGeRay3d and AcGeLineSeg3d: the three kinds of 3D linear entity.
#include "geline3d.h"
#include "gelnsg3d.h"
#include "geray3d.h"

const AcGeLine3d AcGeLine3d::kXAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0));
const AcGeLine3d AcGeLine3d::kYAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0));
const AcGeLine3d AcGeLine3d::kZAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1));

AcGeLine3d::AcGeLine3d() : AcGeLinearEnt3d(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0)) {}
AcGeLine3d::AcGeLine3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : AcGeLinearEnt3d(pnt, vec) {}
AcGeLine3d::AcGeLine3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) : AcGeLinearEnt3d(pnt1, pnt2 - pnt1) {}
AcGe::EntityId AcGeLine3d::type() const { return AcGe::kLine3d; }
AcGeEntity3d* AcGeLine3d::copy() const { return new AcGeLine3d(*this); }

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec)
{
    m_point = pnt;
    m_vector = vec;
    return *this;
}

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) { return set(pnt1, pnt2 - pnt1); }
bool AcGeLine3d::boundedBelow() const { return false; }
bool AcGeLine3d::boundedAbove() const { return false; }

AcGeRay3d::AcGeRay3d() : AcGeLinearEnt3d(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0)) {}
AcGeRay3d::AcGeRay3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : AcGeLinearEnt3d(pnt, vec) {}
AcGeRay3d::AcGeRay3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) : AcGeLinearEnt3d(pnt1, pnt2 - pnt1) {}
AcGe::EntityId AcGeRay3d::type() const { return AcGe::kRay3d; }
AcGeEntity3d* AcGeRay3d::copy() const { return new AcGeRay3d(*this); }

AcGeRay3d& AcGeRay3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec)
{
    m_point = pnt;
    m_vector = vec;
    return *this;
}

AcGeRay3d& AcGeRay3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) { return set(pnt1, pnt2 - pnt1); }
bool AcGeRay3d::boundedBelow() const { return true; }
bool AcGeRay3d::boundedAbove() const { return false; }

AcGeLineSeg3d::AcGeLineSeg3d() : AcGeLinearEnt3d(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0)) {}
AcGeLineSeg3d::AcGeLineSeg3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) : AcGeLinearEnt3d(pnt1, pnt2 - pnt1) {}
AcGeLineSeg3d::AcGeLineSeg3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : AcGeLinearEnt3d(pnt, vec) {}
AcGe::EntityId AcGeLineSeg3d::type() const { return AcGe::kLineSeg3d; }
AcGeEntity3d* AcGeLineSeg3d::copy() const { return new AcGeLineSeg3d(*this); }

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2)
{
    return set(pnt1, pnt2 - pnt1);
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec)
{
    m_point = pnt;
    m_vector = vec;
    return *this;
}

void AcGeLineSeg3d::getBisector(AcGePlane& plane) const { plane.set(midPoint(), m_vector); }
AcGePoint3d AcGeLineSeg3d::baryComb(double blendCoeff) const { return m_point + m_vector * blendCoeff; }
AcGePoint3d AcGeLineSeg3d::startPoint() const { return m_point; }
AcGePoint3d AcGeLineSeg3d::midPoint() const { return m_point + m_vector * 0.5; }
AcGePoint3d AcGeLineSeg3d::endPoint() const { return m_point + m_vector; }
double AcGeLineSeg3d::length() const { return m_vector.length(); }
bool AcGeLineSeg3d::boundedBelow() const { return true; }
bool AcGeLineSeg3d::boundedAbove() const { return true; }
