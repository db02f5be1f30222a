// SPDX-License-Identifier: MIT
#include "ui/sort_header_ctrl.h"
#include "ui/sort_list_ctrl.h"

#include <QImage>
#include <QTest>

namespace {

const QColor kFace(0, 160, 0);
const QColor kLight(255, 0, 0);
const QColor kDark(0, 0, 255);

/// A list whose header paints in colours that tell the mark's lines apart.
struct MarkedList {
    CSortListCtrl list{1003};

    MarkedList() {
        QPalette palette = list.Header().palette();
        palette.setColor(QPalette::Button, kFace);
        palette.setColor(QPalette::Light, kLight);
        palette.setColor(QPalette::Dark, kDark);
        list.Header().setPalette(palette);
        list.DefineColumns("First,120;Second,150;");
        list.resize(400, 200);
        list.show();
    }

    QImage Grab() { return list.Header().grab().toImage(); }
    /// The first pixel right of the column.
    int RightEdge(int column) const {
        return list.Header().sectionViewportPosition(column) + list.Header().sectionSize(column);
    }
};

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

/// The first and last pixel of row `y`, between `from` and `to`, that is not face colour.
struct Span {
    int first = -1;
    int last = -1;
    bool operator==(const Span&) const = default;
};

Span MarkedPixels(const QImage& image, int y, int from, int to) {
    Span span;
    for (int x = from; x < to; ++x) {
        if (At(image, x, y) != kFace) {
            span.first = span.first < 0 ? x : span.first;
            span.last = x;
        }
    }
    return span;
}

} // namespace

class SortHeaderCtrlTest : public QObject {
    Q_OBJECT

private slots:
    void drawsTheMark_data() {
        QTest::addColumn<bool>("ascending");
        QTest::newRow("ascending") << true;
        QTest::newRow("descending") << false;
    }

    void drawsTheMark() {
        QFETCH(bool, ascending);
        MarkedList marked;
        QVERIFY(QTest::qWaitForWindowExposed(&marked.list));
        marked.list.SortByColumn(1, ascending);
        const QImage image = marked.Grab();
        QCOMPARE(image.devicePixelRatio(), 1.0);

        const int b = marked.list.Header().height();
        const int k = b / 4;
        const int r = marked.RightEdge(1);
        QVERIFY2(k >= 3, "the header is too low to tell the lines apart");

        // Half-way down, the triangle is hollow: dark on its left, light on its right.
        const Span middle = MarkedPixels(image, b / 2, r - 4 * k, r);
        QCOMPARE(At(image, middle.first, b / 2), kDark);
        QCOMPARE(At(image, middle.last, b / 2), kLight);
        for (int x = middle.first + 1; x < middle.last; ++x) {
            QCOMPARE(At(image, x, b / 2), kFace);
        }
        if (ascending) {
            // The base: dark at its left end, light up to R - k; the apex on top at R - 2k.
            const int base = b - k - 1;
            QCOMPARE(MarkedPixels(image, base, r - 4 * k, r), (Span{r - 3 * k - 1, r - k}));
            QCOMPARE(At(image, r - 3 * k - 1, base), kDark);
            for (int x = r - 3 * k; x <= r - k; ++x) {
                QCOMPARE(At(image, x, base), kLight);
            }
            QCOMPARE(MarkedPixels(image, k, r - 4 * k, r), (Span{r - 2 * k, r - 2 * k}));
            QCOMPARE(MarkedPixels(image, k - 1, r - 4 * k, r), (Span{}));
            QCOMPARE(MarkedPixels(image, base + 1, r - 4 * k, r), (Span{}));
        } else {
            // The top: dark from R - 3k - 1, light at R - k - 1; the apex below at B - k.
            QCOMPARE(MarkedPixels(image, k, r - 4 * k, r), (Span{r - 3 * k - 1, r - k - 1}));
            for (int x = r - 3 * k - 1; x < r - k - 1; ++x) {
                QCOMPARE(At(image, x, k), kDark);
            }
            QCOMPARE(At(image, r - k - 1, k), kLight);
            QCOMPARE(MarkedPixels(image, b - k, r - 4 * k, r),
                     (Span{r - 2 * k - 2, r - 2 * k - 2}));
            QCOMPARE(MarkedPixels(image, k - 1, r - 4 * k, r), (Span{}));
            QCOMPARE(MarkedPixels(image, b - k + 1, r - 4 * k, r), (Span{}));
        }
    }

    void formerSortColumnStaysDrawnWithoutMark() {
        MarkedList marked;
        QVERIFY(QTest::qWaitForWindowExposed(&marked.list));
        const int b = marked.list.Header().height();
        const int k = b / 4;

        marked.list.SortByColumn(0, true);
        marked.list.SortByColumn(1, true);
        const QImage after = marked.Grab();

        const int r = marked.RightEdge(0);
        QCOMPARE(At(after, r - 2 * k, k), kFace);
        QCOMPARE(At(after, r - 2, b / 2), kFace);
        QCOMPARE(At(after, 1, 1), kFace);
        // The text starts k pixels in: nothing but face left of it.
        for (int x = 0; x < k; ++x) {
            for (int y = 0; y < b; ++y) {
                QCOMPARE(At(after, x, y), kFace);
            }
        }
        bool textDrawn = false;
        for (int x = k; x < r - k && !textDrawn; ++x) {
            textDrawn = At(after, x, b / 2) != kFace;
        }
        QVERIFY(textDrawn);
    }
};

QTEST_MAIN(SortHeaderCtrlTest)
#include "sort_header_ctrl_test.moc"
