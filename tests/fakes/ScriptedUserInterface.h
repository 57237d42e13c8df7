// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/services/UserInterface.h"

namespace talvex::fakes {

/// Answers the core's questions from a script set up by the test, and records what was asked.
/// A question without a scripted answer fails the test loudly instead of guessing.
class ScriptedUserInterface final : public UserInterface {
public:
    struct Message {
        MessageKind kind;
        std::string caption;
        std::string text;
        Buttons buttons;
    };

    std::deque<Answer> answers;
    std::deque<std::optional<FileDialogResult>> openChoices;
    std::deque<std::optional<FileDialogResult>> saveChoices;
    std::deque<std::optional<std::string>> folderChoices;

    std::vector<Message> messages;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<std::string> folderTitles;

    Answer showMessage(MessageKind kind, const std::string& caption, const std::string& text,
                       Buttons buttons) override {
        messages.push_back({kind, caption, text, buttons});
        if (buttons == Buttons::Ok && answers.empty()) {
            return Answer::Ok;
        }
        return take(answers, "message: " + text);
    }
    std::optional<FileDialogResult> chooseFileToOpen(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return take(openChoices, "open dialog: " + request.title);
    }
    std::optional<FileDialogResult> chooseFileToSave(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return take(saveChoices, "save dialog: " + request.title);
    }
    std::optional<std::string> chooseFolder(const std::string& title, const std::string&, bool) override {
        folderTitles.push_back(title);
        return take(folderChoices, "folder dialog: " + title);
    }

private:
    template <typename T>
    static T take(std::deque<T>& queue, const std::string& what) {
        if (queue.empty()) {
            throw std::logic_error("unscripted question: " + what);
        }
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace talvex::fakes
