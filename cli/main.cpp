// tavo-convert: the conversion core from the command line. See UsageText() for the usage.

#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "convert_run.h"

namespace {

// Writes all of text to stream; false when the stream could not take it.
bool WriteAll(std::FILE* stream, const std::string& text) {
    if (text.empty()) return true;
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

}  // namespace

int main(int argc, char** argv) {
    using tavo::cli::kExitFailure;
    try {
        std::vector<std::string_view> args;
        args.reserve(argc > 1 ? static_cast<std::size_t>(argc - 1) : 0U);
        for (int k = 1; k < argc; ++k) args.emplace_back(argv[k]);

        const tavo::cli::Outcome outcome = tavo::cli::Run(args);
        const bool written = WriteAll(stdout, outcome.out) && std::fflush(stdout) == 0;
        WriteAll(stderr, outcome.err);
        if (!written) {
            std::fputs("tavo-convert: could not write the output\n", stderr);
            return kExitFailure;
        }
        return outcome.status;
    } catch (const std::exception& error) {
        std::fputs("tavo-convert: ", stderr);
        std::fputs(error.what(), stderr);
        std::fputc('\n', stderr);
        return kExitFailure;
    }
}
