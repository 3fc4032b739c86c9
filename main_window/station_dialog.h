#pragma once

#include "station/station_profile.h"

#include <QDialog>
#include <array>
#include <functional>

class QLabel;
class QLineEdit;
namespace station {
class ProfileStore;
}

// "My station…": the operator's call sign, name and QTH with their Cyrillic and katakana forms,
// locator, rig, antenna, power and ADIF log. OK saves them through the store; a refused value is
// named below the fields, the dialog stays open and nothing is saved.
class StationDialog : public QDialog {
    Q_OBJECT

public:
    enum class Field {
        Call,
        Name,
        NameCyrillic,
        NameKatakana,
        Qth,
        QthCyrillic,
        QthKatakana,
        Region,
        RegionCyrillic,
        RegionKatakana,
        Locator,
        Rig,
        Antenna,
        Power,
        AdifLog
    };
    static constexpr std::size_t FieldCount = 15;

    // Takes the dialog instead of the user, for tests: fills it in and returns the result.
    using Answerer = std::function<int(StationDialog& dialog)>;

    StationDialog(station::ProfileStore& store, QWidget* parent);

    // Shows the dialog and waits for the user, or hands it to the answer set beforehand;
    // QDialog::Accepted once the profile is saved.
    int run();
    // Answers the next dialog, once.
    static void setNextAnswer(Answerer answerer);

    [[nodiscard]] QLineEdit* input(Field field) const { return m_inputs.at(std::size_t(field)); }
    // Why the last OK saved nothing; empty after a save.
    [[nodiscard]] QString refusal() const;

    void accept() override;

private:
    [[nodiscard]] station::StationProfile entered() const;

    station::ProfileStore& m_store;
    std::array<QLineEdit*, FieldCount> m_inputs{};
    QLabel* const m_refusal;
};
