// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/ISOImage.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "core/services/Format.h"
#include "core/services/FreeSpace.h"
#include "core/services/NumberText.h"
#include "core/services/Translate.h"
#include "platform/PathQueries.h"
#include "platform/PathText.h"

namespace talvex::media {
namespace {

namespace fs = std::filesystem;

// genisoimage takes file names as Latin-1 unless its locale says otherwise, and then writes "Müll"
// as "MÃ¼ll" into the Joliet names. The command line stays as it is; the locale goes with the child.
const std::vector<std::string> kToolEnvironment = {"LC_ALL=C.UTF-8"};

void Empty(LogSink& log) {
    log.appendLine("", LogColour::Black);
}

void Labelled(LogSink& log, const std::string& label, std::string_view value, LogColour colour) {
    log.appendLine(PaddedLabel(label) + std::string(value), colour);
}

std::string Megabytes(std::uint64_t kib, const std::string& separator) {
    return FormatWholeNumber(static_cast<double>(kib) / 1024.0, separator);
}

std::uint64_t FileBytes(const fs::path& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    return error ? 0 : size;
}

std::uint64_t FolderBytes(const fs::path& folder) {
    std::uint64_t bytes = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::file_status status = it->symlink_status(error);
        if (error) {
            error.clear();
            continue;
        }
        if (fs::is_directory(status)) {
            if (!platform::Utf8FromPath(it->path().filename()).starts_with('.')) {
                bytes += FolderBytes(it->path());
            }
        } else if (fs::is_regular_file(status)) {
            bytes += FileBytes(it->path());
        }
    }
    return bytes;
}

} // namespace

std::string MkisofsCommandLine(const exec::ImageRequest& request) {
    const std::string parameters =
        Format(R"( -iso-level 3 -J -R -V "%s" -o "%s" "%s")", {request.volumeLabel, request.imageFile, request.folder});
    return ProgramWord(request.mkisofs) + " " + parameters;
}

std::uint64_t FolderSizeKiB(const std::string& folder) {
    return FolderBytes(platform::PathFromUtf8(folder)) / 1024;
}

std::string ImagePartName(const std::string& imageFile, int part) {
    return imageFile + "_0" + std::to_string(part);
}

std::uint64_t ImageSizeKiB(const std::string& imageFile) {
    if (platform::IsRegularFile(imageFile)) {
        return FileBytes(platform::PathFromUtf8(imageFile)) / 1024;
    }
    std::uint64_t kib = 0;
    for (int part = 0; part < 10; ++part) {
        kib += FileBytes(platform::PathFromUtf8(ImagePartName(imageFile, part))) / 1024;
    }
    return kib;
}

TISOImage::TISOImage(exec::ImageRequest request, MediaServices& services, LogSink& log)
    : m_request(std::move(request)), m_services(services), m_log(log), m_run(services.process, log) {}

bool TISOImage::begin() {
    const std::string heading = tr("Image:");
    Empty(m_log);
    m_log.appendLine(heading, LogColour::Navy);
    m_log.appendLine(std::string(heading.size() + 1, '-'), LogColour::Navy);
    Empty(m_log);
    if (!prepare()) {
        m_stage = Stage::Done;
        return false;
    }
    Empty(m_log);
    m_log.appendLine(tr("MKISOFS-Version:"), LogColour::Navy);
    m_stage = Stage::Version;
    platform::ChildStartOptions options;
    options.environment = kToolEnvironment;
    // What the version run says is only shown; a mkisofs that cannot start fails the next run too.
    if (!m_run.start(ProgramWord(m_request.mkisofs) + " -version", exec::OutputEncoding::CodePage, options)) {
        startBuild();
    }
    return true;
}

bool TISOImage::prepare() {
    Labelled(m_log, tr("Wurzel:"), m_request.folder, LogColour::Black);
    if (!platform::IsFolder(m_request.folder)) {
        Labelled(m_log, tr("Fehler:"), tr("... nicht gefunden."), LogColour::Red);
        return false;
    }
    m_log.appendLine(std::string(10, ' ') + tr("... gefunden."), LogColour::Black);
    Labelled(m_log, tr("Image:"), m_request.imageFile, LogColour::Black);
    if (m_request.imageFile.empty()) {
        Labelled(m_log, tr("Fehler:"),
                 tr("Es wurde nicht angegeben, in welche Datei das Image gespeichert werden soll."), LogColour::Navy);
        return false;
    }
    if (!platform::EnsureFileDeleted(m_request.imageFile, m_services.wait)) {
        return false;
    }
    const std::uint64_t sizeKiB = FolderSizeKiB(m_request.folder) + 1;
    m_log.appendLine(
        Format("%s~ %s MB", {PaddedLabel(tr("Größe:")), Megabytes(sizeKiB, m_services.thousandsSeparator)}),
        LogColour::Black);
    // Windows asks the drive of the folder; here the folder itself names its volume, which need
    // not be the one of "/".
    const std::string volume = m_services.style == PathStyle::Windows
                                   ? std::string(DrivePart(m_request.folder, m_services.style))
                                   : std::string(ExcludeTrailingSeparator(m_request.folder, m_services.style));
    return !CheckFreeSpace(volume, sizeKiB, m_log, m_services.ui, m_services.volumes, m_services.thousandsSeparator,
                           m_services.style);
}

void TISOImage::startBuild() {
    if (m_stopped) {
        buildEnded();
        return;
    }
    const std::string commandLine = MkisofsCommandLine(m_request);
    Empty(m_log);
    m_log.appendLine(tr("Befehl:"), LogColour::Navy);
    m_log.appendLine(commandLine, LogColour::Black);
    Empty(m_log);
    m_log.appendLine(tr("Ausführen:"), LogColour::Navy);
    m_stage = Stage::Build;
    platform::ChildStartOptions options;
    options.environment = kToolEnvironment;
    if (!m_run.start(commandLine, exec::OutputEncoding::CodePage, options)) {
        buildEnded();
    }
}

void TISOImage::buildEnded() {
    m_stage = Stage::Done;
    m_succeeded = !m_stopped && m_run.succeeded();
    Empty(m_log);
    if (m_succeeded) {
        m_log.appendLine(tr("Ausführung beendet."), LogColour::Navy);
        Empty(m_log);
        const std::uint64_t kib = ImageSizeKiB(m_request.imageFile);
        m_log.appendLine(Format("%s%s MB", {PaddedLabel(tr("Größe:")), Megabytes(kib, m_services.thousandsSeparator)}),
                         LogColour::Black);
    } else {
        m_log.appendLine(tr("Ausführung abgebrochen."), LogColour::Red);
    }
    Empty(m_log);
    m_log.appendLine(tr("Imageerstellung beendet."), LogColour::Navy);
    Empty(m_log);
}

bool TISOImage::poll(int timeoutMs) {
    switch (m_stage) {
    case Stage::NotStarted:
    case Stage::Done:
        return false;
    case Stage::Version:
        if (m_run.poll(timeoutMs) == exec::ChildRun::State::Finished) {
            startBuild();
        }
        break;
    case Stage::Build:
        if (m_run.poll(timeoutMs) == exec::ChildRun::State::Finished) {
            buildEnded();
        }
        break;
    }
    return m_stage != Stage::Done;
}

bool TISOImage::terminate() {
    if (m_stage != Stage::Version && m_stage != Stage::Build) {
        return false;
    }
    m_stopped = true;
    return m_run.terminate();
}

} // namespace talvex::media
