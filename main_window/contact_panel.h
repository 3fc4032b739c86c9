#pragma once

#include "phrase_data/language_field.h"
#include "station/adif_log.h"
#include "station/call_location.h"
#include "station/country_file.h"

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

class ContactBlanks;
class QLabel;
class QLineEdit;
class QPushButton;
namespace station {
class ProfileStore;
}

// The other station: its call sign, name, QTH and the reports sent and received, with what the
// country file says about the call (country, continent, zones, local time, heading and distance
// from the operator's locator, the language to use) and the last contact with it in the ADIF
// log, which also fills an empty name and QTH. Not modal: it stays open through the contact.
// What it holds fills the other station's blanks of the phrases, the distance among them.
class ContactPanel : public QWidget {
    Q_OBJECT

public:
    // What the panel shows about the call, each in its own label.
    enum class Fact { Country, Continent, Zones, LocalTime, Heading, Distance, Language, LastContact };

    ContactPanel(const station::ProfileStore& store, ContactBlanks& blanks, QWidget* parent);

    [[nodiscard]] QLineEdit* callInput() const { return m_call; }
    [[nodiscard]] QLineEdit* nameInput() const { return m_name; }
    [[nodiscard]] QLineEdit* qthInput() const { return m_qth; }
    [[nodiscard]] QLineEdit* rstSentInput() const { return m_rstSent; }
    [[nodiscard]] QLineEdit* rstReceivedInput() const { return m_rstReceived; }
    [[nodiscard]] QLineEdit* locatorInput() const { return m_locator; }
    [[nodiscard]] QLineEdit* bandInput() const { return m_band; }
    [[nodiscard]] QLineEdit* frequencyInput() const { return m_frequency; }
    [[nodiscard]] QPushButton* useLanguageButton() const { return m_useLanguage; }
    [[nodiscard]] QString fact(Fact fact) const;
    // Why the lookup is off (the country file is missing) or what it skipped; empty when all is well.
    [[nodiscard]] QString countryFileProblem() const { return m_countryProblem; }
    [[nodiscard]] std::optional<phrase_data::LanguageField> suggestedField() const { return m_suggested; }

    // "New contact": the other station's fields and every fact cleared; the band and the
    // frequency stay, as the operator does.
    void newContact();
    // The call looked up again, after the operator's profile changed.
    void profileChanged();

signals:
    // The suggested language, to bind to the grid's right column.
    void languageChosen(phrase_data::LanguageField field);

private:
    void lookUp();
    // Shows what the country file says; the distance in whole km when the operator's locator is set.
    std::optional<int> showLocation(const station::CallLocation& location);
    void showLastContact(const QString& call);
    [[nodiscard]] QLabel* factLabel(Fact fact) const;

    const station::ProfileStore& m_store;
    ContactBlanks& m_blanks;
    std::optional<station::CountryFile> m_countries;
    QString m_countryProblem;
    std::optional<station::AdifLog> m_log;
    QString m_logPath;
    QDateTime m_logModified;
    std::optional<phrase_data::LanguageField> m_suggested;

    QLineEdit* const m_call;
    QLineEdit* const m_name;
    QLineEdit* const m_qth;
    QLineEdit* const m_rstSent;
    QLineEdit* const m_rstReceived;
    QLineEdit* const m_locator;
    QLineEdit* const m_band;
    QLineEdit* const m_frequency;
    QPushButton* const m_useLanguage;
    QLabel* const m_problem;
    std::array<QLabel*, 8> m_facts{};
};
