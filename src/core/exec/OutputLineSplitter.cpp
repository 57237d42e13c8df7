// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/OutputLineSplitter.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/Unicode.h"

namespace talvex::exec {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

bool IsSpecial(char c) {
    return c == '\0' || c == kLf || c == kCr;
}

// Index of the first zero, LF or CR at or after `i`, or `size`; `nonAscii` is raised when a byte
// passed on the way has its high bit set, so that only such lines need the UTF-8 check. Output
// is read at the speed the child writes it, so the scan looks at many bytes at once.
std::size_t FindSpecial(const char* data, std::size_t i, std::size_t size, bool& nonAscii) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i lf = _mm_set1_epi8(kLf);
    const __m128i cr = _mm_set1_epi8(kCr);
    while (i + 16 <= size) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, zero), _mm_cmpeq_epi8(bytes, lf)),
                                             _mm_cmpeq_epi8(bytes, cr));
        const auto specialMask = static_cast<unsigned>(_mm_movemask_epi8(special));
        const auto highMask = static_cast<unsigned>(_mm_movemask_epi8(bytes));
        if (specialMask != 0) {
            const int at = __builtin_ctz(specialMask);
            nonAscii = nonAscii || (highMask & ((1U << at) - 1)) != 0;
            return i + static_cast<std::size_t>(at);
        }
        nonAscii = nonAscii || highMask != 0;
        i += 16;
    }
#endif
    for (; i < size && !IsSpecial(data[i]); ++i) {
        nonAscii = nonAscii || (static_cast<unsigned char>(data[i]) & 0x80) != 0;
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
        emitBytes(m_line, m_lineNonAscii);
        m_line.clear();
    }
    m_lineNonAscii = false;
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
        bool nonAscii = false;
        i = FindSpecial(data, i, size, nonAscii);
        const std::string_view text(data + start, i - start);
        if (i == size) {
            m_line.append(text);
            m_lineNonAscii = m_lineNonAscii || nonAscii;
            break;
        }
        const char c = data[i++];
        if (c == '\0') {
            m_line.append(text);
            m_lineNonAscii = m_lineNonAscii || nonAscii;
        } else {
            // A line that lies wholly inside the chunk goes out without being copied.
            if (m_line.empty()) {
                emitBytes(text, nonAscii);
            } else {
                m_line.append(text);
                emitBytes(m_line, m_lineNonAscii || nonAscii);
                m_line.clear();
                m_lineNonAscii = false;
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

void OutputLineSplitter::emitBytes(std::string_view bytes, bool nonAscii) {
    if (!nonAscii || platform::IsValidUtf8(bytes)) {
        m_log.appendLine(bytes, LogColour::Black);
        return;
    }
    m_converted.clear();
    platform::AppendValidUtf8(m_converted, bytes);
    m_log.appendLine(m_converted, LogColour::Black);
}

void OutputLineSplitter::emitUnits() {
    m_converted.clear();
    platform::AppendUtf16AsUtf8(m_converted, m_units);
    m_units.clear();
    m_log.appendLine(m_converted, LogColour::Black);
}

} // namespace talvex::exec
