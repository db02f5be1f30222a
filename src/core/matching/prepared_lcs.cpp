// SPDX-License-Identifier: MIT
#include "matching/prepared_lcs.h"

#include <algorithm>
#include <bit>

namespace tallowick {

namespace {

constexpr std::size_t kWordBits = 64;
constexpr std::size_t kByteValues = 256;

// The bits of the last word that stand for positions of the name.
std::uint64_t LastWordBits(std::size_t size) {
    const std::size_t used = size % kWordBits;
    return used == 0 ? ~std::uint64_t{0} : (std::uint64_t{1} << used) - 1;
}

} // namespace

void PreparedLcs::Prepare(std::string_view name) {
    m_size = name.size();
    m_words = (m_size + kWordBits - 1) / kWordBits;
    m_masks.assign(kByteValues * m_words, 0);
    m_row.resize(m_words);
    for (std::size_t j = 0; j < m_size; ++j) {
        const auto byte = static_cast<unsigned char>(name[j]);
        m_masks[byte * m_words + j / kWordBits] |= std::uint64_t{1} << (j % kWordBits);
    }
    NumberClasses(name);
}

void PreparedLcs::NumberClasses(std::string_view name) {
    m_byteClasses.fill(0);
    m_classCount = 0;
    if (m_words > kMaxClassWords) {
        return;
    }
    std::size_t classes = 1;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (m_byteClasses[byte] != 0) {
            continue;
        }
        if (classes == kMaxClasses) {
            return;
        }
        m_byteClasses[byte] = static_cast<std::uint8_t>(classes);
        for (std::size_t w = 0; w < m_words; ++w) {
            m_classMasks[w * kMaxClasses + classes] = m_masks[byte * m_words + w];
        }
        ++classes;
    }
    for (std::size_t w = 0; w < m_words; ++w) {
        m_classMasks[w * kMaxClasses] = 0;
    }
    m_classCount = classes;
}

std::uint32_t PreparedLcs::LcsLength(std::string_view other) {
    if (m_size == 0 || other.empty()) {
        return 0;
    }
    return m_words == 1 ? SingleWordLcs(other) : MultiWordLcs(other);
}

// The bit-vector LCS: a clear bit j of `row` marks that the common subsequence grew at position
// j of the prepared name. Each byte of `other` takes the matches it allows (row & mask) and lets
// the addition carry every match to the next still-set bit, which keeps each row of the
// dynamic-programming table as a step function held in one bit per position.
std::uint32_t PreparedLcs::SingleWordLcs(std::string_view other) const {
    std::uint64_t row = ~std::uint64_t{0};
    for (const char byte : other) {
        const std::uint64_t matches = row & m_masks[static_cast<unsigned char>(byte)];
        row = (row + matches) | (row - matches);
    }
    return static_cast<std::uint32_t>(std::popcount(~row & LastWordBits(m_size)));
}

// The same over several words: only the addition reaches across words, through its carry.
// (row - matches) never borrows, since every bit of `matches` is set in `row`.
std::uint32_t PreparedLcs::MultiWordLcs(std::string_view other) {
    std::fill(m_row.begin(), m_row.end(), ~std::uint64_t{0});
    for (const char byte : other) {
        const std::uint64_t* masks = &m_masks[static_cast<unsigned char>(byte) * m_words];
        std::uint64_t carry = 0;
        for (std::size_t w = 0; w < m_words; ++w) {
            const std::uint64_t row = m_row[w];
            const std::uint64_t matches = row & masks[w];
            const std::uint64_t withCarry = row + carry;
            const std::uint64_t sum = withCarry + matches;
            carry = static_cast<std::uint64_t>(withCarry < carry) |
                    static_cast<std::uint64_t>(sum < matches);
            m_row[w] = sum | (row - matches);
        }
    }
    std::uint32_t length = 0;
    for (std::size_t w = 0; w + 1 < m_words; ++w) {
        length += static_cast<std::uint32_t>(std::popcount(~m_row[w]));
    }
    return length + static_cast<std::uint32_t>(std::popcount(~m_row.back() & LastWordBits(m_size)));
}

float StoredPairScore(std::uint32_t lcs, std::size_t romLength, std::size_t candidateLength) {
    if (romLength == 0 || candidateLength == 0) {
        return 0.0F;
    }
    // As in CSimilar::LcsSimilarity, the length passes through single precision first.
    const auto length = static_cast<double>(static_cast<float>(lcs));
    const double romSide = length / static_cast<double>(romLength);
    const auto candidateSide = static_cast<float>(length / static_cast<double>(candidateLength));
    return static_cast<float>(romSide + static_cast<double>(candidateSide));
}

} // namespace tallowick
