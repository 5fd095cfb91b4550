// AcDbHandle: the 64-bit number that names an object in its drawing, written in hexadecimal.
#pragma once

#include <cstddef>
#include <type_traits>

#include "adesk.h"

class AcDbHandle {
public:
    AcDbHandle() = default;
    // From any integer (0 included, which would otherwise also match the text forms).
    template <class T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
    AcDbHandle(T value) : m_value(static_cast<Adesk::UInt64>(value))  // NOLINT: converts as the host's does
    {
    }
    AcDbHandle(int lo, int hi);
    // From hexadecimal text ("2A", "2a"); text that is not hexadecimal or is longer than 16 digits gives
    // the null handle.
    explicit AcDbHandle(const ACHAR* hexString);
    explicit AcDbHandle(const char* hexString);

    template <class T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
    AcDbHandle& operator=(T value)
    {
        m_value = static_cast<Adesk::UInt64>(value);
        return *this;
    }
    AcDbHandle& operator=(const ACHAR* hexString);

    Adesk::UInt64 value() const { return m_value; }

    bool isNull() const { return m_value == 0; }
    void setNull() { m_value = 0; }

    Adesk::UInt32 low() const { return static_cast<Adesk::UInt32>(m_value & 0xFFFFFFFFu); }
    Adesk::UInt32 high() const { return static_cast<Adesk::UInt32>(m_value >> 32); }
    void setLow(Adesk::UInt32 low);
    void setHigh(Adesk::UInt32 high);

    // Upper-case hexadecimal without leading zeros ("0" for the null handle), into a buffer of at least
    // 17 characters. Answers false when the buffer is too small (it then holds an empty string).
    bool getIntoAsciiBuffer(ACHAR* pBuf, size_t nBufLen) const;
    bool getIntoAsciiBuffer(char* pBuf, size_t nBufLen) const;

    void increment() { ++m_value; }
    void decrement() { --m_value; }
    AcDbHandle& operator++()
    {
        ++m_value;
        return *this;
    }
    AcDbHandle operator++(int)
    {
        AcDbHandle old = *this;
        ++m_value;
        return old;
    }
    AcDbHandle operator+(const AcDbHandle& other) const { return AcDbHandle(m_value + other.m_value); }
    AcDbHandle& operator+=(const AcDbHandle& other)
    {
        m_value += other.m_value;
        return *this;
    }

    bool operator==(const AcDbHandle& o) const { return m_value == o.m_value; }
    bool operator!=(const AcDbHandle& o) const { return m_value != o.m_value; }
    bool operator<(const AcDbHandle& o) const { return m_value < o.m_value; }
    bool operator>(const AcDbHandle& o) const { return m_value > o.m_value; }
    bool operator<=(const AcDbHandle& o) const { return m_value <= o.m_value; }
    bool operator>=(const AcDbHandle& o) const { return m_value >= o.m_value; }

private:
    Adesk::UInt64 m_value = 0;
};
