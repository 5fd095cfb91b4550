// AcGiTextStyle: a text style for drawing, its real-metrics extents, and its conversion from and to text style records.
#include <algorithm>

#include "acgi.h"
#include "dbapserv.h"
#include "dbsymtb.h"
#include "kelvora/text_metrics.h"
#include "kelvora/wide_text.h"

AcGiTextStyle::AcGiTextStyle(AcDbDatabase*) {}

AcGiTextStyle::AcGiTextStyle(const ACHAR* fontName, const ACHAR* bigFontName, double textSize, double xScale,
                             double obliqueAngle, double trackPercent, Adesk::Boolean isBackward,
                             Adesk::Boolean isUpsideDown, Adesk::Boolean isVertical, Adesk::Boolean isOverlined,
                             Adesk::Boolean isUnderlined, const ACHAR* styleName)
    : m_textSize(textSize),
      m_xScale(xScale),
      m_obliquingAngle(obliqueAngle),
      m_trackingPercent(trackPercent),
      m_backward(isBackward),
      m_upsideDown(isUpsideDown),
      m_vertical(isVertical),
      m_underlined(isUnderlined),
      m_overlined(isOverlined)
{
    setFileName(fontName);
    setBigFontFileName(bigFontName);
    setStyleName(styleName);
}

int AcGiTextStyle::loadStyleRec(AcDbDatabase*) const
{
    // The face is found (or the fallback face used) now, so that a later measure costs nothing.
    kelvora::findFontFace(kelvora::toUtf8(m_fileName));
    return 1;
}

Acad::ErrorStatus AcGiTextStyle::setFont(const ACHAR* pTypeface, Adesk::Boolean bold, Adesk::Boolean italic,
                                         int charset, int pitchAndFamily)
{
    m_typeface = pTypeface != nullptr ? pTypeface : L"";
    m_bold = bold;
    m_italic = italic;
    m_charset = charset;
    m_pitchAndFamily = pitchAndFamily;
    return Acad::eOk;
}

Acad::ErrorStatus AcGiTextStyle::font(ACHAR*& pTypeface, Adesk::Boolean& bold, Adesk::Boolean& italic, int& charset,
                                      int& pitchAndFamily) const
{
    pTypeface = kelvora::newWideString(m_typeface);
    bold = m_bold;
    italic = m_italic;
    charset = m_charset;
    pitchAndFamily = m_pitchAndFamily;
    return Acad::eOk;
}

AcGePoint2d AcGiTextStyle::extents(const ACHAR* pStr, Adesk::Boolean penups, int len, Adesk::Boolean raw,
                                   AcGiWorldDraw*) const
{
    if (pStr == nullptr)
        return AcGePoint2d(0.0, 0.0);
    std::wstring text(pStr);
    if (len >= 0 && static_cast<size_t>(len) < text.size())
        text.resize(static_cast<size_t>(len));
    if (!raw)
        text = kelvora::expandTextControlCodes(text);
    const kelvora::FontFace* face = kelvora::findFontFace(kelvora::toUtf8(m_fileName));
    kelvora::TextBox box = kelvora::measureText(face, kelvora::toUtf8(text), m_textSize, m_xScale);
    double width = penups ? box.right : box.right - box.left;
    double height = box.top - std::min(0.0, box.bottom);
    return AcGePoint2d(width, height);
}

Acad::ErrorStatus fromAcDbTextStyle(AcGiTextStyle& giStyle, const AcDbObjectId& acdbStyleId)
{
    AcDbTextStyleTableRecord* rec = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(rec, acdbStyleId, AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    const ACHAR* text = nullptr;
    rec->fileName(text);
    giStyle.setFileName(text);
    rec->bigFontFileName(text);
    giStyle.setBigFontFileName(text);
    rec->getName(text);
    giStyle.setStyleName(text);
    giStyle.setTextSize(rec->textSize());
    giStyle.setXScale(rec->xScale());
    giStyle.setObliquingAngle(rec->obliquingAngle());
    giStyle.setVertical(rec->isVertical());
    giStyle.setBackward((rec->flagBits() & 2) != 0);
    giStyle.setUpsideDown((rec->flagBits() & 4) != 0);
    ACHAR* typeface = nullptr;
    Adesk::Boolean bold = false;
    Adesk::Boolean italic = false;
    int charset = 0;
    int pitch = 0;
    if (rec->font(typeface, bold, italic, charset, pitch) == Acad::eOk)
        giStyle.setFont(typeface, bold, italic, charset, pitch);
    delete[] typeface;
    return rec->close();
}

Acad::ErrorStatus toAcDbTextStyle(AcGiTextStyle& giStyle, AcDbObjectId& acdbStyleId)
{
    acdbStyleId.setNull();
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr)
        return Acad::eNoDatabase;
    AcDbTextStyleTable* table = nullptr;
    Acad::ErrorStatus es = db->getTextStyleTable(table, AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    std::wstring name = giStyle.styleName();
    if (!name.empty() && table->getAt(name.c_str(), acdbStyleId) == Acad::eOk) {
        table->close();
        return Acad::eOk;
    }
    if (name.empty()) {
        // An unnamed style gets the first free name of the form KelvoraStyleN.
        for (int n = 1;; ++n) {
            name = L"KelvoraStyle" + std::to_wstring(n);
            if (!table->has(name.c_str()))
                break;
        }
    }
    if ((es = table->upgradeOpen()) != Acad::eOk) {
        table->close();
        return es;
    }
    auto* rec = new AcDbTextStyleTableRecord();
    rec->setName(name.c_str());
    rec->setFileName(giStyle.fileName());
    rec->setBigFontFileName(giStyle.bigFontFileName());
    rec->setTextSize(giStyle.textSize() >= 0.0 ? giStyle.textSize() : 0.0);
    if (giStyle.xScale() > 0.0)
        rec->setXScale(giStyle.xScale());
    rec->setObliquingAngle(giStyle.obliquingAngle());
    rec->setIsVertical(giStyle.isVertical());
    es = table->add(acdbStyleId, rec);
    if (es != Acad::eOk) {
        delete rec;
        table->close();
        return es;
    }
    rec->close();
    table->close();
    giStyle.setStyleName(name.c_str());
    return Acad::eOk;
}
