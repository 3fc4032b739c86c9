#include "phrase_data/phrase_catalogue.h"
#include "phrase_data/phrase_table.h"
#include "phrase_data/romaji_kana.h"
#include "speech/call_sign_speller.h"
#include "speech/russian_stress.h"
#include "speech/speech_error.h"
#include "speech/speech_synthesizer.h"
#include "speech/wav_file.h"

#include <QDataStream>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <sys/stat.h>

using phrase_data::LanguageField;
using speech::SpeechSynthesizer;

Q_DECLARE_METATYPE(LanguageField)

namespace {

double rms(const speech::Pcm& pcm)
{
    double sum = 0;
    for (const std::int16_t sample : pcm.samples)
        sum += double(sample) * sample;
    return pcm.samples.empty() ? 0 : std::sqrt(sum / double(pcm.samples.size()));
}

// What a WAV file's header says, read back field by field.
struct WavHeader {
    QByteArray riff, wave, fmt, data;
    quint32 riffSize = 0, fmtSize = 0, sampleRate = 0, byteRate = 0, dataSize = 0;
    quint16 format = 0, channels = 0, blockAlign = 0, bits = 0;
};

WavHeader readHeader(const QByteArray& bytes)
{
    WavHeader h;
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    const auto tag = [&] {
        QByteArray t(4, '\0');
        in.readRawData(t.data(), 4);
        return t;
    };
    h.riff = tag();
    in >> h.riffSize;
    h.wave = tag();
    h.fmt = tag();
    in >> h.fmtSize >> h.format >> h.channels >> h.sampleRate >> h.byteRate >> h.blockAlign >> h.bits;
    h.data = tag();
    in >> h.dataSize;
    return h;
}

// espeak-ng's own reading of a text (its -x output), one list of phonemes per word.
QList<QStringList> espeakPhonemes(const QString& text)
{
    QProcess process;
    process.start(QStringLiteral("espeak-ng"), {"-v", "ru", "-q", "-x", "--sep= ", text});
    if (!process.waitForFinished(20000)) return {};
    QList<QStringList> words;
    // Words are parted by two spaces (the separator, then the word break) or by lines.
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        for (const QString& word : line.split(QStringLiteral("  "), Qt::SkipEmptyParts))
            words << word.split(u' ', Qt::SkipEmptyParts);
    return words;
}

// The number of the vowel that carries the primary stress in one word's phonemes; -1 if none.
int stressedPhonemeVowel(const QStringList& phonemes)
{
    int vowel = 0;
    for (const QString& phoneme : phonemes) {
        if (phoneme == QStringLiteral("@-") || phoneme.contains(u'^')) continue;
        static const QRegularExpression vowelLetter(QStringLiteral("[aAeEiIoOuUVy@038]"));
        if (!phoneme.contains(vowelLetter)) continue;
        if (phoneme.startsWith(u'\'')) return vowel;
        ++vowel;
    }
    return -1;
}

// The vowel the voice stresses in each word it says for a spoken Russian line (-1: not
// marked). A one-syllable preposition joins the word after it (across a space or a hyphen).
QList<int> saidStress(const QString& line)
{
    static const QStringList Prepositions = QStringLiteral("в во к ко с со за на по под над от до из у о об без при "
                                                           "про для не")
                                                .split(u' ');
    static const QRegularExpression word(QStringLiteral("[\\p{Cyrillic}\\x{0301}]+"));
    QList<int> stress;
    int carried = -1; // the vowels of a preposition waiting for its word
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : word.globalMatch(line)) {
        const QString between = line.mid(from, match.capturedStart() - from);
        from = match.capturedEnd();
        const QString each = match.captured();
        int offset = 0;
        if (carried >= 0 && (between.trimmed().isEmpty() || between == QStringLiteral("-")))
            offset = carried;
        else if (carried >= 0)
            stress << -1;
        carried = -1;
        if (offset == 0 && Prepositions.contains(each.toLower())) {
            carried = speech::RussianStress::vowelCount(each);
            continue;
        }
        const qsizetype acute = each.indexOf(QChar(speech::RussianStress::Acute));
        stress << (acute < 0 ? -1 : offset + speech::RussianStress::vowelCount(each.left(acute)) - 1);
    }
    if (carried >= 0) stress << -1;
    return stress;
}

} // namespace

