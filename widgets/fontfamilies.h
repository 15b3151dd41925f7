// The installed font families as a person knows them, and the family the
// editor really uses for a stored font name.
#pragma once

#include <QStringList>

// The families once each, by their plain names ("C059", not "C059 [urw]"),
// sorted.
QStringList plainFontFamilies();
// A family name without the foundry Qt adds when several foundries have it.
QString plainFamily(const QString& family);
// The stored name when such a family is installed, else the system's
// fixed-width font: what the editor shows and the options select.
QString editorFamily(const QString& stored);
