// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

/// The application icon, with its 16, 32 and 48 pixel images.
QIcon AppIcon();
