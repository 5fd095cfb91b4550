// One DXF group (code and value) as read, with where it was read and typed access to its value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvora {

// The type of a group's value, fixed by its code as the DXF reference gives it.
// Binary DXF stores each type in its own width; ASCII DXF writes all of them as text.
enum class DxfValueType {
    kString,  // 0-9, 100, 102, 300-309, 410-419, 430-439, 470-479, 999, 1000-1003, 1006-1009, undefined codes
    kHandle,  // 5, 105, 320-369, 390-399, 480-481, 1005: hexadecimal text
    kDouble,  // 10-59, 110-149, 210-239, 460-469, 1010-1059
    kInt16,   // 60-79, 170-179, 270-289, 370-389, 400-409, 1060-1070
    kInt32,   // 90-99, 420-429, 440-459, 1071
    kInt64,   // 160-169
    kBool,    // 290-299
    kBinary,  // 310-319, 1004: hexadecimal text of at most 127 bytes a group
};

// Group codes a file may hold; anything outside is not a group code.
constexpr int kDxfMinGroupCode = 0;
constexpr int kDxfMaxGroupCode = 1071;

DxfValueType dxfValueType(int code);
const char* dxfValueTypeName(DxfValueType type);
inline bool isValidDxfGroupCode(long code) { return code >= kDxfMinGroupCode && code <= kDxfMaxGroupCode; }
// True for the types that hold text to be decoded (not numbers, handles or binary).
inline bool isDxfTextType(DxfValueType type) { return type == DxfValueType::kString; }

// A group as read. The value stays text exactly as it came (numbers as written,
// strings decoded to UTF-8, binary data as hexadecimal), so writing it back
// loses nothing; the typed accessors convert on demand and give nothing for a
// malformed value.
struct DxfTag {
    std::int32_t code = 0;
    std::uint32_t line = 0;  // line of the group code, from 1; 0 when read from binary DXF
    std::string value;

    DxfTag() = default;
    DxfTag(std::int32_t c, std::string v) : code(c), value(std::move(v)) {}
    DxfTag(std::int32_t c, std::string v, std::uint32_t l) : code(c), line(l), value(std::move(v)) {}

    DxfValueType type() const { return dxfValueType(code); }
    // The line of the value (the line after the group code); 0 in binary files.
    std::uint32_t valueLine() const { return line > 0 ? line + 1 : 0; }

    std::optional<double> toDouble() const;
    std::optional<std::int64_t> toInteger() const;
    std::optional<bool> toBool() const;
    std::optional<std::uint64_t> toHandle() const;
    // The bytes of a binary group; nothing for an odd length or a non-hex digit.
    std::optional<std::vector<std::uint8_t>> toBinary() const;
    // The value without the blanks that surround a number in some files.
    std::string_view trimmed() const;
};

// Tags compare by code and value; where they were read does not matter.
inline bool sameDxfTag(const DxfTag& a, const DxfTag& b) { return a.code == b.code && a.value == b.value; }

// Why `value` does not fit the type of group `code`, or an empty string when it
// does. Strings and handles always fit (a handle is text, judged with its
// record); numbers, bools and binary data are checked (range included: an
// int16 group must hold a 16-bit number).
std::string dxfValueProblem(int code, std::string_view value);
// The same check, without the message: the readers' fast path.
bool isDxfValueWellFormed(int code, std::string_view value);

// Shortest text that reads back as the same double, with a decimal point so that
// every reader sees a real number ("0.0", "2.5", "1e+300" stays as is).
std::string formatDxfDouble(double value);
// The same text in `buffer`, which it views (no string is made: writers call this per coordinate).
inline constexpr std::size_t kDxfDoubleTextBytes = 32;
std::string_view formatDxfDouble(double value, char (&buffer)[kDxfDoubleTextBytes]);
// Upper-case hexadecimal without leading zeros, as handles are written ("0" for 0).
std::string formatDxfHandle(std::uint64_t handle);
std::string formatDxfHex(const std::uint8_t* data, std::size_t size);

DxfTag makeDxfDoubleTag(int code, double value);
DxfTag makeDxfIntegerTag(int code, std::int64_t value);

}  // namespace kelvora
