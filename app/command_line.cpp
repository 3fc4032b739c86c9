#include "command_line.h"

#include "find_command.h"
#include "lookup_command.h"
#include "phrase_command.h"
#include "phrase_data/data_folder.h"
#include "phrase_data/phrase_catalogue.h"
#include "say_command.h"
#include "spell_command.h"
#include "station/profile_blanks.h"
#include "station/profile_store.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The field names a command takes, as the data files name their columns.
QString fieldNames()
{
    QStringList names;
    for (const auto& language : phrase_data::PhraseCatalogue::languages())
        names << QString::fromLatin1(phrase_data::PhraseCatalogue::fieldName(language.field));
    return names.join(QStringLiteral(", "));
}

// What --help adds below the options.
QString helpEnd()
{
    return QStringLiteral("\nFIELD names a language: %1.\n\n"
                          "Exit codes:\n"
                          "  0  done; --find found something\n"
                          "  1  --find found nothing, --say found no RusP row, --lookup matched no country, --phrase\n"
                          "     found no such file or row, or a file could not be read\n"
                          "  2  a usage error: a bad option or FIELD, words that are only spaces and punctuation,\n"
                          "     a WAV file that cannot be written, a Japanese text without its romaji, a bad ROW or\n"
                          "     SLOT=VALUE, an unknown slot, no dsb/ in the working directory, or a country file\n"
                          "     that cannot be read\n")
        .arg(fieldNames());
}

// Qt's own options, which QApplication takes for itself: those that take a value (as the next
// argument or after "="), and those that do not. Qt accepts them with one dash or two.
constexpr std::array<std::string_view, 13> QtOptionsWithValue{
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger"};
constexpr std::array<std::string_view, 5> QtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync"};

// How many arguments Qt's option at argument takes up, its value included: 0 when it is not one
// of Qt's.
std::size_t qtOptionLength(std::string_view argument)
{
    if (!argument.starts_with('-')) return 0;
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    if (std::find(QtFlags.begin(), QtFlags.end(), argument) != QtFlags.end()) return 1;
    const std::string_view name = argument.substr(0, argument.find('='));
    if (std::find(QtOptionsWithValue.begin(), QtOptionsWithValue.end(), name) == QtOptionsWithValue.end()) return 0;
    return name.size() == argument.size() ? 2 : 1; // the value is the next argument, or after "="
}

} // namespace

bool CommandLine::wanted(int argc, char** argv)
{
    for (int i = 1; i < argc; i += int(qtOptionLength(argv[i])))
        if (qtOptionLength(argv[i]) == 0) return true;
    return false;
}

