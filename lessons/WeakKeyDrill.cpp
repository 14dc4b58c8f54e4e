#include "lessons/WeakKeyDrill.h"

#include <QString>
#include <QStringList>
#include <algorithm>

#include "lessons/LessonCatalogue.h"
#include "lessons/RomajiSpellings.h"

namespace lessons {

namespace {

struct Word {
    QString kana;       // one character a cell
    QStringList units;  // the catalogue's units, one a cell
};

QStringList UnitsOf(std::string_view keyString) {
    QStringList units =
        QString::fromLatin1(keyString.data(), static_cast<qsizetype>(keyString.size())).split(u'_');
    units.removeLast();  // the empty tail after the last "_"
    return units;
}

// Every word of the lessons, each once, in the order the lessons first use it.
const std::vector<Word>& LessonWords() {
    static const std::vector<Word> words = [] {
        std::vector<Word> found;
        const auto keep = [&found](const Word& word) {
            const bool known = std::any_of(found.begin(), found.end(), [&word](const Word& seen) {
                return seen.kana == word.kana;
            });
            if (!word.kana.isEmpty() && !known) {
                found.push_back(word);
            }
        };
        for (const Lesson& lesson : LessonCatalogue) {
            const QStringList units = UnitsOf(lesson.keyString);
            Word word;
            for (qsizetype cell = 0; cell < units.size(); ++cell) {
                const char16_t kana = lesson.kanaText[static_cast<std::size_t>(cell)];
                if (kana == kBlankCell) {
                    keep(word);
                    word = {};
                } else {
                    word.kana += QChar(kana);
                    word.units.append(units[cell]);
                }
            }
            keep(word);
        }
        return found;
    }();
    return words;
}

struct KeyUse {
    int stored = 0;    // units whose stored spelling types the key
    int accepted = 0;  // units with any spelling that types it: C for か counts here
};

KeyUse UseOf(const Word& word, QChar key) {
    KeyUse use;
    for (qsizetype i = 0; i < word.units.size(); ++i) {
        const QString next = i + 1 < word.units.size() ? word.units[i + 1] : QString();
        const QStringList spellings = SpellingsOfUnit(word.units[i], next);
        use.stored += word.units[i].contains(key) ? 1 : 0;
        use.accepted +=
            std::any_of(spellings.begin(), spellings.end(),
                        [key](const QString& spelling) { return spelling.contains(key); })
                ? 1
                : 0;
    }
    return use;
}

// The words that type `key`, those that type it most for their length first: in the most of
// their kana by the stored spellings, then by any spelling a pupil may use (C for か, X for
// ん); of words as good, the one the lessons use first. A short word that types the key in
// most of its kana leaves room for the other keys' words.
std::vector<std::size_t> WordsTyping(QChar key) {
    const std::vector<Word>& words = LessonWords();
    struct Candidate {
        std::size_t word;
        KeyUse use;
        qsizetype cells;
    };
    std::vector<Candidate> typing;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (const KeyUse use = UseOf(words[i], key); use.accepted > 0) {
            typing.push_back({i, use, words[i].kana.size()});
        }
    }
    // a/x before b/y when a·y > b·x: shares compared without fractions.
    std::stable_sort(typing.begin(), typing.end(), [](const Candidate& a, const Candidate& b) {
        return std::pair(a.use.stored * b.cells, a.use.accepted * b.cells) >
               std::pair(b.use.stored * a.cells, b.use.accepted * a.cells);
    });
    std::vector<std::size_t> ranked;
    for (const Candidate& candidate : typing) {
        ranked.push_back(candidate.word);
    }
    return ranked;
}

}  // namespace

std::vector<QChar> DrillKeys(const std::vector<QChar>& weakestFirst) {
    std::vector<QChar> keys;
    for (QChar key : weakestFirst) {
        if (keys.size() == kDrillKeys) {
            break;
        }
        const bool named = std::find(keys.begin(), keys.end(), key) != keys.end();
        if (!named && !WordsTyping(key).empty()) {
            keys.push_back(key);
        }
    }
    return keys;
}

std::optional<BuiltRun> BuildDrill(const std::vector<QChar>& keys) {
    const std::vector<Word>& words = LessonWords();
    std::vector<std::vector<std::size_t>> candidates;
    for (QChar key : keys) {
        candidates.push_back(WordsTyping(key));
    }
    std::vector<std::size_t> nextCandidate(keys.size(), 0);
    std::vector<bool> taken(words.size(), false);
    QString kana;
    QString keyString;
    // Each key in turn gives its best word not taken yet that still fits, until none does.
    for (bool added = true; added;) {
        added = false;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            while (nextCandidate[k] < candidates[k].size()) {
                const std::size_t w = candidates[k][nextCandidate[k]++];
                const auto cellsWithBlank = static_cast<std::size_t>(words[w].kana.size()) + 1;
                if (taken[w] ||
                    static_cast<std::size_t>(kana.size()) + cellsWithBlank > kDrillCells) {
                    continue;
                }
                taken[w] = true;
                kana += words[w].kana + QChar(kBlankCell);
                keyString += words[w].units.join(u'_') + QStringLiteral("_ _");
                added = true;
                break;
            }
        }
    }
    if (kana.isEmpty()) {
        return std::nullopt;
    }
    return BuiltRun{kana, ApplyDoubledNRule(keyString) + u'='};
}

}  // namespace lessons
