# SPDX-License-Identifier: GPL-3.0-or-later
# Texts shared by every program we build; the version section of each program is generated from them.
set(TALVEX_COMPANY "Talvex")
set(TALVEX_LEGAL "Copyright (C) 2026 the Talvex developers")
set(TALVEX_HOMEPAGE "https://talvex.invalid/")
# The desktop's name for the program: desktop entry, icons, AppStream metadata and the window.
set(TALVEX_APP_ID "invalid.talvex.Talvex")