class SpeechTest : public QObject {
    Q_OBJECT

private slots:
    void synthesis_data();
    void synthesis();
    void nothingToSay_data();
    void nothingToSay();
    void stressMarks_data();
    void stressMarks();
    void espeakStress_data();
    void espeakStress();
    void romajiToKana_data();
    void romajiToKana();
    void kanaToRomaji_data();
    void kanaToRomaji();
    void speller_data();
    void speller();
    void spellerSayable();
    void cyrillicLettersTakeTheirRussianWords();
    void wavIsWrittenOnlyToAFile_data();
    void wavIsWrittenOnlyToAFile();
};

void SpeechTest::synthesis_data()
{
    QTest::addColumn<LanguageField>("field");
    QTest::addColumn<QString>("shortText");
    QTest::addColumn<QString>("longText");
    QTest::addColumn<QString>("rusP");
    using enum LanguageField;
    QTest::newRow("Rus") << Rus << "Спасибо."
                         << "Большое спасибо за вызов, дорогой друг, до свидания."
                         << "Bal'shóye spasíba za výzav, daragóy drug, da svidániya.";
    QTest::newRow("RusP") << RusP << "Да."
                          << "Частота занята, пожалуйста, QSY."
                          << "Chastatá zanyatá, pazhálusta, QSY.";
    QTest::newRow("Eng") << Eng << "Thanks."
                         << "Many thanks for your call, dear friend, and see you again."
                         << "";
    QTest::newRow("Ger") << Ger << "Danke."
                         << "Vielen Dank für deinen Anruf, lieber Funkfreund, bis bald."
                         << "";
    QTest::newRow("Fren") << Fren << "Merci."
                          << "Merci beaucoup pour ton appel, cher ami, à bientôt."
                          << "";
    QTest::newRow("Ital") << Ital << "Grazie."
                          << "Grazie mille per la chiamata, caro amico, a presto."
                          << "";
    QTest::newRow("Span") << Span << "Gracias."
                          << "Muchas gracias por tu llamada, querido amigo, hasta pronto."
                          << "";
    QTest::newRow("Port") << Port << "Obrigado."
                          << "Muito obrigado pela chamada, querido amigo, até logo."
                          << "";
    QTest::newRow("Jap") << Jap << "はい (Hai)"
                         << "OMさん、コールどうもありがとうございます。 (OM-san, kōru dōmo arigatō gozaimasu.)"
                         << "";
}

void SpeechTest::synthesis()
{
    QFETCH(LanguageField, field);
    QFETCH(QString, shortText);
    QFETCH(QString, longText);
    QFETCH(QString, rusP);

    const speech::Pcm brief = SpeechSynthesizer::say(field, shortText);
    const speech::Pcm full = SpeechSynthesizer::say(field, longText, rusP);
    QVERIFY(brief.sampleRate > 0);
    QVERIFY2(full.seconds() > 2 * brief.seconds(),
             qPrintable(QStringLiteral("%1 s against %2 s").arg(full.seconds()).arg(brief.seconds())));
    QVERIFY2(rms(full) > 300, qPrintable(QString::number(rms(full))));

    const QByteArray wav = speech::WavFile::encode(full);
    const WavHeader h = readHeader(wav);
    QCOMPARE(h.riff, QByteArray("RIFF"));
    QCOMPARE(h.wave, QByteArray("WAVE"));
    QCOMPARE(h.fmt, QByteArray("fmt "));
    QCOMPARE(h.data, QByteArray("data"));
    QCOMPARE(h.riffSize, quint32(wav.size() - 8));
    QCOMPARE(h.format, quint16(1));
    QCOMPARE(h.channels, quint16(1));
    QCOMPARE(h.bits, quint16(16));
    QCOMPARE(h.sampleRate, quint32(full.sampleRate));
    QCOMPARE(h.byteRate, h.sampleRate * 2);
    QCOMPARE(h.dataSize, quint32(full.samples.size() * 2));
    QCOMPARE(qsizetype(h.dataSize), wav.size() - 44);
}