int CommandLine::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A phrase book for radio amateurs. Without options it opens its windows and reads "
                       "its phrase files from dsb/ in the working directory; so do the commands below."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption find(
        QStringLiteral("find"),
        QStringLiteral("Prints every phrase that holds all the words, in any language, best first: file, row, field "
                       "and text, separated by tabs. The first %1 words count.")
            .arg(MaxFindWords));
    const QCommandLineOption say(
        QStringLiteral("say"),
        QStringLiteral("Speak TEXT (at most %1 characters), a cell of the language FIELD, into the WAV file --wav "
                       "names.")
            .arg(MaxTextLength),
        QStringLiteral("FIELD"));
    const QCommandLineOption wav(QStringLiteral("wav"), QStringLiteral("The sound file --say writes."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption spoken(QStringLiteral("spoken"),
                                    QStringLiteral("With --say: print the words said, in the voice's script, instead "
                                                   "of writing sound."));
    const QCommandLineOption spell(QStringLiteral("spell"),
                                   QStringLiteral("Spell TEXT (a call sign, name or QTH) with FIELD's spelling words."),
                                   QStringLiteral("FIELD"));
    const QCommandLineOption lookup(
        QStringLiteral("lookup"),
        QStringLiteral("Prints what the country file says about CALL: call, country, continent, CQ and ITU zones, "
                       "UTC offset, beam heading, distance in km and the suggested language field, separated by tabs."),
        QStringLiteral("CALL"));
    const QCommandLineOption from(QStringLiteral("from"),
                                  QStringLiteral("The Maidenhead locator --lookup measures from (else the profile's)."),
                                  QStringLiteral("LOCATOR"));
    const QCommandLineOption phrase(
        QStringLiteral("phrase"),
        QStringLiteral("Prints row ROW (from 1, as --find counts) of FILE in dsb/ (a base name such as name.dsb): each "
                       "language's field and text, separated by a tab, its blanks filled from the station profile and "
                       "--set, \"...\" where unset."),
        QStringLiteral("FILE"));
    const QCommandLineOption set(QStringLiteral("set"),
                                 QStringLiteral("With --phrase: fill the blank SLOT with VALUE (in Latin letters); "
                                                "may be given again for other slots."),
                                 QStringLiteral("SLOT=VALUE"));
    parser.addOptions({find, say, wav, spoken, spell, lookup, from, phrase, set});
    parser.addPositionalArgument(
        QStringLiteral("TEXT"),
        QStringLiteral("The words --find finds, what --say says or --spell spells, or the ROW of --phrase."),
        QStringLiteral("[TEXT...]"));

    // Qt's options mean nothing without windows.
    QStringList ours = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size();) {
        const std::size_t qt = qtOptionLength(arguments[i].toStdString());
        if (qt == 0) ours << arguments[i];
        i += qsizetype(std::max<std::size_t>(qt, 1));
    }
    QTextStream err(stderr);
    if (!parser.parse(ours)) {
        err << parser.errorText() << "\n" << parser.helpText();
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText() << helpEnd();
        return Done;
    }
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();

    if (int(parser.isSet(find)) + int(parser.isSet(say)) + int(parser.isSet(spell)) + int(parser.isSet(lookup)) +
            int(parser.isSet(phrase)) >
        1) {
        err << QStringLiteral("tarvolyn: one command at a time: --find, --say, --spell, --lookup or --phrase\n")
            << parser.helpText();
        return UsageError;
    }
    if (parser.isSet(set) && !parser.isSet(phrase)) {
        err << QStringLiteral("tarvolyn: --set goes with --phrase\n") << parser.helpText();
        return UsageError;
    }
    if (parser.isSet(phrase))
        return PhraseCommand::run(parser.value(phrase), parser.positionalArguments(), parser.values(set));
    if (parser.isSet(lookup)) {
        if (!parser.positionalArguments().isEmpty()) {
            err << QStringLiteral("tarvolyn: --lookup takes one CALL\n") << parser.helpText();
            return UsageError;
        }
        return LookupCommand::run(parser.value(lookup), parser.value(from));
    }
    if (parser.isSet(find)) {
        if (parser.positionalArguments().isEmpty()) {
            err << QStringLiteral("tarvolyn: --find needs the words to find\n") << parser.helpText();
            return UsageError;
        }
        QStringList words = parser.positionalArguments().join(u' ').split(QRegularExpression(QStringLiteral("\\s+")),
                                                                          Qt::SkipEmptyParts);
        if (words.size() > MaxFindWords) {
            err << QStringLiteral("tarvolyn: --find looks for the first %1 words only\n").arg(MaxFindWords);
            words.resize(MaxFindWords);
        }
        if (const qsizetype length = words.join(u' ').size(); length > MaxTextLength) {
            err << QStringLiteral("tarvolyn: --find takes at most %1 characters of words, not %2\n")
                       .arg(MaxTextLength)
                       .arg(length);
            return UsageError;
        }
        return FindCommand::run(words);
    }
    if (parser.isSet(say) || parser.isSet(spell)) {
        // A name and QTH are spelled together, as --find takes its words.
        if (parser.positionalArguments().isEmpty() || (parser.isSet(say) && parser.positionalArguments().size() != 1)) {
            err << QStringLiteral("tarvolyn: --say takes one TEXT, --spell one or more words\n") << parser.helpText();
            return UsageError;
        }
        const QString text = parser.positionalArguments().join(u' ');
        if (text.size() > MaxTextLength) {
            err << QStringLiteral("tarvolyn: --say and --spell take at most %1 characters, not %2\n")
                       .arg(MaxTextLength)
                       .arg(text.size());
            return UsageError;
        }
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
    if (!field) QTextStream(stderr) << "tarvolyn: no language field \"" << name << "\" (" << fieldNames() << ")\n";
    return field;
}

bool CommandLine::dataFolderPresent()
{
    const QString missing = phrase_data::DataFolder::missingMessage();
    if (!missing.isEmpty()) QTextStream(stderr) << "tarvolyn: " << missing << "\n";
    return missing.isEmpty();
}

phrase_data::BlankFiller CommandLine::profileFiller()
{
    const station::ProfileStore store;
    if (store.problem()) QTextStream(stderr) << "tarvolyn: " << *store.problem() << "\n";
    phrase_data::BlankFiller filler;
    station::ProfileBlanks::fill(store.profile(), filler);
    return filler;
}

QString CommandLine::oneLine(QString text)
{
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return text;
}
