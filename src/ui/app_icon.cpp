// SPDX-License-Identifier: MIT
#include "ui/app_icon.h"

#include <QString>

QIcon AppIcon() {
    // The resources live in a static library: the linker keeps them only when asked for here.
    Q_INIT_RESOURCE(tallowick);
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/tallowick-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
