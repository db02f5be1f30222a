// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>

/// The desktop program: names itself after its executable under the organisation that holds
/// its settings, and runs the main dialog as its only window.
class CTallowickApp : public QApplication {
public:
    static constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";

    CTallowickApp(int& argc, char** argv);

    /// Runs the main dialog until the user closes it; gives the process's exit status, 0.
    int InitInstance();
};
