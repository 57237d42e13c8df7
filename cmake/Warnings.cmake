# SPDX-License-Identifier: GPL-3.0-or-later
# One place for the warning set, applied per target so third-party code is not affected.
function(talvex_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
endfunction()
