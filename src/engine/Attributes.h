// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

#include "engine/Options.h"

// DOS attributes on a POSIX file system. Linux files have no archive, system or hidden bits; they are
// kept where Samba keeps them, in the extended attribute user.DOSATTRIB, so that a share and this
// engine see the same bits. Read-only also comes from the write bits and hidden from a leading dot.
namespace robocopy {

// Where they are kept.
inline constexpr const char* kDosAttribName = "user.DOSATTRIB";

// The bits as Windows numbers them.
inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
inline constexpr std::uint32_t kAttrTemporary = 0x100;
inline constexpr std::uint32_t kAttrCompressed = 0x800;
inline constexpr std::uint32_t kAttrOffline = 0x1000;
inline constexpr std::uint32_t kAttrNotIndexed = 0x2000;
inline constexpr std::uint32_t kAttrEncrypted = 0x4000;

// The letters of /IA, /XA, /A+ and /A- (RASHCNETO, any case); nothing when one is unknown.
[[nodiscard]] std::optional<std::uint32_t> ParseAttributeLetters(std::string_view letters);

// user.DOSATTRIB in Samba's forms: the hex string ("0x20"), alone or in front of the binary record,
// and the binary record of versions 1 to 5 without it. Nothing when the value is none of these.
[[nodiscard]] std::optional<std::uint32_t> DecodeDosAttrib(std::string_view value);
// The hex-string form, with its terminating zero as Samba writes it.
[[nodiscard]] std::string EncodeDosAttrib(std::uint32_t attributes);

// The stored bits of a file, read through a descriptor or a path (not following a last link unless
// asked). error is ENOTSUP (or EOPNOTSUPP) on a file system without user extended attributes.
struct StoredAttributes {
    std::uint32_t bits = 0;
    bool stored = false;
    int error = 0;
};
[[nodiscard]] StoredAttributes ReadDosAttrib(int fd);
[[nodiscard]] StoredAttributes ReadDosAttribAt(const std::string& path, bool followLink);
// Returns 0 or an errno value.
[[nodiscard]] int WriteDosAttrib(int fd, std::uint32_t attributes);
[[nodiscard]] int WriteDosAttribAt(const std::string& path, bool followLink, std::uint32_t attributes);

// A file's attributes as Windows would show them: the stored bits, read-only also from the write
// bits, hidden also from a leading dot, and normal when none is set.
[[nodiscard]] std::uint32_t FileAttributes(std::string_view name, mode_t mode, std::uint32_t stored);

// Whether a file of these attributes passes /A, /M, /IA and /XA.
[[nodiscard]] bool AttributesSelected(std::uint32_t attributes, const Options& options);

// Set once any read or write of the bits met a file system without user extended attributes, where
// they count as absent; the run says so once.
[[nodiscard]] bool AttributesUnsupportedSeen();

} // namespace robocopy
