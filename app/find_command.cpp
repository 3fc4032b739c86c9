#include "find_command.h"

#include "command_line.h"
#include "phrase_data/data_folder.h"
#include "phrase_data/my_phrase_file.h"
#include "phrase_data/phrase_index.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <limits>

int FindCommand::run(const QStringList& words)
{
    QTextStream err(stderr);
    const QString query = words.join(u' ');
    if (std::ranges::none_of(query, [](QChar c) { return c.isLetterOrNumber(); })) {
        err << "tarvolyn: --find needs words to find; spaces and punctuation alone are none\n";
        return CommandLine::UsageError;
    }
    if (!CommandLine::dataFolderPresent()) return CommandLine::UsageError;
    std::vector<phrase_data::PhraseSource> sources = phrase_data::PhraseIndex::catalogueSources();
    // The user's own phrases are searched as the Find window searches them, once they exist.
    const QString mine = QString::fromStdString(phrase_data::MyPhraseFile::defaultPath().string());
    if (QFile::exists(mine)) sources.push_back({QStringLiteral("My phrases"), mine});
    phrase_data::PhraseIndex index(std::move(sources), phrase_data::PhraseIndex::Mode::Scan);
    const phrase_data::SearchResult result = index.search(query, std::numeric_limits<std::size_t>::max());
    for (const QString& message : result.skipped)
        err << "tarvolyn: skipped " << message << "\n";
    // The rows are found by their stored text and shown as the windows show them, filled.
    const phrase_data::BlankFiller filler = CommandLine::profileFiller();
    QTextStream out(stdout);
    for (const phrase_data::PhraseHit& hit : result.hits) {
        const QString path = index.sources()[std::size_t(hit.source)].path;
        const QString fieldName = index.fieldNames(hit.source)[hit.field];
        out << path.section(u'\\', -1) << '\t' << hit.row + 1 << '\t' << fieldName << '\t'
            << CommandLine::oneLine(filler.fill(hit.text, fieldName)) << '\n';
    }
    return result.hits.empty() ? CommandLine::Failed : CommandLine::Done;
}
