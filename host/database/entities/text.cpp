// AcDbText: a single-line text placed by its alignment and measured with the real metrics of its style's font.
#include <algorithm>
#include <cmath>
#include <cwchar>
#include <numbers>

#include "acgi.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "entity_util.h"
#include "kelvora/float_compare.h"
#include "kelvora/host_class.h"
#include "kelvora/ocs.h"
#include "kelvora/text_metrics.h"
#include "kelvora/wide_text.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbText, AcDbEntity, L"TEXT");

namespace {

// The host's default text size (TEXTSIZE of a new drawing), for a text without height or database.
constexpr double kDefaultTextHeight = 2.5;

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

AcDbDatabase* databaseOf(const AcDbObject* object)
{
    AcDbDatabase* db = object->database();
    if (db == nullptr && acdbHostApplicationServices() != nullptr)
        db = acdbHostApplicationServices()->workingDatabase();
    return db;
}

}  // namespace

struct AcDbText::Layout {
    AcGePoint3d insertionOcs;  // start of the baseline, in the text's OCS
    double height = 0.0;
    double widthFactor = 1.0;
    double rotation = 0.0;
    kelvora::TextBox box;      // in the text's own frame, before obliquing and mirroring
};

AcDbText::AcDbText() = default;

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style, double height,
                   double rotation)
    : m_position(position), m_alignmentPoint(position), m_rotation(rotation), m_height(height),
      m_text(text != nullptr ? text : L""), m_styleId(style)
{
}

AcDbText::~AcDbText() = default;

AcDbObjectId AcDbText::effectiveStyle() const
{
    if (!m_styleId.isNull() && !m_styleId.isErased())
        return m_styleId;
    AcDbDatabase* db = databaseOf(this);
    return db != nullptr ? db->textstyle() : AcDbObjectId();
}

void AcDbText::computeLayout(Layout& layout) const
{
    std::wstring fontFile = L"txt";
    double styleHeight = 0.0;
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, effectiveStyle(), AcDb::kForRead) == Acad::eOk) {
        const ACHAR* name = nullptr;
        if (style->fileName(name) == Acad::eOk && name != nullptr && name[0] != L'\0')
            fontFile = name;
        styleHeight = style->textSize();
        style->close();
    }
    double height = m_height;
    if (!(height > 0.0))
        height = styleHeight > 0.0 ? styleHeight : 0.0;
    if (!(height > 0.0)) {
        AcDbDatabase* db = databaseOf(this);
        height = db != nullptr ? db->textsize() : kDefaultTextHeight;
    }
    double widthFactor = m_widthFactor > 0.0 ? m_widthFactor : 1.0;
    const kelvora::FontFace* face = kelvora::findFontFace(kelvora::toUtf8(fontFile));
    const std::string shown = kelvora::toUtf8(kelvora::expandTextControlCodes(m_text));
    kelvora::TextBox box = kelvora::measureText(face, shown, height, widthFactor);

    AcGePoint3d position = kelvora::wcsToOcs(m_position, m_normal);
    AcGePoint3d align = kelvora::wcsToOcs(m_alignmentPoint, m_normal);
    double rotation = m_rotation;
    const double width = box.right - box.left;
    if ((m_horzMode == AcDb::kTextAlign || m_horzMode == AcDb::kTextFit) && width > 0.0) {
        // Between the two points: the baseline runs from position to the alignment point.
        double dx = align.x - position.x;
        double dy = align.y - position.y;
        double span = std::hypot(dx, dy);
        if (span > 0.0) {
            rotation = std::atan2(dy, dx);
            double ratio = span / box.right;
            if (m_horzMode == AcDb::kTextAlign)
                height *= ratio;
            else
                widthFactor *= ratio;
            box = kelvora::measureText(face, shown, height, widthFactor);
        }
        layout.insertionOcs = position;
    } else if (isDefaultAlignment()) {
        layout.insertionOcs = position;
    } else {
        // The offset of the alignment point from the insertion point, in the text's frame.
        double ax = 0.0;
        double ay = 0.0;
        switch (m_horzMode) {
        case AcDb::kTextCenter:
            ax = 0.5 * (box.left + box.right);
            break;
        case AcDb::kTextRight:
            ax = box.right;
            break;
        case AcDb::kTextMid:
            ax = 0.5 * (box.left + box.right);
            ay = 0.5 * (box.bottom + box.top);
            break;
        default:
            break;
        }
        if (m_horzMode != AcDb::kTextMid) {
            switch (m_vertMode) {
            case AcDb::kTextBottom:
                ay = box.bottom;
                break;
            case AcDb::kTextVertMid:
                ay = 0.5 * height;
                break;
            case AcDb::kTextTop:
                ay = height;
                break;
            default:
                break;
            }
        }
        if (m_mirrorX)
            ax = -ax;
        if (m_mirrorY)
            ay = -ay;
        double c = std::cos(rotation);
        double s = std::sin(rotation);
        layout.insertionOcs.set(align.x - (ax * c - ay * s), align.y - (ax * s + ay * c), align.z);
    }
    layout.height = height;
    layout.widthFactor = widthFactor;
    layout.rotation = rotation;
    layout.box = box;
}

