// SPDX-License-Identifier: MIT
#include "reference_search.h"

#include <algorithm>

namespace tallowick::reference {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimmedCopy(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::string AfterLastSlash(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BeforeLastDot(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FromLastDot(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string BeforeFirstBracket(const std::string& text) {
    std::size_t cut = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(' || text[i] == '[') {
            cut = i;
            break;
        }
    }
    return text.substr(0, cut);
}

// The bracket cut with its trim, except where it would leave nothing of the name.
std::string CutUnlessEmptied(const std::string& text) {
    const std::string cut = TrimmedCopy(BeforeFirstBracket(text));
    return cut.empty() ? text : cut;
}

std::string FirstByteText(const std::string& text) {
    return text.empty() ? std::string() : text.substr(0, 1);
}

struct Slot {
    float score = 0.0F;
    std::string name;
};

void Rank(std::vector<Slot>& slots, float& threshold, int& count) {
    for (int pass = 9; pass >= 1; --pass) {
        for (int k = 0; k < pass; ++k) {
            if (slots[k].score < slots[k + 1].score) {
                std::swap(slots[k], slots[k + 1]);
            }
        }
    }
    threshold = slots[9].score;
    count = 9;
}

} // namespace

std::size_t LcsLength(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> table(a.size() + 1,
                                                std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1
                                               : std::max(table[i - 1][j], table[i][j - 1]);
        }
    }
    return table[a.size()][b.size()];
}

double Score(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) {
        return 0.0;
    }
    const float length = static_cast<float>(LcsLength(first, second));
    return static_cast<double>(length) / static_cast<double>(first.size());
}

std::optional<Match> FindClosest(const std::vector<std::string>& sourcePaths,
                                 const std::string& romName, bool ignoreBrackets) {
    std::vector<Slot> slots(10);
    int count = 0;
    float threshold = 0.0F;
    bool cut = false;
    const std::string uncutRom = TrimmedCopy(BeforeLastDot(romName));
    std::string rom = uncutRom;

    for (const std::string& path : sourcePaths) {
        const std::string fileName = AfterLastSlash(path);
        const std::string extension = FromLastDot(fileName);
        std::string base = BeforeLastDot(fileName);
        if (FirstByteText(base) != FirstByteText(rom)) {
            continue;
        }
        if (base == uncutRom) {
            return Match{fileName, 2.0F};
        }
        const std::string uncut = base;
        if (ignoreBrackets) {
            base = CutUnlessEmptied(base);
            if (!cut) {
                rom = CutUnlessEmptied(rom);
                cut = true;
            }
        }
        const float s1 = static_cast<float>(Score(base, rom));
        const double sum = Score(rom, base) + static_cast<double>(s1);
        if (sum > static_cast<double>(threshold)) {
            slots[count].name = uncut + extension;
            slots[count].score = static_cast<float>(sum);
            ++count;
            if (count > 9) {
                Rank(slots, threshold, count);
            }
        }
    }
    Rank(slots, threshold, count);
    if (static_cast<double>(slots[0].score) >= 1.25) {
        return Match{slots[0].name, slots[0].score};
    }
    return std::nullopt;
}

std::vector<ResultRow> LookUp(const std::vector<std::string>& romPaths,
                              const std::vector<std::string>& sourcePaths, bool ignoreBrackets) {
    std::vector<ResultRow> rows;
    for (const std::string& romPath : romPaths) {
        ResultRow row;
        row.romName = AfterLastSlash(romPath);
        if (const auto match = FindClosest(sourcePaths, row.romName, ignoreBrackets)) {
            row.closestMatch = match->fileName;
            row.newName = BeforeLastDot(row.romName) + FromLastDot(match->fileName);
            row.score = match->score;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace tallowick::reference
