// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tavo::cli {

// Where bytes come from: fills the buffer with up to `size` bytes and returns how many, 0 at
// the end of the input, or -1 when the input cannot be read.
using ReadFunction = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

// Where bytes go: writes all of the text, false when it could not.
using WriteFunction = std::function<bool(std::string_view text)>;

// An output buffered in one block of fixed size, so that a long batch writes in large pieces
// and allocates nothing per line. Once a write fails, everything later is dropped.
class Output {
public:
    static constexpr std::size_t kCapacity = std::size_t{64} * 1024;

    explicit Output(WriteFunction write);

    void Append(std::string_view text) {
        if (text.size() <= kCapacity - m_used) {
            text.copy(m_buffer.get() + m_used, text.size());
            m_used += text.size();
        } else {
            AppendLarge(text);
        }
    }
    void Append(char c) {
        if (m_used == kCapacity) Flush();
        m_buffer[m_used++] = c;
    }
    // Writes what is buffered; false once any write has failed.
    bool Flush();
    bool Failed() const { return m_failed; }

private:
    void AppendLarge(std::string_view text);

    WriteFunction m_write;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
    bool m_failed = false;
};

// Reads an input line by line: LF or CR LF line ends, a last line without a line end counts.
// Lines that fit in the read block are handed out in place; only a line that spans two
// reads is copied, into one string whose capacity is kept. A line longer than kMaxLine bytes
// (without its LF or CR LF) is not kept at all: its bytes are skipped up to the next line
// end and the line is marked too long, so memory stays bounded whatever the input holds.
class LineReader {
public:
    static constexpr std::size_t kBlock = std::size_t{64} * 1024;
    static constexpr std::size_t kMaxLine = std::size_t{1024} * 1024;

    explicit LineReader(ReadFunction read);

    // Moves to the next line; false at the end of the input or when reading failed.
    bool Next();
    std::string_view Line() const { return m_line; }  // without its line end
    bool TooLong() const { return m_tooLong; }
    std::size_t Number() const { return m_number; }  // counted from 1
    bool Failed() const { return m_failed; }

private:
    void Keep(std::string_view piece);

    ReadFunction m_read;
    std::unique_ptr<char[]> m_block;
    std::size_t m_begin = 0;  // the unread bytes of the block: [m_begin, m_end)
    std::size_t m_end = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    std::string m_spanning;  // a line that spans reads
    std::string_view m_line;
    bool m_tooLong = false;
    std::size_t m_number = 0;
};

}  // namespace tavo::cli