void SpeechTest::nothingToSay_data()
{
    QTest::addColumn<LanguageField>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << LanguageField::Eng << "";
    QTest::newRow("dots") << LanguageField::Ger << "...";
    QTest::newRow("dash and spaces") << LanguageField::Rus << " — ";
    QTest::newRow("kanji without romaji") << LanguageField::Jap << "周波数";
    QTest::newRow("empty romaji") << LanguageField::Jap << "周波数 ()";
}

void SpeechTest::nothingToSay()
{
    QFETCH(LanguageField, field);
    QFETCH(QString, text);
    try {
        (void)SpeechSynthesizer::say(field, text);
        QFAIL("no error");
    } catch (const speech::SpeechError& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(text), error.what());
    }
}

void SpeechTest::stressMarks_data()
{
    QTest::addColumn<QString>("rus");
    QTest::addColumn<QString>("rusP");
    QTest::addColumn<QString>("marked");
    QTest::newRow("two words") << "Частота занята?"
                               << "Chastatá zanyatá?"
                               << "Частота́ занята́?";
    QTest::newRow("Q-code stays") << "QRL? Частота занята?"
                                  << "QRL? Chastatá zanyatá?"
                                  << "QRL? Частота́ занята́?";
    QTest::newRow("soft sign, glide y") << "Большое спасибо"
                                        << "Bal'shóye spasíba"
                                        << "Большо́е спаси́бо";
    QTest::newRow("y as ы then й") << "Мой адрес верный."
                                   << "Moy ádres vérnyy."
                                   << "Мой а́дрес ве́рный.";
    QTest::newRow("ы stressed") << "вызов"
                                << "výzav"
                                << "вы́зов";
    QTest::newRow("vowels side by side") << "пообщаться"
                                         << "paabshchátsa"
                                         << "пообща́ться";
    QTest::newRow("й after и") << "Дмитрий"
                               << "Dmítriy"
                               << "Дми́трий";
    QTest::newRow("ya after soft sign") << "Татьяна"
                                        << "Tat'yána"
                                        << "Татья́на";
    QTest::newRow("initial capital vowel") << "Ольга"
                                           << "Ól'ga"
                                           << "О́льга";
    QTest::newRow("ё unmarked in RusP") << "Фёдор"
                                        << "Fyodar"
                                        << "Фё́дор";
    QTest::newRow("ё beside a marked word") << "Ещё раз"
                                            << "Yeshchó ras"
                                            << "Ещё́ раз";
    QTest::newRow("one syllable, marked") << "Я вас слышу"
                                          << "Ya vás slýshu"
                                          << "Я ва́с слы́шу";
    QTest::newRow("one syllable, unmarked") << "Пять"
                                            << "Pyat'"
                                            << "Пять";
    QTest::newRow("hyphenated") << "по-русски"
                                << "pa-rússki"
                                << "по-ру́сски";
    QTest::newRow("words do not pair") << "Частота занята"
                                       << "Chastatá"
                                       << "Частота занята";
    QTest::newRow("vowels do not pair") << "занята"
                                        << "znyatá"
                                        << "занята";
    QTest::newRow("no RusP") << "Частота занята"
                             << ""
                             << "Частота занята";
}

void SpeechTest::stressMarks()
{
    QFETCH(QString, rus);
    QFETCH(QString, rusP);
    QFETCH(QString, marked);
    QCOMPARE(speech::RussianStress::mark(rus, rusP), marked);
}

