// SPDX-License-Identifier: MIT
// tavo-convert: the conversion core from the command line. See UsageText() for the usage.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "convert_run.h"

namespace {

// Reads from a file descriptor, retrying after a signal.
std::ptrdiff_t ReadFrom(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

// Writes all of text to a file descriptor; false when it could not take it.
bool WriteTo(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = write(fd, text.data(), text.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using tavo::cli::kExitFailure;
    try {
        std::vector<std::string_view> args;
        args.reserve(argc > 1 ? static_cast<std::size_t>(argc - 1) : 0U);
        for (int k = 1; k < argc; ++k) args.emplace_back(argv[k]);

        const tavo::cli::Streams streams{
            [](char* buffer, std::size_t size) { return ReadFrom(STDIN_FILENO, buffer, size); },
            [](std::string_view text) { return WriteTo(STDOUT_FILENO, text); },
            [](std::string_view text) { return WriteTo(STDERR_FILENO, text); },
        };
        return tavo::cli::Run(args, streams);
    } catch (const std::exception& error) {
        std::fputs("tavo-convert: ", stderr);
        std::fputs(error.what(), stderr);
        std::fputc('\n', stderr);
        return kExitFailure;
    }
}
