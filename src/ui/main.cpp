// SPDX-License-Identifier: MIT
#include "ui/tallowick_app.h"

int main(int argc, char** argv) {
    CTallowickApp app(argc, argv);
    return app.InitInstance();
}