void SpeechTest::espeakStress_data()
{
    QTest::addColumn<QString>("rus");
    QTest::addColumn<QString>("rusP");
    QTest::newRow("frequency busy") << "Частота занята?"
                                    << "Chastatá zanyatá?";
    QTest::newRow("thanks for the call") << "Большое спасибо за вызов."
                                         << "Bal'shóye spasíba za výzav.";
    QTest::newRow("my address") << "Мой адрес верный."
                                << "Moy ádres vérnyy.";
    QTest::newRow("please") << "Повторите, пожалуйста."
                            << "Paftaríte, pazhálusta.";
    QTest::newRow("Fyodor") << "Фёдор"
                            << "Fyodar";
    QTest::newRow("hyphenated") << "Вы говорите по-русски?"
                                << "Vy gavaríte pa-rússki?";
    QTest::newRow("to you") << "Я вернусь к вам."
                            << "Ya vernús' k vam.";
    QTest::newRow("yo in a compound") << "Это трёхдиапазонная антенна."
                                      << "Éta tryókhdiapazónnaya anténna.";
    // Every shipped row that writes a number in digits in Rus and in words in RusP.
    QDir::setCurrent(QStringLiteral(SHIPPED_DSB_DIR "/.."));
    static const QRegularExpression digit(QStringLiteral("\\d"));
    for (const auto& topic : phrase_data::PhraseCatalogue::topics()) {
        const auto file = phrase_data::PhraseTable::read(QByteArray(topic.dataFile));
        for (int row = 0; row < file.rowCount(); ++row) {
            const QString rus = file.text(row, LanguageField::Rus);
            const QString rusP = file.text(row, LanguageField::RusP);
            if (rus.contains(digit) && !rusP.contains(digit))
                QTest::addRow("%s:%d", topic.dataFile, row + 1) << rus << rusP;
        }
    }
}

// The stress the spoken line marks (RusP's, else the voice's own) is where espeak-ng puts it
// when it reads the text we hand it. A one-syllable preposition is said with the word after it.
void SpeechTest::espeakStress()
{
    QFETCH(QString, rus);
    QFETCH(QString, rusP);
    const QString line = SpeechSynthesizer::spokenText(LanguageField::Rus, rus, rusP);
    const QString speakable = SpeechSynthesizer::speakableText(LanguageField::Rus, rus, rusP);
    const QList<QStringList> phonemes = espeakPhonemes(speakable);
    const QList<int> expected = saidStress(line);
    QVERIFY2(phonemes.size() == expected.size(), qPrintable(line + u' ' + speakable));
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (expected[i] < 0) continue;
        QVERIFY2(stressedPhonemeVowel(phonemes[i]) == expected[i],
                 qPrintable(QString::number(i) + u' ' + phonemes[i].join(u' ') + u' ' + line));
    }
}

void SpeechTest::romajiToKana_data()
{
    QTest::addColumn<QString>("romaji");
    QTest::addColumn<QString>("kana");
    QTest::newRow("plain") << "arigatou"
                           << "ありがとう";
    QTest::newRow("long o") << "arigatō"
                            << "ありがとお";
    QTest::newRow("long u") << "jūsho"
                            << "じゅうしょ";
    QTest::newRow("long a, capital") << "Ākita"
                                     << "ああきた";
    QTest::newRow("small tsu") << "kitte"
                               << "きって";
    QTest::newRow("small tsu before ch") << "matcha"
                                         << "まっちゃ";
    QTest::newRow("n apostrophe vowel") << "kan'i"
                                        << "かんい";
    QTest::newRow("n syllable") << "kani"
                                << "かに";
    QTest::newRow("n hyphen y") << "hon-ya"
                                << "ほんや";
    QTest::newRow("n before consonant") << "shinbun"
                                        << "しんぶん";
    QTest::newRow("m before b") << "shimbun"
                                << "しんぶん";
    QTest::newRow("final n") << "san"
                             << "さん";
    QTest::newRow("nn") << "konnichiwa"
                        << "こんにちわ";
    QTest::newRow("katakana sound") << "fairu"
                                    << "ふぁいる";
    QTest::newRow("sentence") << "Kono shūhasū wa shiyōchū desu ka?"
                              << "この しゅうはすう わ しよおちゅう です か?";
}

