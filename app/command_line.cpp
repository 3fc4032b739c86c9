#include "command_line.h"

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

    QTextStream err(stderr);
    if (!parser.parse(arguments)) {
        err << parser.errorText() << "\n" << parser.helpText();
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(Done);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();

    err << QStringLiteral("tarvolyn: no command given\n") << parser.helpText();
    return UsageError;
}