void AcDbText::getBoundingPoints(AcGePoint3d corners[4]) const
{
    assertReadEnabled();
    Layout layout;
    computeLayout(layout);
    const double shear = std::tan(m_oblique);
    const double xs[4] = {layout.box.left, layout.box.right, layout.box.right, layout.box.left};
    const double ys[4] = {layout.box.bottom, layout.box.bottom, layout.box.top, layout.box.top};
    const double c = std::cos(layout.rotation);
    const double s = std::sin(layout.rotation);
    for (int i = 0; i < 4; ++i) {
        double x = xs[i] + ys[i] * shear;
        double y = ys[i];
        if (m_mirrorX)
            x = -x;
        if (m_mirrorY)
            y = -y;
        AcGePoint3d ocs(layout.insertionOcs.x + x * c - y * s, layout.insertionOcs.y + x * s + y * c,
                        layout.insertionOcs.z);
        corners[i] = kelvora::ocsToWcs(ocs, m_normal);
    }
}

// ----- Properties ------------------------------------------------------------------------------------

AcGePoint3d AcDbText::position() const
{
    assertReadEnabled();
    if (isDefaultAlignment() || m_horzMode == AcDb::kTextAlign || m_horzMode == AcDb::kTextFit)
        return m_position;
    Layout layout;
    computeLayout(layout);
    return kelvora::ocsToWcs(layout.insertionOcs, m_normal);
}

Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& position)
{
    if (!finite(position))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position = position;
    return Acad::eOk;
}

AcGePoint3d AcDbText::alignmentPoint() const
{
    assertReadEnabled();
    return m_alignmentPoint;
}

Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& point)
{
    if (!finite(point))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_alignmentPoint = point;
    return Acad::eOk;
}

Adesk::Boolean AcDbText::isDefaultAlignment() const
{
    assertReadEnabled();
    return m_horzMode == AcDb::kTextLeft && m_vertMode == AcDb::kTextBase;
}

AcGeVector3d AcDbText::normal() const
{
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& normal)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_normal = unit;
    return Acad::eOk;
}

double AcDbText::thickness() const
{
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbText::setThickness(double thickness)
{
    if (!std::isfinite(thickness))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_thickness = thickness;
    return Acad::eOk;
}

double AcDbText::oblique() const
{
    assertReadEnabled();
    return m_oblique;
}

Acad::ErrorStatus AcDbText::setOblique(double angle)
{
    // The commercial host keeps obliquing within 85 degrees either way.
    constexpr double kMaxOblique = 85.0 * std::numbers::pi / 180.0;
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    double a = std::remainder(angle, 2.0 * std::numbers::pi);
    if (std::fabs(a) > kMaxOblique)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_oblique = a;
    return Acad::eOk;
}

double AcDbText::rotation() const
{
    assertReadEnabled();
    return m_rotation;
}

Acad::ErrorStatus AcDbText::setRotation(double angle)
{
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_rotation = angle;
    return Acad::eOk;
}

double AcDbText::height() const
{
    assertReadEnabled();
    return m_height;
}

Acad::ErrorStatus AcDbText::setHeight(double height)
{
    if (!std::isfinite(height) || height <= 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_height = height;
    return Acad::eOk;
}

double AcDbText::widthFactor() const
{
    assertReadEnabled();
    return m_widthFactor;
}

Acad::ErrorStatus AcDbText::setWidthFactor(double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_widthFactor = factor;
    return Acad::eOk;
}

Adesk::Boolean AcDbText::isMirroredInX() const
{
    assertReadEnabled();
    return m_mirrorX;
}

Acad::ErrorStatus AcDbText::mirrorInX(Adesk::Boolean mirror)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_mirrorX = mirror;
    return Acad::eOk;
}

Adesk::Boolean AcDbText::isMirroredInY() const
{
    assertReadEnabled();
    return m_mirrorY;
}

Acad::ErrorStatus AcDbText::mirrorInY(Adesk::Boolean mirror)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_mirrorY = mirror;
    return Acad::eOk;
}

