// SPDX-License-Identifier: MIT
#pragma once

// Random folders of names drawn to hit the search's corners: shared prefixes and ties, exact
// base names, brackets (also at the start), white space at the ends, empty base names, names
// without a dot, and lengths either side of the 64-, 128-, 192- and 256-byte marks.

#include <random>
#include <string>
#include <vector>

namespace tallowick::testing_support {

class RandomNames {
public:
    explicit RandomNames(unsigned seed) : m_random(seed) {}

    /// A base name: mostly short over a small alphabet, sometimes long.
    std::string BaseName() {
        static constexpr std::string_view kAlphabet = "aabbcAB ([)]-.\t\xC3\xA9";
        const int length = Chance(10) ? Uniform(60, 300) : Uniform(0, 9);
        std::string name;
        for (int i = 0; i < length; ++i) {
            name += kAlphabet[static_cast<std::size_t>(Uniform(0, kAlphabet.size() - 1))];
        }
        return name;
    }

    /// A file name: a base name with an extension, or without a dot at all; never empty.
    std::string FileName(const std::string& base) {
        static const std::vector<std::string> kExtensions{".png", ".zip", ".p", ""};
        std::string name =
            base + kExtensions[static_cast<std::size_t>(Uniform(0, kExtensions.size() - 1))];
        // A file always has a name, even when its base name is empty.
        return name.empty() ? ".png" : name;
    }

    /// A folder of `count` paths under `folder`, some sharing a base name with `pool`.
    std::vector<std::string> Folder(const std::string& folder, int count,
                                    const std::vector<std::string>& pool) {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            const bool reuse = !pool.empty() && Chance(4);
            const std::string base =
                reuse ? Mutate(pool[static_cast<std::size_t>(Uniform(0, pool.size() - 1))])
                      : BaseName();
            paths.push_back(folder + "/" + FileName(base));
        }
        return paths;
    }

    int Uniform(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<int>(static_cast<int>(low),
                                                  static_cast<int>(high))(m_random);
    }

    /// True one time in `n`.
    bool Chance(int n) { return Uniform(1, static_cast<std::size_t>(n)) == 1; }

private:
    // Either the same base name (an exact match) or one with a byte changed, dropped or added.
    std::string Mutate(std::string base) {
        if (base.empty() || Chance(3)) {
            return base;
        }
        const auto at = static_cast<std::size_t>(Uniform(0, base.size() - 1));
        switch (Uniform(0, 2)) {
        case 0:
            base[at] = 'x';
            break;
        case 1:
            base.erase(at, 1);
            break;
        default:
            base.insert(at, "y");
            break;
        }
        return base;
    }

    std::mt19937 m_random;
};

} // namespace tallowick::testing_support
