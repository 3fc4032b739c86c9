#pragma once

#include "speech_error.h"

#include <QString>

namespace speech {

// A Japanese text with kanji and no romaji to read them by: the voice reads kana only. The
// message says what to give instead.
class MissingRomaji : public SpeechError {
public:
    explicit MissingRomaji(const QString& text)
        : SpeechError("\"" + text.toStdString() +
                      "\": the kanji cannot be read without their romaji; give the text with its romaji in "
                      "parentheses, as the Jap cells have it: \"名前 (namae)\", or the text in kana")
    {
    }
};

} // namespace speech
