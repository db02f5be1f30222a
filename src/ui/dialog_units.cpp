// SPDX-License-Identifier: MIT
#include "ui/dialog_units.h"

#include <QFontMetrics>

namespace {

/// units × base / divisor, rounded to the nearest pixel.
int Scale(int units, int base, int divisor) {
    return (units * base * 2 + divisor) / (divisor * 2);
}

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    // The average over the alphabet, rounded, as dialog layouts have always measured it: the
    // font's own average glyph width runs narrower than real text and would clip captions.
    const QFontMetrics metrics(font);
    const int alphabetWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = (alphabetWidth / 26 + 1) / 2;
    m_nBaseY = metrics.height();
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    return {X(x), Y(y), X(width), Y(height)};
}

QSize DialogUnits::ToPixels(int width, int height) const {
    return {X(width), Y(height)};
}

int DialogUnits::X(int units) const {
    return Scale(units, m_nBaseX, 4);
}

int DialogUnits::Y(int units) const {
    return Scale(units, m_nBaseY, 8);
}
