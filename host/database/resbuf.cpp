// Result-buffer lists: acutBuildList, acutNewRb, acutRelRb, host strings, and the value kind of each code.
#include <array>
#include <cstdarg>
#include <cstring>

#include "acutads.h"
#include "adscodes.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"

namespace kelvora {

namespace {

ResbufValueKind valueKindOfCode(int restype)
{
    switch (restype) {
    case RTREAL:
    case RTANG:
    case RTORINT:
        return ResbufValueKind::kReal;
    case RTPOINT:
    case RT3DPOINT:
        return ResbufValueKind::kPoint;
    case RTSHORT:
        return ResbufValueKind::kShort;
    case RTLONG:
        return ResbufValueKind::kLong;
    case RTINT64:
    case RTLONG_PTR:
        return ResbufValueKind::kInt64;
    case RTSTR:
    case RTDXF0:
        return ResbufValueKind::kString;
    case RTENAME:
    case RTPICKS:
        return ResbufValueKind::kName;
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case RTVOID:
    case RTNONE:
        return ResbufValueKind::kNone;
    default:
        break;
    }
    int c = restype;
    if (c == -1 || c == -2)
        return ResbufValueKind::kName;  // entity name, first entity of a group
    if (c == -4)
        return ResbufValueKind::kString;  // selection filter operator
    if (c == -3 || c == -5 || c == -6)
        return ResbufValueKind::kNone;
    if ((c >= 0 && c <= 9) || c == 100 || c == 101 || c == 102 || c == 105 || (c >= 300 && c <= 309) ||
        (c >= 410 && c <= 419) || (c >= 430 && c <= 439) || (c >= 470 && c <= 479) || (c >= 999 && c <= 1003) ||
        c == 1005)
        return ResbufValueKind::kString;
    if ((c >= 10 && c <= 18) || (c >= 110 && c <= 112) || c == 210 || (c >= 1010 && c <= 1013))
        return ResbufValueKind::kPoint;
    if ((c >= 38 && c <= 59) || (c >= 140 && c <= 149) || (c >= 460 && c <= 469) || (c >= 1040 && c <= 1042))
        return ResbufValueKind::kReal;
    if ((c >= 60 && c <= 79) || (c >= 170 && c <= 179) || (c >= 270 && c <= 299) || (c >= 370 && c <= 389) ||
        (c >= 400 && c <= 409) || (c >= 1060 && c <= 1070))
        return ResbufValueKind::kShort;
    if ((c >= 90 && c <= 99) || (c >= 420 && c <= 429) || (c >= 440 && c <= 459) || c == 1071)
        return ResbufValueKind::kLong;
    if (c >= 160 && c <= 169)
        return ResbufValueKind::kInt64;
    if ((c >= 310 && c <= 319) || c == 1004)
        return ResbufValueKind::kBinary;
    if (c >= 320 && c <= 369)
        return ResbufValueKind::kName;
    if (c >= 390 && c <= 399)
        return ResbufValueKind::kName;
    if (c >= 480 && c <= 481)
        return ResbufValueKind::kName;
    return ResbufValueKind::kNone;
}

}  // namespace

ResbufValueKind resbufValueKind(int restype)
{
    // Asked for every group read or written: the group codes of drawings answer from a table.
    constexpr int kFirst = -6;
    constexpr int kLast = 1071;
    static const auto kinds = [] {
        std::array<ResbufValueKind, kLast - kFirst + 1> t{};
        for (int code = kFirst; code <= kLast; ++code)
            t[static_cast<std::size_t>(code - kFirst)] = valueKindOfCode(code);
        return t;
    }();
    if (restype >= kFirst && restype <= kLast)
        return kinds[static_cast<std::size_t>(restype - kFirst)];
    return valueKindOfCode(restype);
}

resbuf* copyResbuf(const resbuf* rb)
{
    if (rb == nullptr)
        return nullptr;
    auto* out = new resbuf;
    out->rbnext = nullptr;
    out->restype = rb->restype;
    std::memset(&out->resval, 0, sizeof(out->resval));
    switch (resbufValueKind(rb->restype)) {
    case ResbufValueKind::kString:
        out->resval.rstring = rb->resval.rstring != nullptr ? newWideString(rb->resval.rstring) : nullptr;
        break;
    case ResbufValueKind::kBinary:
        out->resval.rbinary.clen = rb->resval.rbinary.clen;
        out->resval.rbinary.buf = nullptr;
        if (rb->resval.rbinary.buf != nullptr && rb->resval.rbinary.clen > 0) {
            out->resval.rbinary.buf = new char[static_cast<size_t>(rb->resval.rbinary.clen)];
            std::memcpy(out->resval.rbinary.buf, rb->resval.rbinary.buf, static_cast<size_t>(rb->resval.rbinary.clen));
        } else {
            out->resval.rbinary.clen = 0;
        }
        break;
    default:
        out->resval = rb->resval;
        break;
    }
    return out;
}

resbuf* copyResbufList(const resbuf* list)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
        resbuf* c = copyResbuf(rb);
        if (tail == nullptr)
            head = c;
        else
            tail->rbnext = c;
        tail = c;
    }
    return head;
}

void freeResbuf(resbuf* rb)
{
    if (rb == nullptr)
        return;
    switch (resbufValueKind(rb->restype)) {
    case ResbufValueKind::kString:
        delete[] rb->resval.rstring;
        break;
    case ResbufValueKind::kBinary:
        delete[] rb->resval.rbinary.buf;
        break;
    default:
        break;
    }
    delete rb;
}

