#include "lessons/RomajiSpellings.h"

#include <algorithm>

namespace lessons {

using text::Text;
using text::TextView;

namespace {

// The unit is this spelling of the table, letter for letter.
bool IsSpelled(TextView unit, std::string_view spelling) {
    return unit.size() == spelling.size() &&
           std::equal(unit.begin(), unit.end(), spelling.begin(),
                      [](char16_t a, char b) { return a == static_cast<unsigned char>(b); });
}

bool IsVowel(char16_t letter) {
    return text::Contains(u"AIUEO", letter);
}

// The consonant an input method doubles for っ before `nextUnit`: any but N, never a vowel.
std::optional<char16_t> DoubledConsonantBefore(TextView nextUnit) {
    if (nextUnit.empty()) {
        return std::nullopt;
    }
    const char16_t first = nextUnit[0];
    if (first < u'A' || first > u'Z' || IsVowel(first) || first == u'N') {
        return std::nullopt;
    }
    return first;
}

bool IsSpellingOf(const UnitSpellings& row, TextView unit, TextView nextUnit) {
    for (std::string_view spelling : row.spellings) {
        if (spelling == kDoubledConsonant) {
            const std::optional<char16_t> doubled = DoubledConsonantBefore(nextUnit);
            if (doubled && unit.size() == 1 && unit[0] == *doubled) {
                return true;
            }
        } else if (!spelling.empty() && IsSpelled(unit, spelling)) {
            return true;
        }
    }
    return false;
}

// Calls `visit` with each spelling of the row in order, the doubled consonant resolved;
// stops when it returns true.
template <typename Visit>
void ForEachSpelling(const UnitSpellings& row, TextView nextUnit, Visit visit) {
    for (std::string_view spelling : row.spellings) {
        if (spelling == kDoubledConsonant) {
            if (const std::optional<char16_t> doubled = DoubledConsonantBefore(nextUnit)) {
                if (visit(Text(1, *doubled))) {
                    return;
                }
            }
        } else if (!spelling.empty() && visit(text::FromLatin1(spelling))) {
            return;
        }
    }
}

}  // namespace

const UnitSpellings* RowOfUnit(TextView unit, TextView nextUnit) {
    for (const UnitSpellings& row : kRomajiSpellings) {
        if (IsSpellingOf(row, unit, nextUnit)) {
            return &row;
        }
    }
    return nullptr;
}

text::TextList SpellingsOfUnit(TextView unit, TextView nextUnit) {
    const UnitSpellings* row = RowOfUnit(unit, nextUnit);
    if (row == nullptr) {
        return {Text(unit)};
    }
    text::TextList spellings;
    ForEachSpelling(*row, nextUnit, [&spellings](const Text& spelling) {
        spellings.push_back(spelling);
        return false;
    });
    return spellings;
}

std::optional<Text> SpellingBeginningWith(TextView unit, TextView nextUnit, TextView typed) {
    const UnitSpellings* row = RowOfUnit(unit, nextUnit);
    if (row == nullptr) {
        return unit.starts_with(typed) ? std::optional<Text>(Text(unit)) : std::nullopt;
    }
    std::optional<Text> found;
    ForEachSpelling(*row, nextUnit, [&found, typed](const Text& spelling) {
        if (TextView(spelling).starts_with(typed)) {
            found = spelling;
        }
        return found.has_value();
    });
    return found;
}

}  // namespace lessons
