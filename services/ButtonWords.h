#pragma once
// The words on the boxes' standard buttons. The program speaks Japanese only, so its buttons
// do too, on every system, as Japanese Windows' own boxes do: 「はい(Y)」 and 「いいえ(N)」,
// whose letters still answer as the buttons' shortcuts.
//
// On the desktop the words come from Qt's own Japanese translation, installed beside Qt
// (ButtonWordsOnDesktop.cpp); the browser edition, where every kilobyte counts, carries the
// two words alone (ButtonWordsInBrowser.cpp).
#include <QString>

class QTranslator;

namespace ui {

// Qt's Japanese for its Yes and No buttons, the shortcut letter marked with "&".
inline const QString kYesButtonWords = QStringLiteral("はい(&Y)");
inline const QString kNoButtonWords = QStringLiteral("いいえ(&N)");

// From now on every standard button speaks Japanese. Once per program, before its first
// box; later calls do nothing.
void SpeakJapaneseOnButtons();

// The edition's translator of Qt's own texts: Qt's Japanese translation on the desktop, the
// two words alone in the browser.
QTranslator* NewJapaneseTranslator();

// A translator that knows the Yes and No buttons' words and nothing else.
QTranslator* NewYesNoTranslator();

}  // namespace ui
