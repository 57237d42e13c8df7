// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <chrono>
#include <memory>
#include <string>
#include <utility>

#include "core/session/Session.h"
#include "fakes/FakeSessionServices.h"
#include "fakes/FakeVolumeProbes.h"
#include "gui/dialogs/FontTextMeasurer.h"
#include "gui/jobwindow/LogView.h"
#include "gui/jobwindow/Tfrm_Job.h"
#include "gui/mainwindow/Tfrm_Haupt.h"

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

/// The session's fakes, the volumes the job windows probe and a measurer for message boxes.
struct FakeServices : fakes::FakeSessionServices {
    fakes::FakeVolumeProbes volumes;
    gui::FontTextMeasurer measurer{QApplication::font()};
    /// Answers before a run deletes; none refuses such runs.
    exec::DeletionQuestions* questions = nullptr;

    /// What one test scripted is gone for the next.
    void reset() {
        ui = {};
        volumes = {};
        child = {};
    }

    [[nodiscard]] gui::JobWindowServices services() {
        gui::JobWindowServices services{environment, ui, volumes};
        services.formats = &formats;
        return services;
    }

    [[nodiscard]] session::SessionServices sessionServices(std::string settingsFolder,
                                                           platform::ChildProcess* process = nullptr) {
        session::SessionServices services =
            FakeSessionServices::sessionServices(measurer, std::move(settingsFolder), process);
        services.questions = questions;
        return services;
    }
};

/// The program assembled as its entry point does, over fakes: a session and the main window that
/// shows it, made and dropped together (the window first, as it watches the session's jobs).
class MainWindowUnderTest {
public:
    /// A fresh session over `settingsFolder` (none when empty) and its window, shown.
    void open(FakeServices& fakes, const std::string& settingsFolder, platform::ChildProcess* process = nullptr) {
        reset();
        m_session = std::make_unique<session::Session>(fakes.sessionServices(settingsFolder, process));
        m_window = std::make_unique<gui::Tfrm_Haupt>(*m_session, fakes.services());
        m_window->show();
    }
    void reset() {
        m_window.reset();
        m_session.reset();
    }
    [[nodiscard]] gui::Tfrm_Haupt* get() const { return m_window.get(); }
    [[nodiscard]] gui::Tfrm_Haupt* operator->() const { return m_window.get(); }
    [[nodiscard]] session::Session& session() const { return *m_session; }

private:
    std::unique_ptr<session::Session> m_session;
    std::unique_ptr<gui::Tfrm_Haupt> m_window;
};

/// What every main-window test holds: the fakes, the window under test and lookups in it. Each
/// test class still names its own init and cleanup slots, which only a Q_OBJECT class can have.
class MainWindowFixture : public QObject {
protected:
    FakeServices m_fakes;
    fakes::ScriptedUserInterface& m_ui = m_fakes.ui;
    MainWindowUnderTest m_window;

    template <typename T = QWidget>
    T* find(const char* name) {
        return Find<T>(m_window.get(), name);
    }
    /// The child of the current job's window with that objectName.
    template <typename T = QWidget>
    T* inJob(const char* name) {
        return Find<T>(m_window->currentJob(), name);
    }
};

/// A temporary folder with a settings folder in it, and a window over it whose runs start either
/// the scripted child or real programs (the bundled engine).
class FolderWindowFixture : public MainWindowFixture {
protected:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<platform::ChildProcess> m_process;

    [[nodiscard]] QString path(const QString& name) const { return m_folder->filePath(name); }

    /// A fresh folder for the next test; its `init` slot calls this.
    void makeFolder() {
        m_fakes.reset();
        m_folder = std::make_unique<QTemporaryDir>();
        QDir(m_folder->path()).mkpath(QStringLiteral("settings"));
    }
    /// Its `cleanup` slot calls this: the window goes before the runner it uses.
    void dropWindow() {
        m_window.reset();
        m_process.reset();
        m_folder.reset();
    }

    /// With a program folder, runs start real programs from there; without, the scripted child.
    void openWindow(const QString& programFolder = {}) {
        if (!programFolder.isEmpty()) {
            m_process = platform::CreateChildProcess({programFolder.toStdString(), std::chrono::milliseconds(1000)});
        }
        m_window.open(m_fakes, path(QStringLiteral("settings")).toStdString(), m_process.get());
    }

    [[nodiscard]] bool writeFile(const QString& name, const QByteArray& data = "x") const {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
    }

    /// Gives the current job both folders (on ext4) and lets the status timer see them.
    void prepareJob(const QString& source, const QString& destination) {
        options::JobState& state = m_window->currentJob()->state();
        state.applySourceFolder(source.toStdString(), "ext4");
        state.applyDestinationFolder(destination.toStdString(), "ext4");
        m_window->Timer1Timer();
    }

    gui::LogView* log() { return inJob<gui::LogView>("red_Log"); }
};

} // namespace talvex::guitest
