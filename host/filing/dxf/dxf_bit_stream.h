// DWG bit streams (bits high first, bit-coded shorts, longs and doubles), as proxy lightweight polylines use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kelvora {

class BitWriter {
public:
    void bit(bool b);
    void bits(std::uint32_t value, int count);
    void rawByte(std::uint8_t b) { bits(b, 8); }
    void rawShort(std::int16_t v);
    void rawLong(std::int32_t v);
    void rawDouble(double v);
    void bitShort(std::int16_t v);   // BS
    void bitLong(std::int32_t v);    // BL
    void bitDouble(double v);        // BD
    // DD: a double written against a default (the previous value).
    void bitDoubleWithDefault(double v, double fallback);
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    int m_used = 8;  // bits used in the last byte
};

// Reads a bit stream; every read checks the bits left, and after a short read
// ok() is false and every later read gives 0.
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> data) : m_data(data) {}

    bool ok() const { return m_ok; }
    std::size_t bitsLeft() const { return m_data.size() * 8 - m_pos; }
    std::uint32_t bits(int count);
    std::int16_t rawShort();
    std::int32_t rawLong();
    double rawDouble();
    std::int16_t bitShort();
    std::int32_t bitLong();
    double bitDouble();
    double bitDoubleWithDefault(double fallback);

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

}  // namespace kelvora
