// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

int main(int argc, char** argv) {
    (void)argv;
    if (argc < 2) {
        std::puts("robocopy: no copy engine yet");
    }
    return 16;
}
