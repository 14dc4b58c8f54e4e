#include <QLibraryInfo>
#include <QTranslator>

#include "services/ButtonWords.h"

namespace ui {

// Qt's Japanese translation lies in Qt's translations folder: on Debian Qt's own (package
// qt6-translations-l10n), on Windows the folder `translations` beside the program. Should it
// be missing, the Yes and No buttons still speak Japanese.
QTranslator* NewJapaneseTranslator() {
    auto* qtJapanese = new QTranslator;
    if (qtJapanese->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return qtJapanese;
    }
    delete qtJapanese;
    return NewYesNoTranslator();
}

}  // namespace ui
