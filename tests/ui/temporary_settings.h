// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

/// Points the application's settings at a fresh temporary folder for the life of the object,
/// so that tests never read or write the user's own settings.
class TemporarySettings {
public:
    TemporarySettings() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Tallowick Tests"));
        QCoreApplication::setApplicationName(QStringLiteral("tallowick"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
    }

    /// Stores `value` under the list's key, as a profile holding column widths would.
    static void StoreColumnWidths(const QByteArray& value) {
        QSettings settings;
        settings.setValue(QStringLiteral("ListCtrls/1003"), value);
        settings.sync();
    }

    static void Clear() {
        QSettings settings;
        settings.clear();
        settings.sync();
    }

private:
    QTemporaryDir m_folder;
};
