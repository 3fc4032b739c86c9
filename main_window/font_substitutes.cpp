#include "font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace {

const QString SansSerif = QStringLiteral("DejaVu Sans");
const QString Japanese = QStringLiteral("Noto Sans CJK JP");

} // namespace

void FontSubstitutes::install()
{
    // Replacing, not appending, so a second call leaves the same lists.
    for (const QString& face : {QStringLiteral("MS Sans Serif"), QStringLiteral("Verdana")}) {
        QFont::removeSubstitutions(face);
        QFont::insertSubstitutions(face, {SansSerif, Japanese});
    }
    const QString comic = QStringLiteral("Comic Sans MS");
    QFont::removeSubstitutions(comic);
    QFont::insertSubstitutions(comic, {QStringLiteral("Comic Neue"), SansSerif, Japanese});
}
