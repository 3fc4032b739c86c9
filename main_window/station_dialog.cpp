#include "station_dialog.h"

#include "modal_hook.h"
#include "station/profile_store.h"
#include "station/station_error.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

struct FieldRow {
    StationDialog::Field field;
    const char* caption;
    const char* accessibleName;
    QString station::StationProfile::*member;
};

constexpr std::array<FieldRow, StationDialog::FieldCount> Rows{{
    {StationDialog::Field::Call, "&Call sign:", "My call sign", &station::StationProfile::call},
    {StationDialog::Field::Name, "&Name:", "My name in Latin letters", &station::StationProfile::name},
    {StationDialog::Field::NameCyrillic, "Name in C&yrillic:", "My name in Cyrillic",
     &station::StationProfile::nameCyrillic},
    {StationDialog::Field::NameKatakana, "Name in &katakana:", "My name in katakana",
     &station::StationProfile::nameKatakana},
    {StationDialog::Field::Qth, "&QTH:", "My QTH in Latin letters", &station::StationProfile::qth},
    {StationDialog::Field::QthCyrillic, "QTH in Cyr&illic:", "My QTH in Cyrillic",
     &station::StationProfile::qthCyrillic},
    {StationDialog::Field::QthKatakana, "QTH in ka&takana:", "My QTH in katakana",
     &station::StationProfile::qthKatakana},
    {StationDialog::Field::Region, "Re&gion:", "My region in Latin letters", &station::StationProfile::region},
    {StationDialog::Field::RegionCyrillic, "R&egion in Cyrillic:", "My region in Cyrillic",
     &station::StationProfile::regionCyrillic},
    {StationDialog::Field::RegionKatakana, "Regi&on in katakana:", "My region in katakana",
     &station::StationProfile::regionKatakana},
    {StationDialog::Field::Locator, "&Locator:", "My Maidenhead locator", &station::StationProfile::locator},
    {StationDialog::Field::Rig, "&Rig:", "My rig", &station::StationProfile::rig},
    {StationDialog::Field::Antenna, "&Antenna:", "My antenna", &station::StationProfile::antenna},
    {StationDialog::Field::Power, "&Power (W):", "My power in watts", &station::StationProfile::power},
    {StationDialog::Field::AdifLog, "A&DIF log:", "The path of my ADIF log", &station::StationProfile::adifLog},
}};

} // namespace

StationDialog::StationDialog(station::ProfileStore& store, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_refusal(new QLabel(this))
{
    setObjectName(QStringLiteral("StationDialog"));
    setWindowTitle(tr("My station"));
    auto* form = new QFormLayout;
    const station::StationProfile& profile = store.profile();
    for (const FieldRow& row : Rows) {
        auto* input = new QLineEdit(profile.*row.member, this);
        input->setAccessibleName(QString::fromLatin1(row.accessibleName));
        m_inputs.at(std::size_t(row.field)) = input;
        form->addRow(tr(row.caption), input);
    }
    input(Field::Call)->setPlaceholderText(QStringLiteral("DL1ABC"));
    input(Field::Locator)->setPlaceholderText(QStringLiteral("JO62qm"));
    input(Field::AdifLog)->setPlaceholderText(tr("/home/me/log.adi"));
    input(Field::AdifLog)->setMinimumWidth(320);

    m_refusal->setObjectName(QStringLiteral("StationRefusal"));
    m_refusal->setWordWrap(true);
    m_refusal->setStyleSheet(QStringLiteral("color: #800000"));
    m_refusal->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &StationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &StationDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);
}

int StationDialog::run()
{
    if (const Answerer answerer = ModalHook<Answerer>::take()) return answerer(*this);
    return exec();
}

void StationDialog::setNextAnswer(Answerer answerer)
{
    ModalHook<Answerer>::setNext(std::move(answerer));
}

station::StationProfile StationDialog::entered() const
{
    station::StationProfile profile;
    for (const FieldRow& row : Rows)
        profile.*row.member = m_inputs.at(std::size_t(row.field))->text().trimmed();
    return profile;
}

QString StationDialog::refusal() const
{
    return m_refusal->isHidden() ? QString() : m_refusal->text();
}

void StationDialog::accept()
{
    try {
        m_store.save(entered());
    } catch (const station::StationError& error) {
        m_refusal->setText(QString::fromUtf8(error.what()));
        m_refusal->show();
        return;
    }
    m_refusal->clear();
    m_refusal->hide();
    QDialog::accept();
}
