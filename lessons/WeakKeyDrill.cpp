#include "lessons/WeakKeyDrill.h"

#include <algorithm>

#include "lessons/LessonCatalogue.h"
#include "lessons/RomajiSpellings.h"

namespace lessons {

namespace {

using text::Text;

struct Word {
    Text kana;             // one character a cell
    text::TextList units;  // the catalogue's units, one a cell
};

text::TextList UnitsOf(std::string_view keyString) {
    text::TextList units = text::Split(text::FromLatin1(keyString), u'_');
    units.pop_back();  // the empty tail after the last "_"
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
            if (!word.kana.empty() && !known) {
                found.push_back(word);
            }
        };
        for (const Lesson& lesson : LessonCatalogue) {
            const text::TextList units = UnitsOf(lesson.keyString);
            Word word;
            for (std::size_t cell = 0; cell < units.size(); ++cell) {
                const char16_t kana = lesson.kanaText[cell];
                if (kana == kBlankCell) {
                    keep(word);
                    word = {};
                } else {
                    word.kana += kana;
                    word.units.push_back(units[cell]);
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

KeyUse UseOf(const Word& word, char16_t key) {
    KeyUse use;
    for (std::size_t i = 0; i < word.units.size(); ++i) {
        const Text next = i + 1 < word.units.size() ? word.units[i + 1] : Text();
        const text::TextList spellings = SpellingsOfUnit(word.units[i], next);
        use.stored += text::Contains(word.units[i], key) ? 1 : 0;
        use.accepted +=
            std::any_of(spellings.begin(), spellings.end(),
                        [key](const Text& spelling) { return text::Contains(spelling, key); })
                ? 1
                : 0;
    }
    return use;
}

// The words that type `key`, those that type it most for their length first: in the most of
// their kana by the stored spellings, then by any spelling a pupil may use (C for か, X for
// ん); of words as good, the one the lessons use first. A short word that types the key in
// most of its kana leaves room for the other keys' words.
std::vector<std::size_t> WordsTyping(char16_t key) {
    const std::vector<Word>& words = LessonWords();
    struct Candidate {
        std::size_t word;
        KeyUse use;
        std::size_t cells;
    };
    std::vector<Candidate> typing;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (const KeyUse use = UseOf(words[i], key); use.accepted > 0) {
            typing.push_back({i, use, words[i].kana.size()});
        }
    }
    // a/x before b/y when a·y > b·x: shares compared without fractions.
    std::stable_sort(typing.begin(), typing.end(), [](const Candidate& a, const Candidate& b) {
        const auto share = [](const KeyUse& use, std::size_t cells) {
            return std::pair(static_cast<std::size_t>(use.stored) * cells,
                             static_cast<std::size_t>(use.accepted) * cells);
        };
        return share(a.use, b.cells) > share(b.use, a.cells);
    });
    std::vector<std::size_t> ranked;
    for (const Candidate& candidate : typing) {
        ranked.push_back(candidate.word);
    }
    return ranked;
}

}  // namespace

std::vector<char16_t> DrillKeys(const std::vector<char16_t>& weakestFirst) {
    std::vector<char16_t> keys;
    for (char16_t key : weakestFirst) {
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

std::optional<BuiltRun> BuildDrill(const std::vector<char16_t>& keys) {
    const std::vector<Word>& words = LessonWords();
    std::vector<std::vector<std::size_t>> candidates;
    for (char16_t key : keys) {
        candidates.push_back(WordsTyping(key));
    }
    std::vector<std::size_t> nextCandidate(keys.size(), 0);
    std::vector<bool> taken(words.size(), false);
    Text kana;
    Text keyString;
    // Each key in turn gives its best word not taken yet that still fits, until none does.
    for (bool added = true; added;) {
        added = false;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            while (nextCandidate[k] < candidates[k].size()) {
                const std::size_t w = candidates[k][nextCandidate[k]++];
                const std::size_t cellsWithBlank = words[w].kana.size() + 1;
                if (taken[w] || kana.size() + cellsWithBlank > kDrillCells) {
                    continue;
                }
                taken[w] = true;
                kana += words[w].kana + kBlankCell;
                keyString += text::Join(words[w].units, u"_") + u"_ _";
                added = true;
                break;
            }
        }
    }
    if (kana.empty()) {
        return std::nullopt;
    }
    return BuiltRun{kana, ApplyDoubledNRule(keyString) + u'='};
}

}  // namespace lessons
