#pragma once

#include <span>
#include <string>
#include <string_view>

#include "convert_args.h"

namespace tavo::cli {

// Exit statuses of tavo-convert.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitMisuse = 2;

// The rows of the window the request describes, one "ROW\tLABEL\tTEXT\n" line each, in row
// order. The edited row shows its typed text unless a refresh followed the Enter.
std::string RenderRows(const Request& request);

// Everything one run writes, so that a test can look at it without starting a process.
struct Outcome {
    int status = kExitOk;
    std::string out;  // for stdout
    std::string err;  // for stderr
};

// Parses the arguments (without the program name) and produces the run's output.
Outcome Run(std::span<const std::string_view> args);

}  // namespace tavo::cli
