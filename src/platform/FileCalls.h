// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the atomic writer needs of the system beyond FileIo; posix/ and win32/ each provide it.
namespace talvex::platform {

/// Open flags for a new file that must not exist yet, written only, not inherited by children.
extern const int kCreateNewFileFlags;

/// Makes a rename in the folder durable where the system needs a separate flush for it.
void SyncFolder(const std::string& folder);

} // namespace talvex::platform
