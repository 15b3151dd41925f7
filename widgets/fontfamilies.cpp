#include "widgets/fontfamilies.h"

#include <QFontDatabase>
#include <QFontInfo>

QString plainFamily(const QString& family) {
    const qsizetype bracket = family.indexOf(QLatin1String(" ["));
    return bracket > 0 && family.endsWith(QLatin1Char(']')) ? family.left(bracket) : family;
}

QStringList plainFontFamilies() {
    QStringList out;
    for (const QString& f : QFontDatabase::families()) out << plainFamily(f);
    out.removeDuplicates();
    out.sort(Qt::CaseInsensitive);
    return out;
}

QString editorFamily(const QString& stored) {
    for (const QString& f : plainFontFamilies())
        if (!stored.isEmpty() && f.compare(stored, Qt::CaseInsensitive) == 0) return f;
    // The family the system's fixed font really resolves to ("monospace" is
    // only an alias), as the list names it.
    return plainFamily(QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family());
}
