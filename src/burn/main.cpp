// SPDX-License-Identifier: GPL-3.0-or-later
// talvex-burn: burns an ISO image with xorriso, taking the switches of the Windows burning tools
// that a job run passes (/START /CLOSE /SRC /DEST /SPEED /ERASE /LOG). Exit code 0 only when the
// image was burnt; 2 when the input was refused before anything was written.
#include <fstream>
#include <iostream>
#include <streambuf>

#include "burn/BurnArguments.h"
#include "burn/XorrisoRun.h"
#include "platform/OpticalDrives.h"

namespace {

// Writes to the console and, when a log file is asked for, to it as well.
class TeeBuffer final : public std::streambuf {
public:
    TeeBuffer(std::streambuf* first, std::streambuf* second) : m_first(first), m_second(second) {}

protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) {
            return traits_type::not_eof(c);
        }
        m_first->sputc(static_cast<char>(c));
        if (m_second != nullptr) {
            m_second->sputc(static_cast<char>(c));
        }
        return c;
    }
    int sync() override {
        m_first->pubsync();
        if (m_second != nullptr) {
            m_second->pubsync();
        }
        return 0;
    }

private:
    std::streambuf* m_first;
    std::streambuf* m_second;
};

} // namespace

int main(int argc, char** argv) {
    using namespace talvex;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const burn::ParsedArguments parsed = burn::ParseBurnArguments(args);
    if (!parsed.arguments) {
        std::cerr << "talvex-burn: " << parsed.error << '\n'
                  << "usage: talvex-burn [/START] [/CLOSE] /SRC image /DEST device|stdio:file [/SPEED n|Max] "
                     "[/ERASE] [/LOG file]\n";
        return 2;
    }
    const burn::BurnArguments& arguments = *parsed.arguments;
    std::vector<std::string> devices;
    for (const platform::OpticalDrive& drive : platform::ListOpticalDrives()) {
        devices.push_back(drive.device);
    }
    if (const std::string refused = burn::CheckBurnTarget(arguments, devices); !refused.empty()) {
        std::cerr << "talvex-burn: " << refused << '\n';
        return 2;
    }

    std::ofstream logFile;
    if (!arguments.logFile.empty()) {
        logFile.open(arguments.logFile, std::ios::binary | std::ios::trunc);
        if (!logFile) {
            std::cerr << "talvex-burn: cannot write the log file " << arguments.logFile << '\n';
            return 2;
        }
    }
    TeeBuffer tee(std::cout.rdbuf(), logFile.is_open() ? logFile.rdbuf() : nullptr);
    std::ostream out(&tee);
    const int code = burn::RunAndCopyOutput("xorriso", burn::XorrisoArguments(arguments), out);
    if (code == 0) {
        out << "talvex-burn: image burnt\n";
    } else {
        out << "talvex-burn: burning failed, exit code " << code << '\n';
    }
    out.flush();
    return code == 0 ? 0 : 1;
}
