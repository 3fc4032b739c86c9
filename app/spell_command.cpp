#include "spell_command.h"

#include "command_line.h"
#include "phrase_data/phrase_catalogue.h"
#include "speech/call_sign_speller.h"

#include <QTextStream>

int SpellCommand::run(const QString& fieldName, const QString& text)
{
    QTextStream err(stderr);
    const auto field = CommandLine::field(fieldName);
    if (!field || !CommandLine::dataFolderPresent()) return CommandLine::UsageError;
    try {
        const auto speller =
            speech::CallSignSpeller(phrase_data::PhraseTable::read(speech::CallSignSpeller::callsignFile()));
        QTextStream(stdout) << speller.spell(*field, text).join(u' ') << "\n";
    } catch (const std::exception& error) {
        err << "tarvolyn: " << error.what() << "\n";
        return CommandLine::Failed;
    }
    return CommandLine::Done;
}
