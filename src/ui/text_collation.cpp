// SPDX-License-Identifier: MIT
#include "ui/text_collation.h"

#include <algorithm>
#include <numeric>

#include <QCollatorSortKey>

namespace {

QLocale CollationLocale(const QLocale& locale) {
    const bool isPosixLocale =
        locale.language() == QLocale::C || locale.name() == QLatin1String("C");
    return isPosixLocale ? QLocale(QLocale::English, QLocale::UnitedStates) : locale;
}

/// Some Qt builds collate through the C library, which ignores the locale we ask for.
bool OrdersWords(const QCollator& collator) {
    return collator.compare(QStringLiteral("apple"), QStringLiteral("Banana")) < 0 &&
           collator.compare(QStringLiteral("a"), QStringLiteral("A")) < 0;
}

/// The key under which the fallback rule sorts a text: its case-folded form, then a mark per
/// character that puts lower case before anything else.
QString FallbackKey(const QString& text) {
    QString key = text.toCaseFolded();
    key.append(QChar(0));
    for (const QChar c : text) {
        key.append(c.isLower() ? QLatin1Char('0') : QLatin1Char('1'));
    }
    return key;
}

template <typename Key> std::vector<int> OrderByKeys(const std::vector<Key>& keys, bool ascending) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = keys[a].compare(keys[b]);
        return ascending ? result < 0 : result > 0;
    });
    return order;
}

} // namespace

TextCollation::TextCollation(const QLocale& locale) : m_collator(CollationLocale(locale)) {
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_bFallback = !OrdersWords(m_collator);
}

int TextCollation::Compare(const QString& a, const QString& b) const {
    return m_bFallback ? FallbackCompare(a, b) : m_collator.compare(a, b);
}

std::vector<int> TextCollation::SortedOrder(const std::vector<QString>& texts,
                                            bool ascending) const {
    // Keys are made once per text: comparing them is much cheaper than collating each pair.
    if (m_bFallback) {
        std::vector<QString> keys;
        keys.reserve(texts.size());
        std::ranges::transform(texts, std::back_inserter(keys), FallbackKey);
        return OrderByKeys(keys, ascending);
    }
    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (const QString& text : texts) {
        keys.push_back(m_collator.sortKey(text));
    }
    return OrderByKeys(keys, ascending);
}

int TextCollation::FallbackCompare(const QString& a, const QString& b) {
    return FallbackKey(a).compare(FallbackKey(b));
}
