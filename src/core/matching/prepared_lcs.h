// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tallowick {

/// One name prepared to be compared with many others: for every byte value, a bit mask of the
/// positions where the name holds that byte. Each longest-common-subsequence length is then a
/// single bit-parallel pass over the other name, one step per byte, with no allocation.
class PreparedLcs {
public:
    PreparedLcs() = default;
    explicit PreparedLcs(std::string_view name) { Prepare(name); }

    /// Prepares `name`, keeping the storage of the name prepared before.
    void Prepare(std::string_view name);

    /// Byte length of the prepared name.
    std::size_t Size() const { return m_size; }

    /// 64-bit words per mask: one for names of up to 64 bytes.
    std::size_t Words() const { return m_words; }

    /// The masks, Words() words for each of the 256 byte values in turn; bit j of the word j / 64
    /// of byte c is set where byte j of the name is c. Bits at and above Size() are clear.
    const std::uint64_t* Masks() const { return m_masks.data(); }

    /// Most classes a name is split into (see ByteClasses), class 0 included.
    static constexpr std::size_t kMaxClasses = 64;
    /// Most mask words of a name that is split into classes: 256 bytes.
    static constexpr std::size_t kMaxClassWords = 4;

    /// When ClassCount() is not 0: the name's distinct bytes numbered from 1 in order of first
    /// appearance, as the class of each byte value; 0 for the bytes not in the name.
    const std::uint8_t* ByteClasses() const { return m_byteClasses.data(); }

    /// When ClassCount() is not 0: the masks by class, kMaxClasses for word 0, then as many
    /// for word 1, and so on; class 0's are empty, and those past ClassCount() unspecified.
    const std::uint64_t* ClassMasks() const { return m_classMasks.data(); }

    /// Classes in use, class 0 included: the number of distinct bytes plus one. 0 when that
    /// would be above kMaxClasses, or the name is longer than kMaxClassWords words.
    std::size_t ClassCount() const { return m_classCount; }

    /// Length of the longest common subsequence of the prepared name and `other`, bytes compared
    /// for plain equality. Not const: it works in a row kept with the masks.
    std::uint32_t LcsLength(std::string_view other);

private:
    void NumberClasses(std::string_view name);
    std::uint32_t SingleWordLcs(std::string_view other) const;
    std::uint32_t MultiWordLcs(std::string_view other);

    std::vector<std::uint64_t> m_masks; ///< 256 * m_words words
    std::vector<std::uint64_t> m_row;   ///< m_words words of the bit-parallel state
    std::size_t m_size = 0;             ///< bytes
    std::size_t m_words = 0;
    std::array<std::uint8_t, 256> m_byteClasses{};
    std::array<std::uint64_t, kMaxClasses * kMaxClassWords> m_classMasks{};
    std::size_t m_classCount = 0;
};

/// The stored score of a pair whose base names (as scored) have `romLength` and
/// `candidateLength` bytes and a longest common subsequence of `lcs` bytes. It is the sum the
/// closest-match search forms from two calls of CSimilar::LcsSimilarity, with the same
/// conversions: the candidate's side narrowed to single precision, the two sides added in double
/// precision and the sum stored in single precision. 0 when either length is 0.
float StoredPairScore(std::uint32_t lcs, std::size_t romLength, std::size_t candidateLength);

} // namespace tallowick
