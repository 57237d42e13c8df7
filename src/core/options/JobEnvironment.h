// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace talvex::options {

class JobState;

/// What the job model asks of the world around it. Passed to `JobState` in its constructor, never
/// reached through a global, so tests give a fake and the program gives the platform's answers.
class JobEnvironment {
public:
    virtual ~JobEnvironment() = default;

    /// True when `path` names an existing file. The ready condition asks it whether the mkisofs
    /// program named in edt_Imkisofs exists, the chb_IIMG handler likewise.
    [[nodiscard]] virtual bool fileExists(const std::string& path) const = 0;

    /// True when a burning tool (ImgBurn, DVD Decrypter or our adapter) is installed; chb_IBurn is
    /// enabled only then.
    [[nodiscard]] virtual bool burningToolInstalled() const { return false; }

    /// chb_IIMG has just been ticked: steps 2 and 3 of its handler, which need the
    /// settings store and a file chooser, belong to whoever implements this: enable sbu_IImage when
    /// the image history holds entries, and let the user choose mkisofs into edt_Imkisofs when it
    /// does not name an existing file. The model itself then unticks chb_IIMG again when
    /// edt_Imkisofs still names no existing file.
    virtual void imageOptionTicked(JobState& /*state*/) {}
};

} // namespace talvex::options
