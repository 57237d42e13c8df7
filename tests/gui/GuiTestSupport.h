// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/FakeVolumeProbes.h"
#include "fakes/ScriptedUserInterface.h"
#include "gui/jobwindow/Tfrm_Job.h"

namespace talvex::guitest {

/// The child of `root` with that objectName; a missing one ends the test with its name, since
/// every later step would only fail less clearly.
template <typename T = QWidget>
T* Find(const QObject* root, const char* name) {
    T* object = root->findChild<T*>(QString::fromLatin1(name));
    if (object == nullptr) {
        qFatal("no object %s", name);
    }
    return object;
}

/// What a window is given from outside, as the tests script it.
struct FakeServices {
    fakes::FakeJobEnvironment environment;
    fakes::ScriptedUserInterface ui;
    fakes::FakeVolumeProbes volumes;
    fakes::FakeFormatServices formats;

    [[nodiscard]] gui::JobWindowServices services() {
        gui::JobWindowServices made{environment, ui, volumes};
        made.formats = &formats;
        return made;
    }
};

} // namespace talvex::guitest
