// AcDbTextStyleTableRecord: a text style's font files, height, width factor and obliquing, and its filing.
#include <cmath>
#include <numbers>

#include "acutads.h"
#include "dbsymtb.h"
#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"
#include "record_filing.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, ACRX_T("STYLE"))

namespace {

constexpr Adesk::Int16 kShapeFileBit = 1;
constexpr Adesk::Int16 kVerticalBit = 4;

}  // namespace

AcDbTextStyleTableRecord::AcDbTextStyleTableRecord() = default;

AcDbTextStyleTableRecord::~AcDbTextStyleTableRecord()
{
    acutRelRb(m_keptGroups);
}

Adesk::Boolean AcDbTextStyleTableRecord::isShapeFile() const
{
    assertReadEnabled();
    return (recordFlags() & kShapeFileBit) != 0;
}

void AcDbTextStyleTableRecord::setIsShapeFile(Adesk::Boolean shape)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    setRecordFlags(static_cast<Adesk::Int16>(shape ? (recordFlags() | kShapeFileBit) : (recordFlags() & ~kShapeFileBit)));
}

Adesk::Boolean AcDbTextStyleTableRecord::isVertical() const
{
    assertReadEnabled();
    return (recordFlags() & kVerticalBit) != 0;
}

void AcDbTextStyleTableRecord::setIsVertical(Adesk::Boolean vertical)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    setRecordFlags(static_cast<Adesk::Int16>(vertical ? (recordFlags() | kVerticalBit) : (recordFlags() & ~kVerticalBit)));
}

double AcDbTextStyleTableRecord::textSize() const
{
    assertReadEnabled();
    return m_textSize;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (!std::isfinite(size) || size < 0.0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_textSize = size;
    return Acad::eOk;
}

double AcDbTextStyleTableRecord::xScale() const
{
    assertReadEnabled();
    return m_xScale;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double xScale)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (!std::isfinite(xScale) || xScale <= 0.0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_xScale = xScale;
    return Acad::eOk;
}

double AcDbTextStyleTableRecord::obliquingAngle() const
{
    assertReadEnabled();
    return m_obliquingAngle;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double angle)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_obliquingAngle = angle;
    return Acad::eOk;
}

Adesk::UInt8 AcDbTextStyleTableRecord::flagBits() const
{
    assertReadEnabled();
    return m_flagBits;
}

void AcDbTextStyleTableRecord::setFlagBits(Adesk::UInt8 flags)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_flagBits = flags;
}

