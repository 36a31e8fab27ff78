// SPDX-License-Identifier: MIT
#include "line_io.h"

#include <cstring>

namespace tavo::cli {

Output::Output(WriteFunction write)
    : m_write(std::move(write)), m_buffer(std::make_unique<char[]>(kCapacity)) {}

bool Output::Flush() {
    if (m_used > 0 && !m_failed) m_failed = !m_write(std::string_view(m_buffer.get(), m_used));
    m_used = 0;
    return !m_failed;
}

void Output::AppendLarge(std::string_view text) {
    Flush();
    if (text.size() <= kCapacity) {
        Append(text);
    } else if (!m_failed) {
        m_failed = !m_write(text);
    }
}

LineReader::LineReader(ReadFunction read)
    : m_read(std::move(read)), m_block(std::make_unique<char[]>(kBlock)) {}

void LineReader::Keep(std::string_view piece) {
    if (m_tooLong) return;
    // One byte more than a line may hold: the CR of a CR LF line end, which Next() strips
    // before it measures the line.
    if (m_spanning.size() + piece.size() > kMaxLine + 1) {
        m_tooLong = true;
        m_spanning.clear();
        return;
    }
    m_spanning.append(piece);
}

bool LineReader::Next() {
    m_spanning.clear();
    m_tooLong = false;
    bool anyByte = false;  // whether this line has any byte, or a line end, at all
    bool spans = false;    // whether its bytes are gathered in m_spanning
    for (;;) {
        const char* first = m_block.get() + m_begin;
        const std::size_t count = m_end - m_begin;
        const auto* lineEnd = static_cast<const char*>(std::memchr(first, '\n', count));
        if (lineEnd != nullptr) {
            const std::string_view piece(first, static_cast<std::size_t>(lineEnd - first));
            m_begin += piece.size() + 1;
            if (spans) {
                Keep(piece);
                m_line = m_spanning;
            } else {
                m_line = piece;
            }
            break;
        }
        if (count > 0) {
            anyByte = true;
            spans = true;
            Keep(std::string_view(first, count));
        }
        m_begin = m_end = 0;
        if (m_atEnd) {
            if (!anyByte) return false;
            m_line = m_spanning;  // the last line, without a line end
            break;
        }
        const std::ptrdiff_t got = m_failed ? -1 : m_read(m_block.get(), kBlock);
        if (got < 0) {
            m_failed = true;
            return false;
        }
        if (got == 0) {
            m_atEnd = true;
        } else {
            m_end = static_cast<std::size_t>(got);
        }
    }
    if (!m_line.empty() && m_line.back() == '\r') m_line.remove_suffix(1);
    if (m_line.size() > kMaxLine) m_tooLong = true;
    if (m_tooLong) m_line = {};
    ++m_number;
    return true;
}

}  // namespace tavo::cli
