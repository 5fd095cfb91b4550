// Filing helpers: resbuf lists through DWG filers, DXF ids, read buffers.
#include "filing_util.h"

#include <cstring>

#include "acutads.h"
#include "dbmain.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"

namespace kelvora {

Acad::ErrorStatus writeResbufList(AcDbDwgFiler* filer, const resbuf* list)
{
    filer->writeInt32(resbufListLength(list));
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
        filer->writeInt16(rb->restype);
        const ads_u_val& v = rb->resval;
        switch (resbufValueKind(rb->restype)) {
        case ResbufValueKind::kNone:
            break;
        case ResbufValueKind::kShort:
            filer->writeInt16(v.rint);
            break;
        case ResbufValueKind::kLong:
            filer->writeInt32(v.rlong);
            break;
        case ResbufValueKind::kInt64:
            filer->writeInt64(v.mnInt64);
            break;
        case ResbufValueKind::kReal:
            filer->writeDouble(v.rreal);
            break;
        case ResbufValueKind::kPoint:
            filer->writeDouble(v.rpoint[0]);
            filer->writeDouble(v.rpoint[1]);
            filer->writeDouble(v.rpoint[2]);
            break;
        case ResbufValueKind::kString:
            filer->writeString(v.rstring);
            break;
        case ResbufValueKind::kName:
            filer->writeInt64(static_cast<Adesk::Int64>(v.rlname[0]));
            filer->writeInt64(static_cast<Adesk::Int64>(v.rlname[1]));
            break;
        case ResbufValueKind::kBinary:
            filer->writeBChunk(v.rbinary);
            break;
        case ResbufValueKind::kHandle:
            filer->writeBytes(v.ihandle, sizeof(v.ihandle));
            break;
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus readResbufList(AcDbDwgFiler* filer, resbuf*& list)
{
    Adesk::Int32 count = 0;
    Acad::ErrorStatus es = filer->readInt32(&count);
    if (es != Acad::eOk)
        return es;
    if (count < 0)
        return Acad::eFilerError;
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (Adesk::Int32 i = 0; i < count && es == Acad::eOk; ++i) {
        Adesk::Int16 code = 0;
        if ((es = filer->readInt16(&code)) != Acad::eOk)
            break;
        resbuf* rb = acutNewRb(code);
        ads_u_val& v = rb->resval;
        switch (resbufValueKind(code)) {
        case ResbufValueKind::kNone:
            break;
        case ResbufValueKind::kShort:
            es = filer->readInt16(&v.rint);
            break;
        case ResbufValueKind::kLong: {
            Adesk::Int32 x = 0;
            es = filer->readInt32(&x);
            v.rlong = x;
            break;
        }
        case ResbufValueKind::kInt64: {
            Adesk::Int64 x = 0;
            es = filer->readInt64(&x);
            v.mnInt64 = x;
            break;
        }
        case ResbufValueKind::kReal:
            es = filer->readDouble(&v.rreal);
            break;
        case ResbufValueKind::kPoint:
            for (int k = 0; k < 3 && es == Acad::eOk; ++k)
                es = filer->readDouble(&v.rpoint[k]);
            break;
        case ResbufValueKind::kString:
            es = filer->readString(&v.rstring);
            if (es == Acad::eOk && v.rstring == nullptr)
                v.rstring = newWideString(L"");
            break;
        case ResbufValueKind::kName: {
            Adesk::Int64 a = 0;
            Adesk::Int64 b = 0;
            es = filer->readInt64(&a);
            if (es == Acad::eOk)
                es = filer->readInt64(&b);
            v.rlname[0] = static_cast<Adesk::LongPtr>(a);
            v.rlname[1] = static_cast<Adesk::LongPtr>(b);
            break;
        }
        case ResbufValueKind::kBinary:
            es = filer->readBChunk(&v.rbinary);
            break;
        case ResbufValueKind::kHandle:
            es = filer->readBytes(v.ihandle, sizeof(v.ihandle));
            break;
        }
        if (tail == nullptr)
            head = rb;
        else
            tail->rbnext = rb;
        tail = rb;
    }
    if (es != Acad::eOk) {
        acutRelRb(head);
        return es;
    }
    acutRelRb(list);
    list = head;
    return Acad::eOk;
}

Acad::ErrorStatus writeResbufsToDxf(AcDbDxfFiler* filer, const resbuf* list)
{
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
        Acad::ErrorStatus es = filer->writeResBuf(*rb);
        if (es != Acad::eOk)
            return es;
    }
    return Acad::eOk;
}

void appendToList(resbuf*& list, const resbuf& rb)
{
    resbuf* copy = copyResbuf(&rb);
    if (list == nullptr)
        list = copy;
    else
        lastResbuf(list)->rbnext = copy;
}

Acad::ErrorStatus readWString(AcDbDwgFiler* filer, std::wstring& out)
{
    ACHAR* s = nullptr;
    Acad::ErrorStatus es = filer->readString(&s);
    if (es != Acad::eOk)
        return es;
    out = s != nullptr ? s : L"";
    delete[] s;
    return Acad::eOk;
}

AcDbObjectId idFromResbuf(const resbuf& rb)
{
    AcDbObjectId id;
    if (rb.resval.rlname[0] != 0)
        acdbGetObjectId(id, rb.resval.rlname);
    return id;
}

void clearResbufValue(resbuf& rb)
{
    switch (resbufValueKind(rb.restype)) {
    case ResbufValueKind::kString:
        delete[] rb.resval.rstring;
        rb.resval.rstring = nullptr;
        break;
    case ResbufValueKind::kBinary:
        delete[] rb.resval.rbinary.buf;
        rb.resval.rbinary.buf = nullptr;
        break;
    default:
        break;
    }
}

}  // namespace kelvora
