#include "board/RomajiGuide.h"

#include <algorithm>

namespace board {

using text::Text;
using text::TextView;

namespace {

// The letters of a unit as the guide shows them: a blank by its mark.
Text Shown(TextView letters) {
    Text shown(letters);
    std::replace(shown.begin(), shown.end(), u' ', kSpaceMark);
    return shown;
}

}  // namespace

std::vector<RomajiCell> RomajiGuideCells(TextView queue, const SpellingProgress& spelling) {
    std::vector<RomajiCell> cells;
    text::TextList units = text::Split(queue.substr(0, queue.find(kTextEnd)), kUnitEnd);
    std::erase_if(units, [](const Text& unit) { return unit.empty(); });
    if (units.empty()) {
        return cells;
    }
    cells.reserve(spelling.unitsDone.size() + units.size());
    for (const Text& done : spelling.unitsDone) {
        cells.push_back({Shown(done), Text()});
    }
    cells.push_back({Shown(spelling.unitTyped), Shown(units.front())});
    for (std::size_t unit = 1; unit < units.size(); ++unit) {
        cells.push_back({Text(), Shown(units[unit])});
    }
    return cells;
}

Text RomajiStillToType(const std::vector<RomajiCell>& cells) {
    text::TextList words;
    Text letters;
    for (const RomajiCell& cell : cells) {
        if (cell.toType == TextView(&kSpaceMark, 1)) {
            if (!letters.empty()) {
                words.push_back(letters);
            }
            words.push_back(u"スペース");
            letters.clear();
        } else {
            letters += cell.toType;
        }
    }
    if (!letters.empty()) {
        words.push_back(letters);
    }
    return text::Join(words, u" ");
}

}  // namespace board
