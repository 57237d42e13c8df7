// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SaveSettings.h"

#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::settings {

bool SaveSettings(const IniStore& store, UserInterface& ui) {
    platform::FileIo io;
    return SaveSettings(store, ui, io);
}

bool SaveSettings(const IniStore& store, UserInterface& ui, platform::FileIo& io) {
    const auto error = store.writeBack(io);
    if (!error) {
        return true;
    }
    ui.showMessage(MessageKind::Error, "Talvex",
                   Format(tr("Die Einstellungen konnten nicht in %s gespeichert werden:\n%s\n"
                             "Die bisherige Datei bleibt unverändert."),
                          {error->path, error->reason}),
                   Buttons::Ok);
    return false;
}

} // namespace talvex::settings
