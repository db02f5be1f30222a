// SPDX-License-Identifier: MIT
#pragma once

#include "ui/folder_picker.h"

#include <deque>
#include <optional>

#include <QStringList>

/// Answers the folder picker in the user's place with the answers it was given, in order
/// (none left: the user cancels), and remembers the titles it was asked with.
class ScriptedFolderPicker final : public FolderPicker {
public:
    std::optional<QString> PickFolder(const QString& title, QWidget* /*owner*/) override {
        m_titles << title;
        if (m_answers.empty()) {
            return std::nullopt;
        }
        std::optional<QString> answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    /// The next pick gives `folder`; nothing stands for a cancelled pick.
    void Answer(std::optional<QString> folder) { m_answers.push_back(std::move(folder)); }

    QStringList m_titles;

private:
    std::deque<std::optional<QString>> m_answers;
};
