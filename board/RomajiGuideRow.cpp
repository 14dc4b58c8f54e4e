// The romaji guide under the cells: each cell's unit in the spelling being typed, the typed
// letters in grey; a screen reader hears the romaji still to type.
#include "board/PracticeBoard.h"
#include "board/RomajiGuide.h"
#include "program/Module1.h"
#include "services/Announcements.h"

void PracticeBoard::RedrawRomajiGuide() {
    if (Label4[0].Widget() == nullptr || !Label4[0].Visible()) {
        return;
    }
    // Before the run starts (under the start box) nothing of it is typed yet, whatever the
    // last run left in the spelling.
    static const board::SpellingProgress kNothingTyped;
    const board::SpellingProgress& spelling = RunInProgress() ? Spelling : kNothingTyped;
    const std::vector<board::RomajiCell> cells =
        board::RomajiGuideCells(Module1::RomajiQueue, spelling);
    for (std::size_t index = 0; index < Label4.size(); ++index) {
        const board::RomajiCell cell = index < cells.size() ? cells[index] : board::RomajiCell{};
        Label4[index].SetCaptionInTwoColours(cell.typed, board::kRomajiTypedColour, cell.toType);
    }
    Label4[0].SetAccessibleDescription(
        ui::LabelledValue(u"ローマ字", board::RomajiStillToType(cells)));
}
