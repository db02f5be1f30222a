// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include <QCollator>
#include <QLocale>
#include <QString>

/// Orders texts the way the user's locale sorts words: letters before case, so that "apple"
/// comes before "Banana", and lower case before upper case where the texts differ only in case.
/// A process running under the C or POSIX locale still gets a real word order (that of
/// American English), since plain code-point order would put every capital first.
class TextCollation {
public:
    explicit TextCollation(const QLocale& locale = QLocale::system());

    /// Negative, zero or positive as `a` sorts before, with or after `b`.
    int Compare(const QString& a, const QString& b) const;

    /// The indexes of `texts` in sorted order; texts that compare equal keep their order.
    std::vector<int> SortedOrder(const std::vector<QString>& texts, bool ascending) const;

    /// True when the platform's collator does not order words, so that our own rule is used.
    bool UsesFallback() const { return m_bFallback; }

    /// Our own word order: case-insensitive first, then lower case before upper case.
    static int FallbackCompare(const QString& a, const QString& b);

private:
    QCollator m_collator;
    bool m_bFallback = false; ///< the collator failed the word-order check at construction
};