ACHAR* AcDbText::textString() const
{
    assertReadEnabled();
    return kelvora::newWideString(m_text);
}

const ACHAR* AcDbText::textStringConst() const
{
    assertReadEnabled();
    return m_text.c_str();
}

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text)
{
    if (text == nullptr)
        return Acad::eNullObjectPointer;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_text = text;
    return Acad::eOk;
}

AcDbObjectId AcDbText::textStyle() const
{
    assertReadEnabled();
    return m_styleId;
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId styleId)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_styleId = styleId;
    return Acad::eOk;
}

AcDb::TextHorzMode AcDbText::horizontalMode() const
{
    assertReadEnabled();
    return m_horzMode;
}

Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode mode)
{
    if (mode < AcDb::kTextLeft || mode > AcDb::kTextFit)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_horzMode = mode;
    return Acad::eOk;
}

AcDb::TextVertMode AcDbText::verticalMode() const
{
    assertReadEnabled();
    return m_vertMode;
}

Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode mode)
{
    if (mode < AcDb::kTextBase || mode > AcDb::kTextTop)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_vertMode = mode;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::adjustAlignment(const AcDbDatabase*)
{
    if (isDefaultAlignment())
        return Acad::eOk;
    AcGePoint3d placed = position();
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position = placed;
    return Acad::eOk;
}

// ----- Entity ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    AcGePoint3d corners[4];
    getBoundingPoints(corners);
    AcDbExtents box;
    for (const AcGePoint3d& p : corners) {
        box.addPoint(p);
        if (!kelvora::exactlyEqual(m_thickness, 0.0))
            box.addPoint(p + m_normal * m_thickness);
    }
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::transformBy(const AcGeMatrix3d& xform)
{
    assertReadEnabled();
    const double scale = xform.scale();
    if (!(scale > 0.0))
        return Acad::eInvalidInput;
    AcGeVector3d x;
    AcGeVector3d y;
    AcGeVector3d z;
    kelvora::ocsAxes(m_normal, x, y, z);
    AcGeVector3d direction = x * std::cos(m_rotation) + y * std::sin(m_rotation);
    AcGeVector3d newDirection = xform * direction;
    AcGeVector3d newNormal;
    AcGeVector3d cross = (xform * x).crossProduct(xform * y);
    if (!kelvora::unitNormal(cross, newNormal) || newDirection.isZeroLength())
        return Acad::eInvalidInput;
    const bool mirrored = xform.det() < 0.0;
    if (mirrored) {
        // A mirrored text keeps its side and reads backwards: its frame is the image of the old one
        // with the baseline turned over, so the direction of the new frame is the opposite image.
        newNormal = -newNormal;
        newDirection = -newDirection;
    }
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position.transformBy(xform);
    m_alignmentPoint.transformBy(xform);
    m_normal = newNormal;
    AcGeVector3d d = kelvora::wcsToOcs(newDirection, m_normal);
    m_rotation = kelvora::normalizeAngle(std::atan2(d.y, d.x));
    m_height *= scale;
    m_thickness *= scale;
    if (mirrored)
        m_mirrorX = !m_mirrorX;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::explode(AcDbVoidPtrArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbText::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d&,
                                           const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snapPoints,
                                           AcDbIntArray&) const
{
    assertReadEnabled();
    if (osnapMode == AcDb::kOsModeIns) {
        snapPoints.append(position());
        if (!isDefaultAlignment())
            snapPoints.append(m_alignmentPoint);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                           const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                           const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                           AcDbIntArray& geomIds, const AcGeMatrix3d&) const
{
    return AcDbText::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

Acad::ErrorStatus AcDbText::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(position());
    if (!isDefaultAlignment())
        gripPoints.append(m_alignmentPoint);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    const int count = isDefaultAlignment() ? 1 : 2;
    for (int i : indices)
        if (i < 0 || i >= count)
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    // Either grip moves the whole text (both points keep their distance).
    m_position += offset;
    m_alignmentPoint += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                          const int gripSize, const AcGeVector3d& curViewDir,
                                          const int bitflags) const
{
    return AcDbEntity::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDbText::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                             const int bitflags)
{
    return AcDbEntity::moveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDbText::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    AcDbIntArray modes;
    AcDbIntArray ids;
    return AcDbText::getGripPoints(stretchPoints, modes, ids);
}

Acad::ErrorStatus AcDbText::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return AcDbText::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbText::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    return drawString(mode, m_text);
}

Adesk::Boolean AcDbText::drawString(AcGiWorldDraw* mode, const std::wstring& shown) const
{
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    Layout layout;
    computeLayout(layout);
    AcGiTextStyle style;
    fromAcDbTextStyle(style, effectiveStyle());
    style.setTextSize(layout.height);
    style.setXScale(layout.widthFactor);
    style.setObliquingAngle(m_oblique);
    style.setBackward(m_mirrorX);
    style.setUpsideDown(m_mirrorY);
    style.loadStyleRec(database());
    AcGeVector3d direction =
        kelvora::ocsToWcs(AcGeVector3d(std::cos(layout.rotation), std::sin(layout.rotation), 0.0), m_normal);
    mode->geometry().text(kelvora::ocsToWcs(layout.insertionOcs, m_normal), m_normal, direction, shown.c_str(), -1,
                          Adesk::kFalse, style);
    return Adesk::kTrue;
}

void AcDbText::list() const
{
    assertReadEnabled();
    AcDbEntity::list();
    kelvora::listText(L"Text", m_text.c_str());
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, effectiveStyle(), AcDb::kForRead) == Acad::eOk) {
        const ACHAR* name = nullptr;
        style->getName(name);
        kelvora::listText(L"Style =", name);
        style->close();
    }
    kelvora::listPoint(this, L"start point,", position());
    if (!isDefaultAlignment())
        kelvora::listPoint(this, L"align point,", m_alignmentPoint);
    Layout layout;
    computeLayout(layout);
    kelvora::listReal(this, L"height", layout.height);
    kelvora::listAngle(this, L"rotation angle", m_rotation);
    kelvora::listReal(this, L"width scale factor", m_widthFactor);
    kelvora::listAngle(this, L"obliquing angle", m_oblique);
}

