// SPDX-License-Identifier: MIT
#include "ui/sort_header_ctrl.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include <QDataStream>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace {

/// The pixels of a 1-pixel line from `from` towards `to`, the end point itself left out, so
/// that a polyline sets each corner once.
QPolygon LinePixels(QPoint from, QPoint to) {
    QPolygon pixels;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint point = from;
    while (point != to) {
        pixels.append(point);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            point.rx() += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            point.ry() += stepY;
        }
    }
    return pixels;
}

void DrawPolyline(QPainter* painter, const QColor& color, std::initializer_list<QPoint> points) {
    painter->setPen(QPen(color, 1));
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous) {
            painter->drawPoints(LinePixels(*previous, point));
        }
        previous = &point;
    }
}

} // namespace

CSortHeaderCtrl::CSortHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void CSortHeaderCtrl::MarkSortColumn(int column, bool ascending) {
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    m_ownerDrawn.insert(column);
    viewport()->update();
}

void CSortHeaderCtrl::ReadColumnWidths(const QByteArray& value) {
    QDataStream stream(value);
    stream.setByteOrder(QDataStream::LittleEndian);
    qint32 storedCount = 0;
    stream >> storedCount;
    if (stream.status() != QDataStream::Ok || storedCount != count()) {
        return;
    }
    for (int column = 0; column < storedCount; ++column) {
        qint32 width = 0;
        stream >> width;
        if (stream.status() != QDataStream::Ok) {
            break;
        }
        resizeSection(column, std::max(0, static_cast<int>(width)));
    }
    viewport()->update();
}

void CSortHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (m_ownerDrawn.contains(logicalIndex)) {
        DrawItem(painter, rect, logicalIndex);
    } else {
        QHeaderView::paintSection(painter, rect, logicalIndex);
    }
}

void CSortHeaderCtrl::mousePressEvent(QMouseEvent* event) {
    m_nPressedColumn = logicalIndexAt(event->position().toPoint());
    QHeaderView::mousePressEvent(event);
    viewport()->update();
}

void CSortHeaderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    m_nPressedColumn = -1;
    QHeaderView::mouseReleaseEvent(event);
    viewport()->update();
}

void CSortHeaderCtrl::DrawItem(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->setClipRect(rect);
    painter->fillRect(rect, palette().color(QPalette::Button));

    // k scales the insets and the mark with the header's height.
    const int k = rect.height() / 4;
    QRect textRect = rect;
    if (logicalIndex == m_nPressedColumn) {
        textRect.adjust(1, 2, 1, 0);
    }
    if (logicalIndex == m_nSortColumn) {
        textRect.setRight(textRect.right() - 3 * k);
    }
    textRect.adjust(k, 0, -k, 0);
    if (textRect.width() > 0) {
        const QString text =
            model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
    }
    if (logicalIndex == m_nSortColumn) {
        DrawSortMark(painter, rect);
    }
    painter->restore();
}

void CSortHeaderCtrl::DrawSortMark(QPainter* painter, const QRect& rect) const {
    const int k = rect.height() / 4;
    const int right = rect.x() + rect.width(); // the first pixel right of the item
    const int bottom = rect.height();          // items start at the top of the header
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    if (m_bSortAscending) {
        DrawPolyline(
            painter, light,
            {{right - 2 * k, k}, {right - k, bottom - k - 1}, {right - 3 * k - 2, bottom - k - 1}});
        DrawPolyline(painter, dark, {{right - 3 * k - 1, bottom - k - 1}, {right - 2 * k, k - 1}});
    } else {
        DrawPolyline(painter, light, {{right - k - 1, k}, {right - 2 * k - 1, bottom - k}});
        DrawPolyline(painter, dark,
                     {{right - 2 * k - 2, bottom - k}, {right - 3 * k - 1, k}, {right - k - 1, k}});
    }
}
