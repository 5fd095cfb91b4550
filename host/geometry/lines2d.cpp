// AcGeLine2d, AcGeRay2d and AcGeLineSeg2d: the three kinds of 2D linear entity.
#include "geline2d.h"
#include "gelnsg2d.h"
#include "geray2d.h"

const AcGeLine2d AcGeLine2d::kXAxis(AcGePoint2d(0, 0), AcGeVector2d(1, 0));
const AcGeLine2d AcGeLine2d::kYAxis(AcGePoint2d(0, 0), AcGeVector2d(0, 1));

AcGeLine2d::AcGeLine2d() : AcGeLinearEnt2d(AcGePoint2d(0, 0), AcGeVector2d(1, 0)) {}
AcGeLine2d::AcGeLine2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) : AcGeLinearEnt2d(pnt, vec) {}
AcGeLine2d::AcGeLine2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) : AcGeLinearEnt2d(pnt1, pnt2 - pnt1) {}
AcGe::EntityId AcGeLine2d::type() const { return AcGe::kLine2d; }
AcGeEntity2d* AcGeLine2d::copy() const { return new AcGeLine2d(*this); }

AcGeLine2d& AcGeLine2d::set(const AcGePoint2d& pnt, const AcGeVector2d& vec)
{
    m_point = pnt;
    m_vector = vec;
    return *this;
}

AcGeLine2d& AcGeLine2d::set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) { return set(pnt1, pnt2 - pnt1); }
bool AcGeLine2d::boundedBelow() const { return false; }
bool AcGeLine2d::boundedAbove() const { return false; }

AcGeRay2d::AcGeRay2d() : AcGeLinearEnt2d(AcGePoint2d(0, 0), AcGeVector2d(1, 0)) {}
AcGeRay2d::AcGeRay2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) : AcGeLinearEnt2d(pnt, vec) {}
AcGeRay2d::AcGeRay2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) : AcGeLinearEnt2d(pnt1, pnt2 - pnt1) {}
AcGe::EntityId AcGeRay2d::type() const { return AcGe::kRay2d; }
AcGeEntity2d* AcGeRay2d::copy() const { return new AcGeRay2d(*this); }

AcGeRay2d& AcGeRay2d::set(const AcGePoint2d& pnt, const AcGeVector2d& vec)
{
    m_point = pnt;
    m_vector = vec;
    return *this;
}

AcGeRay2d& AcGeRay2d::set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) { return set(pnt1, pnt2 - pnt1); }
bool AcGeRay2d::boundedBelow() const { return true; }
bool AcGeRay2d::boundedAbove() const { return false; }

AcGeLineSeg2d::AcGeLineSeg2d() : AcGeLinearEnt2d(AcGePoint2d(0, 0), AcGeVector2d(1, 0)) {}
AcGeLineSeg2d::AcGeLineSeg2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) : AcGeLinearEnt2d(pnt1, pnt2 - pnt1) {}
AcGeLineSeg2d::AcGeLineSeg2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) : AcGeLinearEnt2d(pnt, vec) {}
AcGe::EntityId AcGeLineSeg2d::type() const { return AcGe::kLineSeg2d; }
AcGeEntity2d* AcGeLineSeg2d::copy() const { return new AcGeLineSeg2d(*this); }

AcGeLineSeg2d& AcGeLineSeg2d::set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2)
{
    return set(pnt1, pnt2 - pnt1);
}

AcGeLineSeg2d& AcGeLineSeg2d::set(const AcGePoint2d& pnt, const AcGeVector2d& vec)
{
    m_point = pnt;
    m_vector = vec;
    return *this;
}

void AcGeLineSeg2d::getBisector(AcGeLine2d& line) const { line.set(midPoint(), m_vector.perpVector()); }
AcGePoint2d AcGeLineSeg2d::baryComb(double blendCoeff) const { return m_point + m_vector * blendCoeff; }
AcGePoint2d AcGeLineSeg2d::startPoint() const { return m_point; }
AcGePoint2d AcGeLineSeg2d::midPoint() const { return m_point + m_vector * 0.5; }
AcGePoint2d AcGeLineSeg2d::endPoint() const { return m_point + m_vector; }
double AcGeLineSeg2d::length() const { return m_vector.length(); }
bool AcGeLineSeg2d::boundedBelow() const { return true; }
bool AcGeLineSeg2d::boundedAbove() const { return true; }
