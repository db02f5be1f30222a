// SPDX-License-Identifier: MIT
#include "ui/folder_picker.h"

#include <QFile>
#include <QFileDialog>

std::optional<QString> FileDialogFolderPicker::PickFolder(const QString& title, QWidget* owner) {
    // Qt's own dialog, not the desktop's: it always has the line where a name can be typed.
    QFileDialog dialog(owner, title, QStringLiteral("/"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

int BrowseForFolder(std::string& path, const QString& title, FolderPicker& picker, QWidget* owner) {
    const std::optional<QString> folder = picker.PickFolder(title, owner);
    if (!folder || folder->isEmpty()) {
        return 0;
    }
    path = QFile::encodeName(*folder).toStdString();
    return 1;
}
