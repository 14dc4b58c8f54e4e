#pragma once
// The program's text and Qt's compared in the tests' expectations, either way round, so a
// caption can be checked against what a box or the screen showed.
#include <QString>
#include <QStringView>
#include <string>

inline bool operator==(const std::u16string& program, const QString& qt) {
    return QStringView(program) == qt;
}
