// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

/// Converts dialog-template units to pixels for a font: a horizontal unit is a quarter of the
/// font's average character width (over the alphabet), a vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ToPixels(int width, int height) const;

private:
    int X(int units) const;
    int Y(int units) const;

    int m_nBaseX; ///< average character width, pixels
    int m_nBaseY; ///< character height, pixels
};
