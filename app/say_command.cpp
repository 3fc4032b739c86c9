#include "say_command.h"

#include "command_line.h"
#include "speech/phrase_file.h"
#include "speech/speech_error.h"
#include "speech/speech_synthesizer.h"
#include "speech/wav_file.h"

#include <QDir>
#include <QTextStream>
#include <optional>

using phrase_data::LanguageField;

namespace {

struct RussianRow {
    QString rus;
    QString rusP;
};

// The first row of the phrase files in dsb/ whose cell of the field is the text.
std::optional<RussianRow> findRow(LanguageField field, const QString& text)
{
    const QDir folder(QStringLiteral("dsb"));
    for (const QString& name : folder.entryList({QStringLiteral("*.dsb")}, QDir::Files, QDir::Name)) {
        const speech::PhraseFile file(QByteArrayLiteral("dsb\\") + name.toLocal8Bit());
        for (int row = 0; row < file.rowCount(); ++row)
            if (file.text(row, field) == text)
                return RussianRow{file.text(row, LanguageField::Rus), file.text(row, LanguageField::RusP)};
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
        QString said = text;
        QString rusP;
        if (*field == LanguageField::RusP || *field == LanguageField::Rus) {
            const std::optional<RussianRow> row = findRow(*field, text);
            if (*field == LanguageField::RusP) {
                if (!row || row->rus.isEmpty()) {
                    err << "tarvolyn: no RusP phrase \"" << text << "\" in the files of dsb/\n";
                    return CommandLine::Failed;
                }
                said = row->rus;
                rusP = text;
            } else if (row) {
                rusP = row->rusP;
            }
        }
        if (spoken) {
            QTextStream(stdout) << speech::SpeechSynthesizer::spokenText(*field, said, rusP) << "\n";
            return CommandLine::Done;
        }
        pcm = speech::SpeechSynthesizer::say(*field, said, rusP);
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
