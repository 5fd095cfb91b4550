// Misuse reports on standard error.
#include "kelvora/diagnostics.h"

#include <atomic>
#include <cstdio>

#include "kelvora/wide_text.h"

namespace kelvora {

namespace {
std::atomic<long> g_misuseCount{0};
std::atomic<bool> g_quiet{false};
}  // namespace

void reportMisuse(const char* what)
{
    ++g_misuseCount;
    if (!g_quiet)
        std::fprintf(stderr, "kelvora: internal misuse: %s\n", what != nullptr ? what : "");
}

void reportMisuse(const wchar_t* what)
{
    reportMisuse(toUtf8(what != nullptr ? what : L"").c_str());
}

long misuseCount()
{
    return g_misuseCount;
}

QuietMisuse::QuietMisuse() : m_previous(g_quiet.exchange(true)) {}

QuietMisuse::~QuietMisuse()
{
    g_quiet = m_previous;
}

}  // namespace kelvora