bool resbufListsEqual(const resbuf* a, const resbuf* b)
{
    for (; a != nullptr && b != nullptr; a = a->rbnext, b = b->rbnext) {
        if (a->restype != b->restype)
            return false;
        const ads_u_val& x = a->resval;
        const ads_u_val& y = b->resval;
        switch (resbufValueKind(a->restype)) {
        case ResbufValueKind::kNone:
            break;
        case ResbufValueKind::kShort:
            if (x.rint != y.rint)
                return false;
            break;
        case ResbufValueKind::kLong:
            if (x.rlong != y.rlong)
                return false;
            break;
        case ResbufValueKind::kInt64:
            if (x.mnInt64 != y.mnInt64)
                return false;
            break;
        case ResbufValueKind::kReal:
            if (std::memcmp(&x.rreal, &y.rreal, sizeof(double)) != 0)
                return false;
            break;
        case ResbufValueKind::kPoint:
            if (std::memcmp(x.rpoint, y.rpoint, sizeof(x.rpoint)) != 0)
                return false;
            break;
        case ResbufValueKind::kString:
            if ((x.rstring == nullptr) != (y.rstring == nullptr))
                return false;
            if (x.rstring != nullptr && std::wcscmp(x.rstring, y.rstring) != 0)
                return false;
            break;
        case ResbufValueKind::kName:
            if (x.rlname[0] != y.rlname[0] || x.rlname[1] != y.rlname[1])
                return false;
            break;
        case ResbufValueKind::kBinary:
            if (x.rbinary.clen != y.rbinary.clen)
                return false;
            if (x.rbinary.clen > 0 &&
                std::memcmp(x.rbinary.buf, y.rbinary.buf, static_cast<size_t>(x.rbinary.clen)) != 0)
                return false;
            break;
        case ResbufValueKind::kHandle:
            if (std::memcmp(x.ihandle, y.ihandle, sizeof(x.ihandle)) != 0)
                return false;
            break;
        }
    }
    return a == nullptr && b == nullptr;
}

int resbufListLength(const resbuf* list)
{
    int n = 0;
    for (; list != nullptr; list = list->rbnext)
        ++n;
    return n;
}

resbuf* lastResbuf(resbuf* list)
{
    if (list == nullptr)
        return nullptr;
    while (list->rbnext != nullptr)
        list = list->rbnext;
    return list;
}

}  // namespace kelvora

using kelvora::ResbufValueKind;

resbuf* acutNewRb(int type)
{
    auto* rb = new resbuf;
    rb->rbnext = nullptr;
    rb->restype = static_cast<short>(type);
    std::memset(&rb->resval, 0, sizeof(rb->resval));
    return rb;
}

int acutRelRb(resbuf* list)
{
    while (list != nullptr) {
        resbuf* next = list->rbnext;
        kelvora::freeResbuf(list);
        list = next;
    }
    return RTNORM;
}

resbuf* acutBuildList(int type, ...)
{
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    bool failed = false;
    // The list ends at 0 or RTNONE; group code 0 therefore cannot start a list, as in the commercial host
    // (selection filters use RTDXF0 for it).
    while (type != 0 && type != RTNONE) {
        resbuf* rb = acutNewRb(type);
        switch (kelvora::resbufValueKind(type)) {
        case ResbufValueKind::kNone:
            break;
        case ResbufValueKind::kShort:
            rb->resval.rint = static_cast<short>(va_arg(args, int));
            break;
        case ResbufValueKind::kLong:
            rb->resval.rlong = static_cast<Adesk::Int32>(va_arg(args, int));
            break;
        case ResbufValueKind::kInt64:
            rb->resval.mnInt64 = va_arg(args, Adesk::Int64);
            break;
        case ResbufValueKind::kReal:
            rb->resval.rreal = va_arg(args, double);
            break;
        case ResbufValueKind::kPoint: {
            const double* pt = va_arg(args, const double*);
            if (pt != nullptr) {
                rb->resval.rpoint[0] = pt[0];
                rb->resval.rpoint[1] = pt[1];
                rb->resval.rpoint[2] = pt[2];
            }
            break;
        }
        case ResbufValueKind::kString: {
            const ACHAR* s = va_arg(args, const ACHAR*);
            rb->resval.rstring = kelvora::newWideString(s != nullptr ? s : L"");
            break;
        }
        case ResbufValueKind::kName: {
            const Adesk::LongPtr* name = va_arg(args, const Adesk::LongPtr*);
            if (name != nullptr) {
                rb->resval.rlname[0] = name[0];
                rb->resval.rlname[1] = name[1];
            }
            break;
        }
        case ResbufValueKind::kBinary: {
            const ads_binary* bin = va_arg(args, const ads_binary*);
            if (bin != nullptr && bin->buf != nullptr && bin->clen > 0) {
                rb->resval.rbinary.clen = bin->clen;
                rb->resval.rbinary.buf = new char[static_cast<size_t>(bin->clen)];
                std::memcpy(rb->resval.rbinary.buf, bin->buf, static_cast<size_t>(bin->clen));
            }
            break;
        }
        case ResbufValueKind::kHandle:
            failed = true;
            break;
        }
        if (tail == nullptr)
            head = rb;
        else
            tail->rbnext = rb;
        tail = rb;
        if (failed)
            break;
        type = va_arg(args, int);
    }
    va_end(args);
    if (failed) {
        acutRelRb(head);
        return nullptr;
    }
    return head;
}

int acutNewString(const ACHAR* source, ACHAR*& dest)
{
    dest = nullptr;
    if (source == nullptr)
        return RTERROR;
    dest = kelvora::newWideString(source);
    return RTNORM;
}

int acutDelString(ACHAR*& string)
{
    delete[] string;
    string = nullptr;
    return RTNORM;
}
