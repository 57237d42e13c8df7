// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/ImgBurn.h"

#include <utility>

#include "core/media/ISOImage.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "core/settings/PathSettings.h"
#include "platform/BurningTools.h"
#include "platform/PathQueries.h"
#include "platform/ProgramSearch.h"

namespace talvex::media {
namespace {

void Labelled(LogSink& log, const std::string& label, std::string_view value, LogColour colour) {
    log.appendLine(PaddedLabel(label) + std::string(value), colour);
}

std::string QuotedSwitch(std::string_view name, std::string_view value) {
    return Format(" %s \"%s\"", {name, value});
}

} // namespace

std::string BurnerDevice(std::string_view burnerLine, PathStyle style) {
    if (style == PathStyle::Windows) {
        return std::string(burnerLine.substr(0, 2));
    }
    return std::string(burnerLine.substr(0, burnerLine.find(' ')));
}

std::string BurnCommandLine(const std::string& tool, const std::string& source, const exec::BurnRequest& request,
                            PathStyle style) {
    std::string parameters = "/START /CLOSE";
    parameters += QuotedSwitch("/SRC", source);
    parameters += QuotedSwitch("/DEST", BurnerDevice(request.burner, style));
    parameters += QuotedSwitch("/SPEED", request.speed);
    if (request.eraseWithoutAsking) {
        parameters += " /ERASE";
    }
    if (request.saveBurnLog) {
        parameters += QuotedSwitch("/LOG", settings::ReplaceExtension(request.imageFile, ".txt", style));
    }
    return ProgramWord(tool) + " " + parameters;
}

std::optional<std::string> FindBurningTool(const std::vector<std::string>& searchFolders) {
    if (auto installed = platform::InstalledBurningTool()) {
        return installed;
    }
    return platform::FindProgram(kBurnAdapterName, searchFolders);
}

TImgBurn::TImgBurn(exec::BurnRequest request, MediaServices& services, LogSink& log)
    : m_request(std::move(request)), m_services(services), m_log(log), m_run(services.process, log) {}

bool TImgBurn::begin() {
    const std::string heading = tr("CD/DVD brennen");
    m_log.appendLine("", LogColour::Black);
    m_log.appendLine(heading, LogColour::Purple);
    m_log.appendLine(std::string(heading.size() + 1, '-'), LogColour::Purple);

    std::string source = m_request.imageFile;
    if (!platform::IsRegularFile(source)) {
        source = ImagePartName(m_request.imageFile, 0);
    }
    if (!platform::IsRegularFile(source)) {
        Labelled(m_log, tr("Fehler:"), tr("Das Image wurde nicht gefunden."), LogColour::Black);
        return false;
    }
    Labelled(m_log, tr("Image:"), source, LogColour::Black);
    Labelled(m_log, tr("Laufwerk:"), m_request.burner, LogColour::Black);
    Labelled(m_log, tr("Geschw.:"), m_request.speed, LogColour::Black);
    if (m_request.eraseWithoutAsking) {
        Labelled(m_log, tr("Option:"), tr("CD/DVD-RW ohne Nachfrage löschen."), LogColour::Black);
    }
    if (m_request.saveBurnLog) {
        Labelled(m_log, tr("Option:"), tr("Log speichern."), LogColour::Black);
    }
    const std::string commandLine = BurnCommandLine(m_services.burningTool, source, m_request, m_services.style);
    m_running = m_run.start(commandLine, exec::OutputEncoding::CodePage);
    if (!m_running) {
        ended();
    }
    return m_running;
}

bool TImgBurn::poll(int timeoutMs) {
    if (m_running && m_run.poll(timeoutMs) == exec::ChildRun::State::Finished) {
        m_running = false;
        ended();
    }
    return m_running;
}

bool TImgBurn::terminate() {
    return m_running && m_run.terminate();
}

void TImgBurn::ended() {
    m_succeeded = m_run.succeeded();
    const std::string indent(10, ' ');
    if (m_succeeded) {
        m_log.appendLine(Format("%s... %s", {indent, tr("OK")}), LogColour::Black);
    } else {
        m_log.appendLine(Format("%s... %s", {indent, tr("Fehler:")}), LogColour::Red);
    }
    m_log.appendLine("", LogColour::Black);
    m_log.appendLine(tr("CD/DVD brennen beendet."), LogColour::Purple);
    m_log.appendLine("", LogColour::Black);
}

} // namespace talvex::media
