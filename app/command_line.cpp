#include "command_line.h"

#include "find_command.h"

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
    parser.addOption(find);
    parser.addPositionalArgument(QStringLiteral("words"), QStringLiteral("The words to find (with --find)."),
                                 QStringLiteral("[words...]"));

    QTextStream err(stderr);
    if (!parser.parse(arguments)) {
        err << parser.errorText() << "\n" << parser.helpText();
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(Done);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();

    if (parser.isSet(find)) {
        if (parser.positionalArguments().isEmpty()) {
            err << QStringLiteral("tarvolyn: --find needs the words to find\n") << parser.helpText();
            return UsageError;
        }
        return FindCommand::run(parser.positionalArguments());
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << QStringLiteral("tarvolyn: words without a command: ") << parser.positionalArguments().join(u' ') << "\n"
            << parser.helpText();
        return UsageError;
    }
    err << QStringLiteral("tarvolyn: no command given\n") << parser.helpText();
    return UsageError;
}
