#pragma once

#include "phrase_data/blank_filler.h"
#include "phrase_data/language_field.h"
#include "phrase_data/phrase_texts.h"

#include <QObject>
#include <QString>
#include <QStringView>

namespace station {
struct StationProfile;
}

// The values of the contact at hand, in one place for every window that shows a phrase: the
// operator's station from the settings and the other station from the contact panel. Whoever
// shows a phrase fills its blanks here and shows it again on changed().
class ContactBlanks : public QObject {
    Q_OBJECT

public:
    explicit ContactBlanks(QObject* parent = nullptr);

    [[nodiscard]] const phrase_data::BlankFiller& filler() const { return m_filler; }

    // The my_* blanks, from the profile as saved.
    void setProfile(const station::StationProfile& profile);
    // One blank of the other station, in Latin letters; empty unsets it. False for a name outside
    // the vocabulary.
    bool setContact(QStringView slot, const QString& value);

    // A text of the field with this name as the user sees it; a field that is not one of the
    // languages takes the Latin forms.
    [[nodiscard]] QString fill(const QString& text, const QString& fieldName) const
    {
        return m_filler.fill(text, fieldName);
    }
    [[nodiscard]] QString fill(const QString& text, phrase_data::LanguageField field) const
    {
        return m_filler.fill(text, field);
    }
    [[nodiscard]] phrase_data::PhraseTexts fill(const phrase_data::PhraseTexts& texts) const
    {
        return m_filler.fill(texts);
    }

signals:
    // A value was set, changed or cleared.
    void changed();

private:
    void take(phrase_data::BlankFiller next);

    phrase_data::BlankFiller m_filler;
};