void SpeechTest::romajiToKana()
{
    QFETCH(QString, romaji);
    QFETCH(QString, kana);
    QCOMPARE(phrase_data::RomajiKana::toHiragana(romaji), kana);
}

void SpeechTest::kanaToRomaji_data()
{
    QTest::addColumn<QString>("kana");
    QTest::addColumn<QString>("romaji");
    QTest::newRow("hiragana") << "なまえ"
                              << "namae";
    QTest::newRow("katakana") << "ナマエ"
                              << "namae";
    QTest::newRow("long mark") << "コールサイン"
                               << "koorusain";
    QTest::newRow("small tsu") << "きって"
                               << "kitte";
    QTest::newRow("small tsu before ch") << "まっちゃ"
                                         << "matcha";
    QTest::newRow("two kana, one syllable") << "しょうちゅう"
                                            << "shouchuu";
    QTest::newRow("n before a vowel") << "きんようび"
                                      << "kin'youbi";
    QTest::newRow("n before a consonant") << "しんぶん"
                                          << "shinbun";
    QTest::newRow("di of a loanword") << "コンディション"
                                      << "kondishon";
    QTest::newRow("kanji stay") << "天気です"
                                << "天気desu";
}

void SpeechTest::kanaToRomaji()
{
    QFETCH(QString, kana);
    QFETCH(QString, romaji);
    QCOMPARE(phrase_data::RomajiKana::toRomaji(kana), romaji);
}

void SpeechTest::speller_data()
{
    QTest::addColumn<LanguageField>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("words");
    using enum LanguageField;
    QTest::newRow("Eng") << Eng << "QZ7KV"
                         << "Quebec Zulu Seven Kilo Victor";
    QTest::newRow("Rus") << Rus << "QZ7KV"
                         << "Щука Зинаида Семь Константин Жук";
    QTest::newRow("lower case") << Eng << "qz7kv"
                                << "Quebec Zulu Seven Kilo Victor";
    QTest::newRow("stroke Eng") << Eng << "DL1A/P"
                                << "Delta Lima One Alfa stroke Papa";
    QTest::newRow("stroke Rus") << Rus << "R/P"
                                << "Роман дробь Павел";
    QTest::newRow("stroke Ger") << Ger << "R/P"
                                << "Richard Bruchstrich Paula";
    QTest::newRow("unknown") << Eng << "MÜLLER"
                             << "Mike [Ü] Lima Lima Echo Romeo";
    QTest::newRow("German umlaut") << Ger << "Müller"
                                   << "Martha Übermut Ludwig Ludwig Emil Richard";
    QTest::newRow("German letters") << Ger << "ÄÖß"
                                    << "Ärger Ökonom Eszett";
    QTest::newRow("French accents") << Fren << "Éçà"
                                    << "Echo accent aigu Charlie cédille Alfa accent grave";
    QTest::newRow("Spanish") << Span << "Peña Ó"
                             << "París España Ñoño Antonio Oviedo con tilde";
    QTest::newRow("Portuguese") << Port << "São"
                                << "Sierra Alfa til Oscar";
    QTest::newRow("a letter of another language") << Fren << "ß"
                                                  << "[ß]";
    QTest::newRow("Cyrillic") << Rus << "Жук"
                              << "Жук Ульяна Константин";
    QTest::newRow("Cyrillic in English") << Eng << "ЩЬЙ"
                                         << "Quebec X-ray Juliett";
    QTest::newRow("Cyrillic without a row") << Eng << "Юра"
                                            << "[Ю] Romeo Alfa";
    QTest::newRow("spaces part words") << Ital << "Al Bo"
                                       << "Ancona Livorno Bologna Otranto";
}

