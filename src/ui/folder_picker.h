// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include <QString>

class QWidget;

/// Asks the user for a folder. An interface so that tests can answer in the user's place.
class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    /// The chosen folder's path, or nothing when the user cancelled.
    virtual std::optional<QString> PickFolder(const QString& title, QWidget* owner) = 0;
};

/// Qt's own folder dialog, opening at the root folder, where a folder name can also be typed.
class FileDialogFolderPicker final : public FolderPicker {
public:
    std::optional<QString> PickFolder(const QString& title, QWidget* owner) override;
};

/// Lets the user pick a folder with `picker`. Gives 1 and writes the folder's path (its file
/// name bytes) into `path`, or gives 0 and leaves `path` as it was.
int BrowseForFolder(std::string& path, const QString& title, FolderPicker& picker,
                    QWidget* owner = nullptr);
