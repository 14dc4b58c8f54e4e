#include "board/RomajiGuide.h"

#include <QStringList>

namespace board {

namespace {

// The letters of a unit as the guide shows them: a blank by its mark.
QString Shown(const QString& letters) {
    QString shown = letters;
    shown.replace(u' ', QChar(kSpaceMark));
    return shown;
}

}  // namespace

std::vector<RomajiCell> RomajiGuideCells(const QString& queue, const SpellingProgress& spelling) {
    std::vector<RomajiCell> cells;
    const qsizetype textEnd = queue.indexOf(kTextEnd);
    const QStringList units =
        (textEnd < 0 ? queue : queue.left(textEnd)).split(kUnitEnd, Qt::SkipEmptyParts);
    if (units.isEmpty()) {
        return cells;
    }
    cells.reserve(static_cast<std::size_t>(spelling.unitsDone.size() + units.size()));
    for (const QString& done : spelling.unitsDone) {
        cells.push_back({Shown(done), QString()});
    }
    cells.push_back({Shown(spelling.unitTyped), Shown(units.front())});
    for (qsizetype unit = 1; unit < units.size(); ++unit) {
        cells.push_back({QString(), Shown(units[unit])});
    }
    return cells;
}

QString RomajiStillToType(const std::vector<RomajiCell>& cells) {
    QStringList words;
    QString letters;
    for (const RomajiCell& cell : cells) {
        if (cell.toType == QString(kSpaceMark)) {
            if (!letters.isEmpty()) {
                words << letters;
            }
            words << QStringLiteral("スペース");
            letters.clear();
        } else {
            letters += cell.toType;
        }
    }
    if (!letters.isEmpty()) {
        words << letters;
    }
    return words.join(u' ');
}

}  // namespace board