void SpeechTest::speller()
{
    QFETCH(LanguageField, field);
    QFETCH(QString, text);
    QFETCH(QString, words);
    QDir::setCurrent(QStringLiteral(SHIPPED_DSB_DIR "/.."));
    const auto speller =
        speech::CallSignSpeller(phrase_data::PhraseTable::read(speech::CallSignSpeller::callsignFile()));
    QCOMPARE(speller.spell(field, text).join(u' '), words);
}

// The spelling said in Japanese is the kana of the words; in Russian it is stressed by RusP.
void SpeechTest::spellerSayable()
{
    QDir::setCurrent(QStringLiteral(SHIPPED_DSB_DIR "/.."));
    const auto speller =
        speech::CallSignSpeller(phrase_data::PhraseTable::read(speech::CallSignSpeller::callsignFile()));
    QString rusP;
    QCOMPARE(speller.sayable(LanguageField::Jap, QStringLiteral("AB"), nullptr), QStringLiteral("アルファ ブラボー"));
    QCOMPARE(speller.sayable(LanguageField::RusP, QStringLiteral("AB"), &rusP), QStringLiteral("Анна Борис"));
    QCOMPARE(rusP, QStringLiteral("Ánna Barís"));
    QVERIFY(
        SpeechSynthesizer::say(LanguageField::Jap, speller.sayable(LanguageField::Jap, "QZ7KV", nullptr)).seconds() >
        1.0);
}

// The Russian table names most Cyrillic letters by a word that begins with the letter: the
// Morse correspondence the speller uses finds that word for each of them.
void SpeechTest::cyrillicLettersTakeTheirRussianWords()
{
    QDir::setCurrent(QStringLiteral(SHIPPED_DSB_DIR "/.."));
    const speech::CallSignSpeller speller{phrase_data::PhraseTable::read(speech::CallSignSpeller::callsignFile())};
    for (const QChar letter : QStringLiteral("АБВГДЕЖЗИКЛМНОПРСТУФХЦЩ")) {
        const QStringList words = speller.spell(LanguageField::Rus, QString(letter));
        QCOMPARE(words.size(), qsizetype(1));
        QVERIFY2(words.front().startsWith(letter), qPrintable(QString(letter) + u' ' + words.front()));
    }
    QCOMPARE(speller.spell(LanguageField::Rus, QStringLiteral("ЙЬЫЁ")).join(u' '),
             QStringLiteral("Иван краткий Мягкий знак Игрек Елена"));
}

void SpeechTest::wavIsWrittenOnlyToAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("no such folder") << QStringLiteral("missing");
    QTest::newRow("a FIFO") << QStringLiteral("fifo");
    QTest::newRow("a device node") << QStringLiteral("device");
    QTest::newRow("a folder") << QStringLiteral("folder");
}

void SpeechTest::wavIsWrittenOnlyToAFile()
{
    QFETCH(QString, kind);
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path target = kind == u"missing"
                                             ? std::filesystem::path("/nonexistent/dir/x.wav")
                                             : std::filesystem::path(dir.filePath("x.wav").toStdString());
    if (kind == u"fifo") QCOMPARE(::mkfifo(target.c_str(), 0600), 0);
    if (kind == u"device") std::filesystem::create_symlink("/dev/full", target);
    if (kind == u"folder") std::filesystem::create_directory(target);
    const auto before = std::filesystem::symlink_status(target).type();
    const speech::Pcm pcm = SpeechSynthesizer::say(LanguageField::Eng, QStringLiteral("Hello"));
    QVERIFY_THROWS_EXCEPTION(speech::SpeechError, speech::WavFile::write(QString::fromStdString(target.string()), pcm));
    // Never replaced by a regular file.
    QCOMPARE(std::filesystem::symlink_status(target).type(), before);
}

QTEST_GUILESS_MAIN(SpeechTest)
#include "speech_test.moc"