void AcDbText::subSetDatabaseDefaults(AcDbDatabase* pDb)
{
    if (pDb == nullptr)
        return;
    if (m_styleId.isNull())
        m_styleId = pDb->textstyle();
    if (!(m_height > 0.0))
        m_height = pDb->textsize();
}

// ----- Filing ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbText::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_position);
    pFiler->writePoint3d(m_alignmentPoint);
    pFiler->writeVector3d(m_normal);
    pFiler->writeDouble(m_thickness);
    pFiler->writeDouble(m_oblique);
    pFiler->writeDouble(m_rotation);
    pFiler->writeDouble(m_height);
    pFiler->writeDouble(m_widthFactor);
    pFiler->writeString(m_text.c_str());
    pFiler->writeHardPointerId(m_styleId);
    pFiler->writeInt16(static_cast<Adesk::Int16>(m_horzMode));
    pFiler->writeInt16(static_cast<Adesk::Int16>(m_vertMode));
    pFiler->writeInt16(static_cast<Adesk::Int16>((m_mirrorX ? 2 : 0) | (m_mirrorY ? 4 : 0)));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbText::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d position;
    AcGePoint3d align;
    AcGeVector3d normal;
    double values[5] = {};
    ACHAR* text = nullptr;
    AcDbHardPointerId style;
    Adesk::Int16 horz = 0;
    Adesk::Int16 vert = 0;
    Adesk::Int16 flags = 0;
    if ((es = pFiler->readPoint3d(&position)) != Acad::eOk || (es = pFiler->readPoint3d(&align)) != Acad::eOk ||
        (es = pFiler->readVector3d(&normal)) != Acad::eOk)
        return es;
    for (double& v : values)
        if ((es = pFiler->readDouble(&v)) != Acad::eOk)
            return es;
    if ((es = pFiler->readString(&text)) != Acad::eOk)
        return es;
    std::wstring string = text != nullptr ? text : L"";
    delete[] text;
    if ((es = pFiler->readHardPointerId(&style)) != Acad::eOk || (es = pFiler->readInt16(&horz)) != Acad::eOk ||
        (es = pFiler->readInt16(&vert)) != Acad::eOk || (es = pFiler->readInt16(&flags)) != Acad::eOk)
        return es;
    m_position = position;
    m_alignmentPoint = align;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_thickness = values[0];
    m_oblique = values[1];
    m_rotation = values[2];
    m_height = values[3];
    m_widthFactor = values[4];
    m_text = string;
    m_styleId = style;
    m_horzMode = static_cast<AcDb::TextHorzMode>(std::clamp<int>(horz, AcDb::kTextLeft, AcDb::kTextFit));
    m_vertMode = static_cast<AcDb::TextVertMode>(std::clamp<int>(vert, AcDb::kTextBase, AcDb::kTextTop));
    m_mirrorX = (flags & 2) != 0;
    m_mirrorY = (flags & 4) != 0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::dxfOutTextFields(AcDbDxfFiler* pFiler, bool withVerticalMode) const
{
    const bool defaults = pFiler->includesDefaultValues();
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbText");
    if (defaults || !kelvora::exactlyEqual(m_thickness, 0.0))
        pFiler->writeDouble(AcDb::kDxfThickness, m_thickness);
    pFiler->writePoint3d(AcDb::kDxfXCoord, kelvora::wcsToOcs(position(), m_normal));
    Layout layout;
    double height = m_height;
    if (!(height > 0.0)) {
        computeLayout(layout);
        height = layout.height;
    }
    pFiler->writeDouble(AcDb::kDxfTxtSize, height);
    pFiler->writeString(AcDb::kDxfText, m_text.c_str());
    if (defaults || !kelvora::exactlyEqual(m_rotation, 0.0))
        pFiler->writeDouble(AcDb::kDxfAngle, kelvora::radiansToDegrees(m_rotation));
    if (defaults || !kelvora::exactlyEqual(m_widthFactor, 1.0))
        pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, m_widthFactor);
    if (defaults || !kelvora::exactlyEqual(m_oblique, 0.0))
        pFiler->writeDouble(static_cast<AcDb::DxfCode>(51), kelvora::radiansToDegrees(m_oblique));
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, effectiveStyle(), AcDb::kForRead) == Acad::eOk) {
        const ACHAR* name = nullptr;
        style->getName(name);
        pFiler->writeString(AcDb::kDxfTextStyleName, name);
        style->close();
    }
    Adesk::Int16 flags = static_cast<Adesk::Int16>((m_mirrorX ? 2 : 0) | (m_mirrorY ? 4 : 0));
    if (defaults || flags != 0)
        pFiler->writeInt16(AcDb::kDxfViewMode, flags);  // 71
    if (defaults || m_horzMode != AcDb::kTextLeft)
        pFiler->writeInt16(AcDb::kDxfCircleSides, static_cast<Adesk::Int16>(m_horzMode));  // 72
    if (!isDefaultAlignment())
        pFiler->writePoint3d(static_cast<AcDb::DxfCode>(11), kelvora::wcsToOcs(m_alignmentPoint, m_normal));
    if (defaults || m_normal != AcGeVector3d::kZAxis)
        pFiler->writeVector3d(AcDb::kDxfNormalX, m_normal);
    if (withVerticalMode) {
        pFiler->writeString(AcDb::kDxfSubclass, L"AcDbText");
        if (defaults || m_vertMode != AcDb::kTextBase)
            pFiler->writeInt16(AcDb::kDxfViewportZoom, static_cast<Adesk::Int16>(m_vertMode));  // 73
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbText::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return dxfOutTextFields(pFiler, true);
}

