// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the ini reader: it must neither crash nor loop, and whatever it reads
// must survive being written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/settings/IniStore.h"
#include "core/settings/NameListEditor.h"

using talvex::settings::IniEncoding;
using talvex::settings::IniStore;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniStore store = IniStore::Parse(bytes);

    for (const auto& section : store.sections()) {
        for (const auto& key : store.keys(section)) {
            (void)store.readBool(section, key, false);
            (void)store.readInteger(section, key, 0);
        }
    }
    const talvex::settings::NameListEditor editor(store, talvex::settings::TAusschluss{});

    for (const IniEncoding encoding : {IniEncoding::Utf16LeWithMark, IniEncoding::SystemCodePage}) {
        const std::string once = store.serialize(encoding);
        if (IniStore::Parse(once).serialize(encoding) != once) {
            std::abort();
        }
    }

    store.writeString("Settings", "Language", "Deutsch");
    store.eraseSection(store.sections().front());
    (void)store.serialize(IniEncoding::Utf16LeWithMark);
    return 0;
}
