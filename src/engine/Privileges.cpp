// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Privileges.h"

#include <array>
#include <cerrno>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace robocopy {

int RaiseBackupCapabilities() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> data{};
    if (::syscall(SYS_capget, &header, data.data()) != 0) {
        return errno;
    }
    constexpr unsigned kWanted = (1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH); // both in the first word
    if ((data[0].permitted & kWanted) != kWanted) {
        return EPERM;
    }
    if ((data[0].effective & kWanted) == kWanted) {
        return 0;
    }
    data[0].effective |= kWanted;
    return ::syscall(SYS_capset, &header, data.data()) == 0 ? 0 : errno;
}

} // namespace robocopy
