#include "sample_phrases.h"

#include <array>

namespace {

// Words per language; Japanese counts its characters, the others their letters.
const std::array<std::vector<std::string>, 9> Words{{
    {"спасибо", "за", "связь", "погода", "антенна", "мощность", "приём", "слышу", "вас", "хорошо", "до", "встречи"},
    {"spasibo", "za", "svyaz", "pogoda", "antenna", "moshchnost", "priyom", "slyshu", "vas", "khorosho", "do"},
    {"thank", "you", "for", "the", "call", "weather", "antenna", "power", "copy", "good", "signal", "report"},
    {"danke", "für", "die", "Verbindung", "Wetter", "Antenne", "Leistung", "höre", "gut", "Grüße", "bis", "bald"},
    {"merci", "pour", "le", "contact", "météo", "antenne", "puissance", "reçu", "très", "bien", "à", "bientôt"},
    {"grazie", "per", "il", "collegamento", "tempo", "antenna", "potenza", "ricevo", "bene", "saluti", "città"},
    {"gracias", "por", "el", "contacto", "tiempo", "antena", "potencia", "recibo", "bien", "saludos", "señal"},
    {"obrigado", "pelo", "contato", "tempo", "antena", "potência", "recebo", "bem", "saudações", "até", "logo"},
    {"ありがとう", "交信", "天気", "アンテナ", "出力", "受信", "良好", "信号", "報告", "また", "お会い", "しましょう"},
}};

std::size_t characters(const std::string& utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    return x;
}

} // namespace

const std::vector<std::string>& SamplePhrases::columns()
{
    static const std::vector<std::string> names{"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};
    return names;
}

std::string SamplePhrases::cell(std::size_t language, std::uint64_t seed)
{
    const auto& words = Words[language];
    // Japanese phrases are shorter in characters for the same meaning.
    const std::size_t target = (language == 8 ? 10 : 20) + mix(seed) % (language == 8 ? 20 : 41);
    std::string text;
    std::size_t length = 0;
    for (std::uint64_t k = 1; length < target; ++k) {
        const std::string& word = words[mix(seed + k) % words.size()];
        if (!text.empty() && language != 8) {
            text += ' ';
            ++length;
        }
        text += word;
        length += characters(word);
    }
    return text;
}

std::vector<std::string> SamplePhrases::row(std::size_t index) const
{
    std::vector<std::string> cells;
    for (std::size_t language = 0; language < Words.size(); ++language)
        cells.push_back(cell(language, index * 16 + language));
    return cells;
}
