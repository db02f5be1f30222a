// SPDX-License-Identifier: MIT
#include "ui/tallowick_app.h"

#include "ui/app_icon.h"
#include "ui/tallowick_dlg.h"

#include <QFileInfo>

CTallowickApp::CTallowickApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromLatin1(kOrganisation));
    setApplicationName(QFileInfo(applicationFilePath()).fileName());
    setWindowIcon(AppIcon());
}

int CTallowickApp::InitInstance() {
    CTallowickDlg dialog;
    dialog.exec(); // closing the dialog, however it is closed, ends the program normally
    return 0;
}
