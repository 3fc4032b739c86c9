#include "say_command.h"

#include "command_line.h"
#include "phrase_data/phrase_table.h"
#include "speech/missing_romaji.h"
#include "speech/speech_error.h"
#include "speech/speech_synthesizer.h"
#include "speech/spoken_row.h"
#include "speech/wav_file.h"

#include <QDir>
#include <QTextStream>
#include <optional>

using phrase_data::LanguageField;

namespace {

// The first row of the phrase files in dsb/ whose cell of the field is the text.
std::optional<phrase_data::PhraseTexts> findRow(LanguageField field, const QString& text)
{
    const QDir folder(QStringLiteral("dsb"));
    for (const QString& name : folder.entryList({QStringLiteral("*.dsb")}, QDir::Files, QDir::Name)) {
        const auto file = phrase_data::PhraseTable::read(QByteArrayLiteral("dsb\\") + name.toLocal8Bit());
        for (int row = 0; row < file.rowCount(); ++row)
            if (file.text(row, field) == text) return file.texts(row);
    }
    return std::nullopt;
}

} // namespace

int SayCommand::run(const QString& fieldName, const QString& text, const QString& wavPath, bool spoken)
{
    const std::optional<LanguageField> field = CommandLine::field(fieldName);
    if (!field) return CommandLine::UsageError;
    QTextStream err(stderr);
    if (spoken && !wavPath.isEmpty()) {
        err << "tarvolyn: --say takes --wav FILE or --spoken, not both\n";
        return CommandLine::UsageError;
    }
    if (wavPath.isEmpty() && !spoken) {
        err << "tarvolyn: --say needs --wav FILE to write the speech to\n";
        return CommandLine::UsageError;
    }
    speech::Pcm pcm;
    try {
        speech::SpokenRow row{*field, text, {}};
        if (*field == LanguageField::RusP || *field == LanguageField::Rus) {
            // The Russian is said with the stress its row's RusP marks, found in dsb/.
            if (!CommandLine::dataFolderPresent()) return CommandLine::UsageError;
            const std::optional<phrase_data::PhraseTexts> found = findRow(*field, text);
            if (*field == LanguageField::RusP && (!found || (*found)[std::size_t(LanguageField::Rus)].isEmpty())) {
                err << "tarvolyn: no RusP phrase \"" << text << "\" in the files of dsb/\n";
                return CommandLine::Failed;
            }
            if (found) row = speech::SpokenRow::of(*found, *field);
        }
        if (spoken) {
            QTextStream(stdout) << speech::SpeechSynthesizer::spokenText(row.field, row.text, row.rusP) << "\n";
            return CommandLine::Done;
        }
        pcm = speech::SpeechSynthesizer::say(row.field, row.text, row.rusP);
    } catch (const speech::MissingRomaji& error) {
        err << "tarvolyn: " << error.what() << "\n";
        return CommandLine::UsageError;
    } catch (const std::exception& error) {
        err << "tarvolyn: " << error.what() << "\n";
        return CommandLine::Failed;
    }
    try {
        speech::WavFile::write(wavPath, pcm);
    } catch (const speech::SpeechError& error) {
        err << "tarvolyn: " << error.what() << "\n";
        return CommandLine::UsageError;
    }
    return CommandLine::Done;
}
