// The program's usage text and exit statuses.
#pragma once

#include <string_view>

namespace kelvora::cli {

// 0: the script ran to its end; 1: a file could not be read or written, or the script failed;
// 2: the command line itself is wrong.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

extern const std::string_view kUsage;

// "kelvora: error: TEXT" and a pointer to --help on standard error; the usage status.
int usageError(std::string_view text);

// "kelvora: error: TEXT" on standard error; the failure status.
int failure(std::string_view text);

}  // namespace kelvora::cli