double AcDbTextStyleTableRecord::priorSize() const
{
    assertReadEnabled();
    return m_priorSize;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setPriorSize(double size)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (!std::isfinite(size) || size < 0.0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_priorSize = size;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(ACHAR*& fileName) const
{
    assertReadEnabled();
    fileName = kelvora::newWideString(m_fileName);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& fileName) const
{
    assertReadEnabled();
    fileName = m_fileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* fileName)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_fileName = fileName != nullptr ? fileName : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(ACHAR*& fileName) const
{
    assertReadEnabled();
    fileName = kelvora::newWideString(m_bigFontFileName);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const ACHAR*& fileName) const
{
    assertReadEnabled();
    fileName = m_bigFontFileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* fileName)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_bigFontFileName = fileName != nullptr ? fileName : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFont(const ACHAR* pTypeface, Adesk::Boolean bold, Adesk::Boolean italic,
                                                    int charset, int pitchAndFamily)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_typeface = pTypeface != nullptr ? pTypeface : L"";
    m_bold = bold;
    m_italic = italic;
    m_charset = charset;
    m_pitchAndFamily = pitchAndFamily;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::font(ACHAR*& pTypeface, Adesk::Boolean& bold, Adesk::Boolean& italic,
                                                 int& charset, int& pitchAndFamily) const
{
    assertReadEnabled();
    pTypeface = kelvora::newWideString(m_typeface);
    bold = m_bold;
    italic = m_italic;
    charset = m_charset;
    pitchAndFamily = m_pitchAndFamily;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(m_fileName.c_str());
    pFiler->writeString(m_bigFontFileName.c_str());
    pFiler->writeString(m_typeface.c_str());
    pFiler->writeDouble(m_textSize);
    pFiler->writeDouble(m_xScale);
    pFiler->writeDouble(m_obliquingAngle);
    pFiler->writeDouble(m_priorSize);
    pFiler->writeUInt8(m_flagBits);
    pFiler->writeBoolean(m_bold);
    pFiler->writeBoolean(m_italic);
    pFiler->writeInt32(m_charset);
    pFiler->writeInt32(m_pitchAndFamily);
    kelvora::writeResbufList(pFiler, m_keptGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    std::wstring file;
    std::wstring bigFont;
    std::wstring typeface;
    double size = 0;
    double xScale = 1;
    double oblique = 0;
    double prior = 0;
    Adesk::UInt8 flags = 0;
    bool bold = false;
    bool italic = false;
    Adesk::Int32 charset = 0;
    Adesk::Int32 pitch = 0;
    if ((es = kelvora::readWString(pFiler, file)) != Acad::eOk ||
        (es = kelvora::readWString(pFiler, bigFont)) != Acad::eOk ||
        (es = kelvora::readWString(pFiler, typeface)) != Acad::eOk || (es = pFiler->readDouble(&size)) != Acad::eOk ||
        (es = pFiler->readDouble(&xScale)) != Acad::eOk || (es = pFiler->readDouble(&oblique)) != Acad::eOk ||
        (es = pFiler->readDouble(&prior)) != Acad::eOk || (es = pFiler->readUInt8(&flags)) != Acad::eOk ||
        (es = pFiler->readBoolean(&bold)) != Acad::eOk || (es = pFiler->readBoolean(&italic)) != Acad::eOk ||
        (es = pFiler->readInt32(&charset)) != Acad::eOk || (es = pFiler->readInt32(&pitch)) != Acad::eOk)
        return es;
    if ((es = kelvora::readResbufList(pFiler, m_keptGroups)) != Acad::eOk)
        return es;
    m_fileName = file;
    m_bigFontFileName = bigFont;
    m_typeface = typeface;
    m_textSize = size;
    m_xScale = xScale;
    m_obliquingAngle = oblique;
    m_priorSize = prior;
    m_flagBits = flags;
    m_bold = bold;
    m_italic = italic;
    m_charset = charset;
    m_pitchAndFamily = pitch;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, ACRX_T("AcDbTextStyleTableRecord"));
    kelvora::writeNameAndFlags(pFiler, this, recordFlags());
    pFiler->writeDouble(AcDb::kDxfTxtSize, m_textSize);
    pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, m_xScale);
    // DXF gives the obliquing angle in degrees.
    pFiler->writeDouble(AcDb::kDxfAngle, m_obliquingAngle * 180.0 / std::numbers::pi);
    pFiler->writeInt16(AcDb::kDxfTxtStyleFlags, m_flagBits);
    pFiler->writeDouble(AcDb::kDxfTxtStylePSize, m_priorSize);
    pFiler->writeString(AcDb::kDxfTextFontFile, m_fileName.c_str());
    pFiler->writeString(AcDb::kDxfTextBigFontFile, m_bigFontFileName.c_str());
    kelvora::writeResbufsToDxf(pFiler, m_keptGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->atSubclassData(ACRX_T("AcDbTextStyleTableRecord"));
    resbuf* kept = nullptr;
    es = kelvora::readRecordGroups(pFiler, this, kept, [&](const kelvora::RecordDxfItem& item) {
        const ads_u_val& v = item.rb.resval;
        switch (item.rb.restype) {
        case AcDb::kDxfInt16:
            return true;
        case AcDb::kDxfTxtSize:
            if (v.rreal >= 0.0)
                m_textSize = v.rreal;
            return true;
        case AcDb::kDxfTxtStyleXScale:
            if (v.rreal > 0.0)
                m_xScale = v.rreal;
            return true;
        case AcDb::kDxfAngle:
            m_obliquingAngle = v.rreal * std::numbers::pi / 180.0;
            return true;
        case AcDb::kDxfTxtStyleFlags:
            m_flagBits = static_cast<Adesk::UInt8>(v.rint);
            return true;
        case AcDb::kDxfTxtStylePSize:
            m_priorSize = v.rreal;
            return true;
        case AcDb::kDxfTextFontFile:
            m_fileName = item.text();
            return true;
        case AcDb::kDxfTextBigFontFile:
            m_bigFontFileName = item.text();
            return true;
        default:
            return false;
        }
    });
    if (es != Acad::eOk) {
        acutRelRb(kept);
        return es;
    }
    acutRelRb(m_keptGroups);
    m_keptGroups = kept;
    return Acad::eOk;
}
