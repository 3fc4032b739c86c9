#include "find_command.h"

#include "command_line.h"
#include "phrase_data/phrase_index.h"

#include <QFileInfo>
#include <QTextStream>
#include <limits>

int FindCommand::run(const QStringList& words)
{
    phrase_data::PhraseIndex index(phrase_data::PhraseIndex::catalogueSources(), phrase_data::PhraseIndex::Mode::Scan);
    const phrase_data::SearchResult result = index.search(words.join(u' '), std::numeric_limits<std::size_t>::max());
    QTextStream err(stderr);
    for (const QString& message : result.skipped)
        err << "tarvolyn: skipped " << message << "\n";
    QTextStream out(stdout);
    for (const phrase_data::PhraseHit& hit : result.hits) {
        const QString path = index.sources()[std::size_t(hit.source)].path;
        QString text = hit.text;
        // One line per row: a tab or line break inside a cell would break the columns.
        for (QChar& c : text)
            if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
        out << path.section(u'\\', -1) << '\t' << hit.row + 1 << '\t' << index.fieldNames(hit.source)[hit.field] << '\t'
            << text << '\n';
    }
    return result.hits.empty() ? CommandLine::Failed : CommandLine::Done;
}
