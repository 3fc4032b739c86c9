#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Phrase-like test text in the nine languages of a phrase file, made up deterministically.
using Rows = std::vector<std::vector<std::string>>;

inline const std::vector<std::string>& languageColumns()
{
    static const std::vector<std::string> names{"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};
    return names;
}

// Row i of a nine-language table; some cells are left empty (NULL) on purpose.
inline std::vector<std::string> phraseRow(std::size_t i)
{
    static const std::vector<std::vector<std::string>> words{
        {"Спасибо за связь", "Мой позывной", "Погода у нас", "Антенна диполь", "До свидания"},
        {"Spasibo za svyaz", "Moy pozyvnoy", "Pogoda u nas", "Antenna dipol", "Do svidaniya"},
        {"Thank you for the call", "My call sign is", "The weather here is", "My antenna is a dipole", "Goodbye"},
        {"Vielen Dank für den Anruf", "Mein Rufzeichen ist", "Das Wetter hier ist", "Meine Antenne", "Auf Wiederhören"},
        {"Merci pour l'appel", "Mon indicatif est", "Le temps ici est", "Mon antenne est", "Au revoir"},
        {"Grazie per la chiamata", "Il mio nominativo", "Il tempo qui è", "La mia antenna", "Arrivederci"},
        {"Gracias por la llamada", "Mi indicativo es", "El tiempo aquí está", "Mi antena es", "Adiós"},
        {"Obrigado pela chamada", "Meu indicativo é", "O tempo aqui está", "Minha antena é", "Até logo"},
        {"呼び出しありがとう", "私のコールサインは", "こちらの天気は", "アンテナはダイポールです", "さようなら"},
    };
    std::vector<std::string> row;
    for (std::size_t column = 0; column < words.size(); ++column) {
        if ((i + column) % 17 == 0) {
            row.emplace_back(); // NULL
            continue;
        }
        row.push_back(words[column][(i + column) % words[column].size()] + " " + std::to_string(i));
    }
    return row;
}

inline Rows phraseRows(std::size_t count)
{
    Rows rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        rows.push_back(phraseRow(i));
    return rows;
}

// A value of exactly `length` Cyrillic letters.
inline std::string cyrillic(std::size_t length)
{
    static const std::vector<std::string> letters{"А", "Б", "В", "Г", "Д", "Е", "Ж", "З", "И", "К", "Л", "М",
                                                  "н", "о", "п", "р", "с", "т", "у", "ф", "х", "ц", "ч", "я"};
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += letters[i % letters.size()];
    return text;
}