void AcDbText::resolveStyleName(AcDbDxfFiler* pFiler, const std::wstring& name)
{
    AcDbDatabase* db = pFiler->database() != nullptr ? pFiler->database() : databaseOf(this);
    m_styleId = AcDbObjectId();
    if (db == nullptr)
        return;
    AcDbTextStyleTable* table = nullptr;
    if (db->getTextStyleTable(table, AcDb::kForRead) == Acad::eOk) {
        AcDbObjectId id;
        if (table->getAt(name.c_str(), id) == Acad::eOk)
            m_styleId = id;
        table->close();
    }
    // A style the drawing does not have: the drawing's current one.
    if (m_styleId.isNull())
        m_styleId = db->textstyle();
}

bool AcDbText::readTextGroup(const resbuf& rb, AcDbDxfFiler* pFiler, bool verticalModeIs73)
{
    switch (rb.restype) {
    case 1:
        m_text = rb.resval.rstring != nullptr ? rb.resval.rstring : L"";
        return true;
    case 7:
        resolveStyleName(pFiler, rb.resval.rstring != nullptr ? rb.resval.rstring : L"");
        return true;
    case 10:
        m_position.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
        return true;
    case 11:
        m_alignmentPoint.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
        return true;
    case 39:
        m_thickness = rb.resval.rreal;
        return true;
    case 40:
        m_height = rb.resval.rreal;
        return true;
    case 41:
        m_widthFactor = rb.resval.rreal > 0.0 ? rb.resval.rreal : 1.0;
        return true;
    case 50:
        m_rotation = kelvora::degreesToRadians(rb.resval.rreal);
        return true;
    case 51:
        m_oblique = kelvora::degreesToRadians(rb.resval.rreal);
        return true;
    case 71:
        m_mirrorX = (rb.resval.rint & 2) != 0;
        m_mirrorY = (rb.resval.rint & 4) != 0;
        return true;
    case 72:
        m_horzMode = static_cast<AcDb::TextHorzMode>(std::clamp<int>(rb.resval.rint, AcDb::kTextLeft, AcDb::kTextFit));
        return true;
    case 73:
    case 74:
        if ((rb.restype == 73) != verticalModeIs73)
            return false;
        m_vertMode = static_cast<AcDb::TextVertMode>(std::clamp<int>(rb.resval.rint, AcDb::kTextBase, AcDb::kTextTop));
        return true;
    case 210:
        m_normal.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
        return true;
    default:
        return false;
    }
}

Acad::ErrorStatus AcDbText::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbText");
    m_alignmentPoint = AcGePoint3d();
    bool alignmentGiven = false;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        if (g.code() == 100)
            return g.subclassName() == L"AcDbText" ? kelvora::GroupUse::kTaken : kelvora::GroupUse::kNotMine;
        if (g.code() == 11)
            alignmentGiven = true;
        return readTextGroup(g.value(), pFiler, true) ? kelvora::GroupUse::kTaken : kelvora::GroupUse::kNotMine;
    });
    if (es != Acad::eOk)
        return es;
    finishDxfRead(pFiler, alignmentGiven);
    return Acad::eOk;
}

void AcDbText::finishDxfRead(AcDbDxfFiler* pFiler, bool alignmentGiven)
{
    if (m_styleId.isNull())
        resolveStyleName(pFiler, L"Standard");
    // Points are read in the text's OCS; the normal may come after them.
    if (!kelvora::unitNormal(m_normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_position = kelvora::ocsToWcs(m_position, m_normal);
    m_alignmentPoint = alignmentGiven ? kelvora::ocsToWcs(m_alignmentPoint, m_normal) : m_position;
}
