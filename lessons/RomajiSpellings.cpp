#include "lessons/RomajiSpellings.h"

#include <QLatin1StringView>

namespace lessons {

namespace {

QLatin1StringView Latin1(std::string_view text) {
    return QLatin1StringView(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsVowel(QChar letter) {
    return QStringView(u"AIUEO").contains(letter);
}

// The consonant an input method doubles for っ before `nextUnit`: any but N, never a vowel.
std::optional<QChar> DoubledConsonantBefore(QStringView nextUnit) {
    if (nextUnit.isEmpty()) {
        return std::nullopt;
    }
    const QChar first = nextUnit[0];
    if (first < u'A' || first > u'Z' || IsVowel(first) || first == u'N') {
        return std::nullopt;
    }
    return first;
}

bool IsSpellingOf(const UnitSpellings& row, QStringView unit, QStringView nextUnit) {
    for (std::string_view spelling : row.spellings) {
        if (spelling == kDoubledConsonant) {
            const std::optional<QChar> doubled = DoubledConsonantBefore(nextUnit);
            if (doubled && unit.size() == 1 && unit[0] == *doubled) {
                return true;
            }
        } else if (!spelling.empty() && unit == Latin1(spelling)) {
            return true;
        }
    }
    return false;
}

// Calls `visit` with each spelling of the row in order, the doubled consonant resolved;
// stops when it returns true.
template <typename Visit>
void ForEachSpelling(const UnitSpellings& row, QStringView nextUnit, Visit visit) {
    for (std::string_view spelling : row.spellings) {
        if (spelling == kDoubledConsonant) {
            if (const std::optional<QChar> doubled = DoubledConsonantBefore(nextUnit)) {
                if (visit(QString(*doubled))) {
                    return;
                }
            }
        } else if (!spelling.empty() && visit(QString(Latin1(spelling)))) {
            return;
        }
    }
}

}  // namespace

const UnitSpellings* RowOfUnit(QStringView unit, QStringView nextUnit) {
    for (const UnitSpellings& row : kRomajiSpellings) {
        if (IsSpellingOf(row, unit, nextUnit)) {
            return &row;
        }
    }
    return nullptr;
}

QStringList SpellingsOfUnit(QStringView unit, QStringView nextUnit) {
    const UnitSpellings* row = RowOfUnit(unit, nextUnit);
    if (row == nullptr) {
        return {unit.toString()};
    }
    QStringList spellings;
    ForEachSpelling(*row, nextUnit, [&spellings](const QString& spelling) {
        spellings.append(spelling);
        return false;
    });
    return spellings;
}

std::optional<QString> SpellingBeginningWith(QStringView unit, QStringView nextUnit,
                                             QStringView typed) {
    const UnitSpellings* row = RowOfUnit(unit, nextUnit);
    if (row == nullptr) {
        return unit.startsWith(typed) ? std::optional<QString>(unit.toString()) : std::nullopt;
    }
    std::optional<QString> found;
    ForEachSpelling(*row, nextUnit, [&found, typed](const QString& spelling) {
        if (spelling.startsWith(typed)) {
            found = spelling;
        }
        return found.has_value();
    });
    return found;
}

}  // namespace lessons
