#include "command_line.h"

#include "find_command.h"
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
    const QCommandLineOption find(QStringLiteral("find"),
                                  QStringLiteral("Prints every phrase that holds all the words, in any language, best "
                                                 "first: file, row, field and text, separated by tabs."));
    const QCommandLineOption say(
        QStringLiteral("say"),
        QStringLiteral("Speak TEXT, a cell of the language FIELD, into the WAV file --wav names."),
        QStringLiteral("FIELD"));
    const QCommandLineOption wav(QStringLiteral("wav"), QStringLiteral("The sound file --say writes."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption spoken(QStringLiteral("spoken"),
                                    QStringLiteral("With --say: print the words said, in the voice's script, instead "
                                                   "of writing sound."));
    const QCommandLineOption spell(QStringLiteral("spell"),
                                   QStringLiteral("Spell TEXT (a call sign, name or QTH) with FIELD's spelling words."),
                                   QStringLiteral("FIELD"));
    parser.addOptions({find, say, wav, spoken, spell});
    parser.addPositionalArgument(QStringLiteral("TEXT"),
                                 QStringLiteral("The words --find finds, or what --say says or --spell spells."),
                                 QStringLiteral("[TEXT...]"));

    QTextStream err(stderr);
    if (!parser.parse(arguments)) {
        err << parser.errorText() << "\n" << parser.helpText();
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(Done);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();

    if (int(parser.isSet(find)) + int(parser.isSet(say)) + int(parser.isSet(spell)) > 1) {
        err << QStringLiteral("tarvolyn: one command at a time: --find, --say or --spell\n") << parser.helpText();
        return UsageError;
    }
    if (parser.isSet(find)) {
        if (parser.positionalArguments().isEmpty()) {
            err << QStringLiteral("tarvolyn: --find needs the words to find\n") << parser.helpText();
            return UsageError;
        }
        return FindCommand::run(parser.positionalArguments());
    }
    if (parser.isSet(say) || parser.isSet(spell)) {
        if (parser.positionalArguments().size() != 1) {
            err << QStringLiteral("tarvolyn: --say and --spell take one TEXT\n") << parser.helpText();
            return UsageError;
        }
        const QString text = parser.positionalArguments().front();
        return parser.isSet(say) ? SayCommand::run(parser.value(say), text, parser.value(wav), parser.isSet(spoken))
                                 : SpellCommand::run(parser.value(spell), text);
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << QStringLiteral("tarvolyn: words without a command: ") << parser.positionalArguments().join(u' ') << "\n"
            << parser.helpText();
        return UsageError;
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
