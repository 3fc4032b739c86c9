#include "phrase_command.h"

#include "command_line.h"
#include "phrase_data/blank_filler.h"
#include "phrase_data/phrase_catalogue.h"
#include "phrase_data/phrase_table.h"

#include <QTextStream>
#include <exception>

int PhraseCommand::run(const QString& file, const QStringList& rowArguments, const QStringList& settings)
{
    QTextStream err(stderr);
    bool isNumber = false;
    const int row = rowArguments.size() == 1 ? rowArguments.front().toInt(&isNumber) : 0;
    if (!isNumber || row < 1) {
        err << "tarvolyn: --phrase takes one ROW, a number from 1\n";
        return CommandLine::UsageError;
    }
    if (file.isEmpty() || file.contains(u'/') || file.contains(u'\\') || file == u"." || file == u"..") {
        err << "tarvolyn: --phrase takes the base name of a file in dsb/, such as name.dsb, not \"" << file << "\"\n";
        return CommandLine::UsageError;
    }

    phrase_data::BlankFiller filler = CommandLine::profileFiller();
    for (const QString& setting : settings) {
        const qsizetype equals = setting.indexOf(u'=');
        if (equals < 0) {
            err << "tarvolyn: --set takes SLOT=VALUE, not \"" << setting << "\"\n";
            return CommandLine::UsageError;
        }
        if (!filler.set(QStringView(setting).first(equals), {setting.mid(equals + 1), {}, {}})) {
            QStringList names;
            for (const std::string_view slot : phrase_data::BlankFiller::Vocabulary)
                names << QString::fromLatin1(slot.data(), qsizetype(slot.size()));
            err << "tarvolyn: --set: no slot \"" << setting.first(equals) << "\" (" << names.join(QStringLiteral(", "))
                << ")\n";
            return CommandLine::UsageError;
        }
    }
    if (!CommandLine::dataFolderPresent()) return CommandLine::UsageError;

    phrase_data::PhraseTable table;
    try {
        table = phrase_data::PhraseTable::read(QByteArrayLiteral("dsb\\") + file.toLocal8Bit());
    } catch (const std::exception& error) {
        err << "tarvolyn: " << QString::fromStdString(error.what()) << "\n";
        return CommandLine::Failed;
    }
    if (row > table.rowCount()) {
        err << "tarvolyn: " << file << " has " << table.rowCount() << " rows, no row " << row << "\n";
        return CommandLine::Failed;
    }
    QTextStream out(stdout);
    for (int column = 0; column < table.fieldCount(); ++column) {
        const auto field = phrase_data::PhraseCatalogue::field(table.fieldName(column));
        if (!field || table.column(*field) != column) continue;
        out << table.fieldName(column) << '\t' << CommandLine::oneLine(filler.fill(table.text(row - 1, column), *field))
            << '\n';
    }
    return CommandLine::Done;
}
