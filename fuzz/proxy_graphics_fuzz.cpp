// libFuzzer target: any bytes through the proxy graphics decoder, and what it decoded re-encoded and decoded again.
#include "kelvora/dxf_proxy_graphics.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kelvora::ProxyGraphicsWriter copy;
    std::string error;
    if (!kelvora::decodeProxyGraphics(std::span<const std::uint8_t>(data, size), copy, error))
        return 0;
    std::vector<std::uint8_t> bytes = copy.bytes();
    kelvora::ProxyGraphicsWriter again;
    if (!kelvora::decodeProxyGraphics(bytes, again, error))
        __builtin_trap();
    if (again.bytes() != bytes)
        __builtin_trap();
    return 0;
}
