// Reads the groups of a binary DXF file, R12 (one-byte codes) and R13 on (two-byte codes).
#include "dxf_binary_tag_reader.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace kelvora {

namespace {

constexpr int kCommentCode = 999;
constexpr unsigned char kWideCodeEscape = 255;

std::uint64_t readLittleEndian(const char* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

std::int64_t signExtend(std::uint64_t v, int bytes)
{
    if (bytes >= 8)
        return static_cast<std::int64_t>(v);
    std::uint64_t sign = std::uint64_t{1} << (bytes * 8 - 1);
    std::uint64_t mask = (std::uint64_t{1} << (bytes * 8)) - 1;
    v &= mask;
    return static_cast<std::int64_t>((v ^ sign) - sign);
}

}  // namespace

DxfBinaryTagReader::DxfBinaryTagReader(std::string_view data, DxfDiagnostics& diagnostics)
    : m_data(data), m_diagnostics(diagnostics)
{
    m_pos = kDxfBinarySentinel.size();
    // Every file opens with "0 SECTION": a zero code byte followed directly by the
    // 'S' of SECTION tells one-byte codes from two-byte ones.
    if (m_data.size() >= m_pos + 2 && m_data[m_pos] == '\0' && m_data[m_pos + 1] == 'S')
        m_oneByteCodes = true;
}

bool DxfBinaryTagReader::fail(std::string text)
{
    m_diagnostics.error(0, std::move(text));
    m_failed = true;
    return false;
}

bool DxfBinaryTagReader::need(std::size_t bytes, int code)
{
    if (m_data.size() - m_pos >= bytes)
        return true;
    return fail("unexpected end of binary file at byte " + std::to_string(m_pos) + ": the value of group code " +
                std::to_string(code) + " is cut short");
}

bool DxfBinaryTagReader::next(DxfTag& tag)
{
    for (;;) {
        if (m_failed || m_pos >= m_data.size())
            return false;
        std::size_t offset = m_pos;
        int code = 0;
        if (m_oneByteCodes) {
            unsigned char first = static_cast<unsigned char>(m_data[m_pos]);
            if (first == kWideCodeEscape) {
                if (m_data.size() - m_pos < 3)
                    return fail("unexpected end of binary file at byte " + std::to_string(m_pos) +
                                ": a group code is cut short");
                code = static_cast<int>(readLittleEndian(m_data.data() + m_pos + 1, 2));
                m_pos += 3;
            } else {
                code = first;
                m_pos += 1;
            }
        } else {
            if (m_data.size() - m_pos < 2)
                return fail("unexpected end of binary file at byte " + std::to_string(m_pos) + ": a group code is cut short");
            code = static_cast<int>(readLittleEndian(m_data.data() + m_pos, 2));
            m_pos += 2;
        }
        if (!isValidDxfGroupCode(code))
            return fail("invalid group code " + std::to_string(code) + " at byte " + std::to_string(offset));

        const char* p = m_data.data() + m_pos;
        std::string value;
        switch (dxfValueType(code)) {
        case DxfValueType::kString:
        case DxfValueType::kHandle: {
            const void* nul = std::memchr(p, '\0', m_data.size() - m_pos);
            if (!nul)
                return fail("unexpected end of binary file at byte " + std::to_string(m_pos) +
                            ": the string of group code " + std::to_string(code) + " has no end");
            std::size_t length = static_cast<std::size_t>(static_cast<const char*>(nul) - p);
            value.assign(p, length);
            m_pos += length + 1;
            break;
        }
        case DxfValueType::kDouble: {
            if (!need(8, code))
                return false;
            std::uint64_t bits = readLittleEndian(p, 8);
            double d = 0;
            std::memcpy(&d, &bits, sizeof d);
            if (!std::isfinite(d))
                return fail("invalid real number for group code " + std::to_string(code) + " at byte " +
                            std::to_string(m_pos));
            value = formatDxfDouble(d);
            m_pos += 8;
            break;
        }
        case DxfValueType::kInt16:
            if (!need(2, code))
                return false;
            value = std::to_string(signExtend(readLittleEndian(p, 2), 2));
            m_pos += 2;
            break;
        case DxfValueType::kInt32:
            if (!need(4, code))
                return false;
            value = std::to_string(signExtend(readLittleEndian(p, 4), 4));
            m_pos += 4;
            break;
        case DxfValueType::kInt64:
            if (!need(8, code))
                return false;
            value = std::to_string(signExtend(readLittleEndian(p, 8), 8));
            m_pos += 8;
            break;
        case DxfValueType::kBool:
            if (!need(1, code))
                return false;
            value = std::to_string(static_cast<unsigned char>(*p));
            m_pos += 1;
            break;
        case DxfValueType::kBinary: {
            if (!need(1, code))
                return false;
            std::size_t length = static_cast<unsigned char>(*p);
            if (!need(1 + length, code))
                return false;
            value = formatDxfHex(reinterpret_cast<const std::uint8_t*>(p + 1), length);
            m_pos += 1 + length;
            break;
        }
        }
        if (code == kCommentCode)
            continue;
        tag.code = code;
        tag.line = 0;
        tag.value = std::move(value);
        return true;
    }
}

}  // namespace kelvora
