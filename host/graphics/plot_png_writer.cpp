// PNG files of plots: the signature, a header chunk, the image deflated at zlib's fastest level, and the end chunk.
#include "plot_png_writer.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <vector>

namespace kelvora {

namespace {

// Compressed data is written in chunks of this many bytes (any size is valid PNG).
constexpr std::size_t kChunkBytes = 1 << 18;

void putBigEndian(std::vector<unsigned char>& out, std::uint32_t v)
{
    out.push_back(static_cast<unsigned char>(v >> 24));
    out.push_back(static_cast<unsigned char>(v >> 16));
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

// One chunk: length, type, data, CRC of type and data.
bool writeChunk(AtomicOutput& output, const char type[4], const unsigned char* data, std::size_t length)
{
    std::vector<unsigned char> head;
    putBigEndian(head, static_cast<std::uint32_t>(length));
    head.insert(head.end(), type, type + 4);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(type), 4);
    if (length > 0)
        crc = crc32(crc, data, static_cast<uInt>(length));
    std::vector<unsigned char> tail;
    putBigEndian(tail, static_cast<std::uint32_t>(crc));
    return output.write(head.data(), head.size()) && (length == 0 || output.write(data, length)) &&
           output.write(tail.data(), tail.size());
}

}  // namespace

bool writePlotPng(cairo_surface_t* surface, AtomicOutput& output)
{
    if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_RGB24)
        return false;
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    if (pixels == nullptr || width <= 0 || height <= 0)
        return false;

    static constexpr std::array<unsigned char, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!output.write(kSignature.data(), kSignature.size()))
        return false;
    std::vector<unsigned char> header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter method, no interlace
    if (!writeChunk(output, "IHDR", header.data(), header.size()))
        return false;

    z_stream z{};
    if (deflateInit(&z, Z_BEST_SPEED) != Z_OK)
        return false;
    std::vector<unsigned char> row(1 + 3 * static_cast<std::size_t>(width));
    std::vector<unsigned char> chunk(kChunkBytes);
    z.next_out = chunk.data();
    z.avail_out = static_cast<uInt>(chunk.size());
    bool ok = true;
    for (int y = 0; y <= height && ok; ++y) {
        const bool last = y == height;
        if (!last) {
            // Filter type 0, then R, G, B from cairo's native-endian 0x00RRGGBB words.
            row[0] = 0;
            const auto* words = reinterpret_cast<const std::uint32_t*>(pixels + static_cast<std::ptrdiff_t>(y) * stride);
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = words[x];
                unsigned char* rgb = &row[1 + 3 * static_cast<std::size_t>(x)];
                rgb[0] = static_cast<unsigned char>(p >> 16);
                rgb[1] = static_cast<unsigned char>(p >> 8);
                rgb[2] = static_cast<unsigned char>(p);
            }
            z.next_in = row.data();
            z.avail_in = static_cast<uInt>(row.size());
        }
        int status = Z_OK;
        do {
            status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            if (status == Z_STREAM_ERROR) {
                ok = false;
                break;
            }
            if (z.avail_out == 0 || (last && status == Z_STREAM_END)) {
                const std::size_t produced = chunk.size() - z.avail_out;
                if (produced > 0 && !writeChunk(output, "IDAT", chunk.data(), produced))
                    ok = false;
                z.next_out = chunk.data();
                z.avail_out = static_cast<uInt>(chunk.size());
            }
        } while (ok && (last ? status != Z_STREAM_END : z.avail_in > 0));
    }
    deflateEnd(&z);
    return ok && writeChunk(output, "IEND", nullptr, 0);
}

}  // namespace kelvora
