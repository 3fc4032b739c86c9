#include "command_line.h"

#include "phrase_data/phrase_catalogue.h"
#include "say_command.h"
#include "spell_command.h"

#include <QCommandLineParser>
#include <QTextStream>

bool CommandLine::wanted(int argc, char** /*argv*/)
{
    return argc > 1;
}

int CommandLine::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A phrase book for radio amateurs. Without options it opens its windows and reads "
                       "its phrase files from dsb/ in the working directory; so do the commands below."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption say(
        QStringLiteral("say"),
        QStringLiteral("Speak TEXT, a cell of the language FIELD, into the WAV file --wav names."),
        QStringLiteral("FIELD"));
    const QCommandLineOption wav(QStringLiteral("wav"), QStringLiteral("The sound file --say writes."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption spell(QStringLiteral("spell"),
                                   QStringLiteral("Spell TEXT (a call sign, name or QTH) with FIELD's spelling words."),
                                   QStringLiteral("FIELD"));
    parser.addOptions({say, wav, spell});
    parser.addPositionalArgument(QStringLiteral("TEXT"), QStringLiteral("What --say says or --spell spells."));

    QTextStream err(stderr);
    if (!parser.parse(arguments)) {
        err << parser.errorText() << "\n" << parser.helpText();
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(Done);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();

    if (parser.isSet(say) || parser.isSet(spell)) {
        if (parser.positionalArguments().size() != 1) {
            err << QStringLiteral("tarvolyn: --say and --spell take one TEXT\n") << parser.helpText();
            return UsageError;
        }
        const QString text = parser.positionalArguments().front();
        return parser.isSet(say) ? SayCommand::run(parser.value(say), text, parser.value(wav))
                                 : SpellCommand::run(parser.value(spell), text);
    }

    err << QStringLiteral("tarvolyn: no command given\n") << parser.helpText();
    return UsageError;
}

std::optional<phrase_data::LanguageField> CommandLine::field(const QString& name)
{
    const auto field = phrase_data::PhraseCatalogue::field(name);
    if (!field) {
        QStringList names;
        for (const auto& language : phrase_data::PhraseCatalogue::languages())
            names << QString::fromLatin1(phrase_data::PhraseCatalogue::fieldName(language.field));
        QTextStream(stderr) << "tarvolyn: no language field \"" << name << "\" (" << names.join(QStringLiteral(", "))
                            << ")\n";
    }
    return field;
}
