// AcDbHandle: hexadecimal text in and out, and the 32-bit halves.
#include <cstdio>

#include "dbhandle.h"

namespace {

template <class Char>
Adesk::UInt64 parseHex(const Char* text, bool& ok)
{
    ok = false;
    if (text == nullptr)
        return 0;
    Adesk::UInt64 value = 0;
    int digits = 0;
    for (const Char* p = text; *p != 0; ++p) {
        int d;
        if (*p >= '0' && *p <= '9')
            d = *p - '0';
        else if (*p >= 'a' && *p <= 'f')
            d = *p - 'a' + 10;
        else if (*p >= 'A' && *p <= 'F')
            d = *p - 'A' + 10;
        else
            return 0;
        if (++digits > 16)
            return 0;
        value = (value << 4) | static_cast<Adesk::UInt64>(d);
    }
    ok = digits > 0;
    return ok ? value : 0;
}

template <class Char>
bool formatHex(Adesk::UInt64 value, Char* buf, size_t len)
{
    if (buf == nullptr || len == 0)
        return false;
    Char tmp[17];
    int n = 0;
    do {
        int d = static_cast<int>(value & 0xF);
        tmp[n++] = static_cast<Char>(d < 10 ? '0' + d : 'A' + d - 10);
        value >>= 4;
    } while (value != 0);
    if (static_cast<size_t>(n) + 1 > len) {
        buf[0] = 0;
        return false;
    }
    for (int i = 0; i < n; ++i)
        buf[i] = tmp[n - 1 - i];
    buf[n] = 0;
    return true;
}

}  // namespace

AcDbHandle::AcDbHandle(int lo, int hi)
    : m_value((static_cast<Adesk::UInt64>(static_cast<Adesk::UInt32>(hi)) << 32) | static_cast<Adesk::UInt32>(lo))
{
}

AcDbHandle::AcDbHandle(const ACHAR* hexString)
{
    bool ok = false;
    m_value = parseHex(hexString, ok);
}

AcDbHandle::AcDbHandle(const char* hexString)
{
    bool ok = false;
    m_value = parseHex(hexString, ok);
}

AcDbHandle& AcDbHandle::operator=(const ACHAR* hexString)
{
    bool ok = false;
    m_value = parseHex(hexString, ok);
    return *this;
}

void AcDbHandle::setLow(Adesk::UInt32 low)
{
    m_value = (m_value & 0xFFFFFFFF00000000ull) | low;
}

void AcDbHandle::setHigh(Adesk::UInt32 high)
{
    m_value = (m_value & 0xFFFFFFFFull) | (static_cast<Adesk::UInt64>(high) << 32);
}

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* pBuf, size_t nBufLen) const
{
    return formatHex(m_value, pBuf, nBufLen);
}

bool AcDbHandle::getIntoAsciiBuffer(char* pBuf, size_t nBufLen) const
{
    return formatHex(m_value, pBuf, nBufLen);
}
