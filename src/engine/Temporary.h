// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The engine's temporary files: every file is written under a temporary name and renamed into place,
// and whatever ends a run, no temporary file of it is left for long.
namespace robocopy {

// Threads that may write files at the same time: the most /MT allows.
inline constexpr int kWriterSlots = 128;

// Makes a temporary entry in dirFd with make(dirFd, name), which returns a descriptor, 0, or -1 with
// errno set. The entry is known to the interrupt handler from before it exists until
// releaseTemporary(slot), so an interrupted run removes it. Returns what make returned.
[[nodiscard]] int CreateTemporary(int slot, int dirFd, std::string& name,
                                  const std::function<int(int dirFd, const char* name)>& make);
// The entry of the slot is renamed into place or removed: the handler must leave it alone.
void ReleaseTemporary(int slot);

// A temporary entry of an engine that no longer runs (killed, or its machine crashed), which no
// run would ever remove otherwise.
[[nodiscard]] bool IsStrayTemporary(std::string_view name);

// Installs handlers that remove the files being written when the run is interrupted, and keeps a
// closed output pipe from ending the run.
void RemoveTemporaryOnInterrupt();
// Keeps interrupts away from the calling thread, so that only the main thread handles them.
void BlockInterrupts();

} // namespace robocopy
