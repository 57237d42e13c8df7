// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/OutputLineSplitter.h"

#include <cstdint>
#include <cstring>

#include "core/services/Unicode.h"

namespace talvex::exec {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

bool IsSpecial(char c) {
    return c == '\0' || c == kLf || c == kCr;
}

// Index of the first zero, LF or CR at or after `i`, or `size`. Output is mostly printable text,
// so eight bytes at a time are ruled out together when none of them is below 14.
std::size_t FindSpecial(const char* data, std::size_t i, std::size_t size) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (i + sizeof(std::uint64_t) <= size) {
        std::uint64_t word = 0;
        std::memcpy(&word, data + i, sizeof word);
        // A high bit survives exactly for the bytes below 14 (bytes with their own high bit drop out).
        if (((word - kOnes * 14) & ~word & kHighBits) != 0) {
            break;
        }
        i += sizeof word;
    }
    while (i < size && !IsSpecial(data[i])) {
        ++i;
    }
    return i;
}

} // namespace

OutputLineSplitter::OutputLineSplitter(OutputEncoding encoding, LogSink& log) : m_encoding(encoding), m_log(log) {}

void OutputLineSplitter::feed(std::span<const char> chunk) {
    if (chunk.empty()) {
        return;
    }
    if (m_encoding == OutputEncoding::Utf16Le) {
        feedUtf16(chunk);
    } else {
        feedBytes(chunk);
    }
}

void OutputLineSplitter::finish() {
    if (m_hasOddByte) {
        // Half a code unit at the very end can never be completed.
        m_units.push_back(u'\uFFFD');
        m_hasOddByte = false;
    }
    if (!m_line.empty()) {
        emitBytes(m_line);
        m_line.clear();
    }
    if (!m_units.empty()) {
        emitUnits();
    }
    m_afterCr = false;
}

void OutputLineSplitter::feedBytes(std::span<const char> chunk) {
    const char* data = chunk.data();
    const std::size_t size = chunk.size();
    std::size_t i = 0;
    if (m_afterCr) {
        m_afterCr = false;
        if (data[0] == kLf) {
            i = 1;
        }
    }
    std::size_t start = i;
    while (i < size) {
        i = FindSpecial(data, i, size);
        const std::string_view text(data + start, i - start);
        if (i == size) {
            m_line.append(text);
            break;
        }
        const char c = data[i++];
        if (c == '\0') {
            m_line.append(text);
        } else {
            // A line that lies wholly inside the chunk goes out without being copied.
            if (m_line.empty()) {
                emitBytes(text);
            } else {
                m_line.append(text);
                emitBytes(m_line);
                m_line.clear();
            }
            if (c == kCr) {
                if (i == size) {
                    m_afterCr = true;
                } else if (data[i] == kLf) {
                    ++i;
                }
            }
        }
        start = i;
    }
}

void OutputLineSplitter::feedUtf16(std::span<const char> chunk) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(chunk[i]); };
    std::size_t i = 0;
    if (m_hasOddByte) {
        addUnit(static_cast<char16_t>(static_cast<unsigned char>(m_oddByte) | (byte(0) << 8)));
        m_hasOddByte = false;
        i = 1;
    }
    for (; i + 1 < chunk.size(); i += 2) {
        addUnit(static_cast<char16_t>(byte(i) | (byte(i + 1) << 8)));
    }
    if (i < chunk.size()) {
        m_oddByte = chunk[i];
        m_hasOddByte = true;
    }
}

void OutputLineSplitter::addUnit(char16_t unit) {
    if (m_afterCr) {
        m_afterCr = false;
        if (unit == u'\n') {
            return;
        }
    }
    if (unit == 0) {
        return;
    }
    if (unit == u'\n' || unit == u'\r') {
        emitUnits();
        m_afterCr = unit == u'\r';
        return;
    }
    m_units.push_back(unit);
}

void OutputLineSplitter::emitBytes(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        m_log.appendLine(bytes, LogColour::Black);
        return;
    }
    m_converted.clear();
    AppendValidUtf8(m_converted, bytes);
    m_log.appendLine(m_converted, LogColour::Black);
}

void OutputLineSplitter::emitUnits() {
    m_converted.clear();
    AppendUtf16AsUtf8(m_converted, m_units);
    m_units.clear();
    m_log.appendLine(m_converted, LogColour::Black);
}

} // namespace talvex::exec
