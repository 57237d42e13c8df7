// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/WindowsError.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace robocopy {

namespace {

struct Mapping {
    int errnoValue;
    unsigned code;
    std::string_view message;
};

constexpr auto kMappings = std::to_array<Mapping>({
    {EACCES, 5, "Access is denied."},
    {EPERM, 5, "Access is denied."},
    {ENOENT, 2, "The system cannot find the file specified."},
    {ENOSPC, 112, "There is not enough space on the disk."},
    {EDQUOT, 112, "There is not enough space on the disk."},
    {EBUSY, 32, "The process cannot access the file because it is being used by another process."},
    {ETXTBSY, 32, "The process cannot access the file because it is being used by another process."},
    {EIO, 1117, "The request could not be performed because of an I/O device error."},
    {ENAMETOOLONG, 206, "The filename or extension is too long."},
    {EEXIST, 183, "Cannot create a file when that file already exists."},
    {EROFS, 19, "The media is write protected."},
    {ENOTDIR, 267, "The directory name is invalid."},
    {ENOTEMPTY, 145, "The directory is not empty."},
    {EXDEV, 17, "The system cannot move the file to a different disk drive."},
    {EINVAL, 87, "The parameter is incorrect."},
    {ENOMEM, 8, "Not enough memory resources are available to process this command."},
    {EMFILE, 4, "The system cannot open the file."},
    {ENFILE, 4, "The system cannot open the file."},
    {EFBIG, 223, "The file size exceeds the limit allowed and cannot be saved."},
    {ELOOP, 1921, "The name of the file cannot be resolved by the system."},
    {ENETUNREACH, 1231, "The network location cannot be reached."},
    {EHOSTUNREACH, 1231, "The network location cannot be reached."},
    {ESTALE, 64, "The specified network name is no longer available."},
    {ETIMEDOUT, 121, "The semaphore timeout period has expired."},
});

} // namespace

WindowsError FromErrno(int errnoValue, bool folder) {
    const std::string reason = std::strerror(errnoValue);
    if (errnoValue == ENOENT && folder) {
        return {3, "The system cannot find the path specified. (" + reason + ")"};
    }
    for (const Mapping& mapping : kMappings) {
        if (mapping.errnoValue == errnoValue) {
            return {mapping.code, std::string(mapping.message) + " (" + reason + ")"};
        }
    }
    return {static_cast<unsigned>(errnoValue), reason};
}

WindowsError InvalidNameError() {
    return {123, "The filename, directory name, or volume label syntax is incorrect."};
}

} // namespace robocopy
