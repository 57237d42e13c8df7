// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fakes/TempFolder.h"

// A temporary folder per test and a way to run the built robocopy on it.
class TreeFixture : public ::testing::Test {
protected:
    struct Run {
        int code = -1;
        std::string output;
    };

    [[nodiscard]] std::string path(const std::string& relative) const { return (m_root / relative).string(); }

    void write(const std::string& relative, const std::string& content, time_t modified = 0) const {
        const std::filesystem::path file = m_root / relative;
        std::filesystem::create_directories(file.parent_path());
        talvex::fakes::TempFolder::Write(file.string(), content);
        if (modified != 0) {
            const struct timespec times[2] = {{modified, 0}, {modified, 0}};
            ::utimensat(AT_FDCWD, file.c_str(), times, 0);
        }
    }

    [[nodiscard]] std::string read(const std::string& relative) const {
        return talvex::fakes::TempFolder::Read(path(relative));
    }
    [[nodiscard]] bool exists(const std::string& relative) const {
        struct stat status {};
        return ::lstat(path(relative).c_str(), &status) == 0;
    }

    // Relative path to content; "<dir>" for folders and "-> target" for links.
    [[nodiscard]] std::map<std::string, std::string> tree(const std::string& relative) const {
        std::map<std::string, std::string> result;
        const std::filesystem::path base = m_root / relative;
        for (auto it = std::filesystem::recursive_directory_iterator(base); it != std::filesystem::end(it); ++it) {
            const std::string name = it->path().lexically_relative(base).string();
            if (it->is_symlink()) {
                result[name] = "-> " + std::filesystem::read_symlink(it->path()).string();
            } else if (it->is_directory()) {
                result[name] = "<dir>";
            } else {
                result[name] = read(it->path().lexically_relative(m_root).string());
            }
        }
        return result;
    }

    struct Child {
        pid_t pid = -1;
        int output = -1; // the read end of its standard output
    };

    // Starts the built robocopy. asNobody: as root, run it as user nobody so that permission bits count again.
    [[nodiscard]] static Child start(const std::vector<std::string>& arguments, bool asNobody = false) {
        const std::string program = std::string(TALVEX_BIN_DIR) + "/robocopy";
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
            return {};
        }
        const pid_t child = ::fork();
        if (child == 0) {
            if (asNobody && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
                ::_exit(126);
            }
            ::dup2(pipeFds[1], STDOUT_FILENO);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        if (child < 0) {
            ::close(pipeFds[0]);
            return {};
        }
        return {child, pipeFds[0]};
    }

    // Runs robocopy to its end and collects its output.
    [[nodiscard]] static Run run(const std::vector<std::string>& arguments, bool asNobody = false) {
        const Child child = start(arguments, asNobody);
        if (child.pid < 0) {
            return {};
        }
        Run result;
        char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(child.output, buffer, sizeof buffer)) > 0) {
            result.output.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(child.output);
        int status = 0;
        ::waitpid(child.pid, &status, 0);
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }

    // Source and destination in the fixture's folder, then the switches.
    [[nodiscard]] Run copy(const std::vector<std::string>& switches, const std::string& source = "src",
                           const std::string& destination = "dst", bool asNobody = false) const {
        std::vector<std::string> arguments = {path(source), path(destination)};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        return run(arguments, asNobody);
    }

    // Hands the whole folder to user nobody, for runs that must meet permission bits as root.
    void giveToNobody() const {
        if (::geteuid() != 0) {
            return;
        }
        bool changed = ::chown(m_root.c_str(), kNobody, kNobody) == 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_root)) {
            changed = ::lchown(entry.path().c_str(), kNobody, kNobody) == 0 && changed;
        }
        ASSERT_TRUE(changed);
    }

    static constexpr uid_t kNobody = 65534;

    talvex::fakes::TempFolder m_folder;
    const std::filesystem::path& m_root = m_folder.path();
};
