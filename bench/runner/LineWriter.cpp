// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark's child: writes COUNT short lines ending in CR LF as fast as it can.
//   talvex_bench_line_writer COUNT buffered   through a large stdio buffer
//   talvex_bench_line_writer COUNT per-line   one write(2) a line, as a console program that
//                                             flushes every line does
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    const long count = std::atol(argv[1]);
    const bool perLine = std::strcmp(argv[2], "per-line") == 0;
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    char line[64];
    for (long i = 0; i < count; ++i) {
        const int length = std::snprintf(line, sizeof line, "  100%%  file %07ld.txt\r\n", i);
        if (perLine) {
            if (::write(STDOUT_FILENO, line, static_cast<std::size_t>(length)) != length) {
                return 3;
            }
        } else {
            std::fwrite(line, 1, static_cast<std::size_t>(length), stdout);
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 3;
}
