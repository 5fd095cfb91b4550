// Writes and reads DWG bit streams: two-bit codes in front of shortened shorts, longs and doubles.
#include "dxf_bit_stream.h"

#include <bit>
#include <cstring>

namespace kelvora {

namespace {

std::uint64_t doubleBits(double v)
{
    return std::bit_cast<std::uint64_t>(v);
}

}  // namespace

void BitWriter::bit(bool b)
{
    if (m_used == 8) {
        m_bytes.push_back(0);
        m_used = 0;
    }
    if (b)
        m_bytes.back() = static_cast<std::uint8_t>(m_bytes.back() | (0x80 >> m_used));
    ++m_used;
}

void BitWriter::bits(std::uint32_t value, int count)
{
    for (int i = count - 1; i >= 0; --i)
        bit(((value >> i) & 1u) != 0);
}

void BitWriter::rawShort(std::int16_t v)
{
    std::uint16_t u = static_cast<std::uint16_t>(v);
    rawByte(static_cast<std::uint8_t>(u & 0xFF));
    rawByte(static_cast<std::uint8_t>(u >> 8));
}

void BitWriter::rawLong(std::int32_t v)
{
    std::uint32_t u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        rawByte(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
}

void BitWriter::rawDouble(double v)
{
    std::uint64_t u = doubleBits(v);
    for (int i = 0; i < 8; ++i)
        rawByte(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
}

void BitWriter::bitShort(std::int16_t v)
{
    if (v == 0) {
        bits(2, 2);
    } else if (v == 256) {
        bits(3, 2);
    } else if (v > 0 && v < 256) {
        bits(1, 2);
        rawByte(static_cast<std::uint8_t>(v));
    } else {
        bits(0, 2);
        rawShort(v);
    }
}

void BitWriter::bitLong(std::int32_t v)
{
    if (v == 0) {
        bits(2, 2);
    } else if (v > 0 && v < 256) {
        bits(1, 2);
        rawByte(static_cast<std::uint8_t>(v));
    } else {
        bits(0, 2);
        rawLong(v);
    }
}

void BitWriter::bitDouble(double v)
{
    // Exact bit patterns, so that -0.0 keeps its sign.
    if (doubleBits(v) == doubleBits(0.0)) {
        bits(2, 2);
    } else if (doubleBits(v) == doubleBits(1.0)) {
        bits(1, 2);
    } else {
        bits(0, 2);
        rawDouble(v);
    }
}

void BitWriter::bitDoubleWithDefault(double v, double fallback)
{
    // Only the "same as default" and "full double" forms: the partial forms
    // save a few bytes and some readers get them wrong.
    if (doubleBits(v) == doubleBits(fallback)) {
        bits(0, 2);
    } else {
        bits(3, 2);
        rawDouble(v);
    }
}

std::uint32_t BitReader::bits(int count)
{
    if (!m_ok || bitsLeft() < static_cast<std::size_t>(count)) {
        m_ok = false;
        return 0;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < count; ++i) {
        std::uint8_t byte = m_data[m_pos >> 3];
        v = (v << 1) | ((byte >> (7 - (m_pos & 7))) & 1u);
        ++m_pos;
    }
    return v;
}

std::int16_t BitReader::rawShort()
{
    std::uint32_t lo = bits(8);
    std::uint32_t hi = bits(8);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

std::int32_t BitReader::rawLong()
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= bits(8) << (8 * i);
    return static_cast<std::int32_t>(u);
}

double BitReader::rawDouble()
{
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i)
        u |= std::uint64_t{bits(8)} << (8 * i);
    return std::bit_cast<double>(u);
}

std::int16_t BitReader::bitShort()
{
    switch (bits(2)) {
    case 0: return rawShort();
    case 1: return static_cast<std::int16_t>(bits(8));
    case 2: return 0;
    default: return 256;
    }
}

std::int32_t BitReader::bitLong()
{
    switch (bits(2)) {
    case 0: return rawLong();
    case 1: return static_cast<std::int32_t>(bits(8));
    case 2: return 0;
    default:
        // 11 is not used for longs.
        m_ok = false;
        return 0;
    }
}

double BitReader::bitDouble()
{
    switch (bits(2)) {
    case 0: return rawDouble();
    case 1: return 1.0;
    case 2: return 0.0;
    default:
        m_ok = false;
        return 0.0;
    }
}

double BitReader::bitDoubleWithDefault(double fallback)
{
    std::uint64_t u = std::bit_cast<std::uint64_t>(fallback);
    switch (bits(2)) {
    case 0:
        return fallback;
    case 1:
        // The four low bytes replaced.
        u &= 0xFFFFFFFF00000000ull;
        for (int i = 0; i < 4; ++i)
            u |= std::uint64_t{bits(8)} << (8 * i);
        return std::bit_cast<double>(u);
    case 2: {
        // Bytes 4 and 5, then 0 to 3, replaced.
        u &= 0xFFFF000000000000ull;
        u |= std::uint64_t{bits(8)} << 32;
        u |= std::uint64_t{bits(8)} << 40;
        for (int i = 0; i < 4; ++i)
            u |= std::uint64_t{bits(8)} << (8 * i);
        return std::bit_cast<double>(u);
    }
    default:
        return rawDouble();
    }
}

}  // namespace kelvora
