#include "contact_panel.h"

#include "contact_blanks.h"
#include "phrase_data/phrase_catalogue.h"
#include "station/beam_path.h"
#include "station/locator.h"
#include "station/profile_store.h"
#include "station/station_error.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

using phrase_data::PhraseCatalogue;

namespace {

struct FactRow {
    ContactPanel::Fact fact;
    const char* caption;
};

constexpr std::array<FactRow, 8> FactRows{{
    {ContactPanel::Fact::Country, "Country:"},
    {ContactPanel::Fact::Continent, "Continent:"},
    {ContactPanel::Fact::Zones, "CQ / ITU zone:"},
    {ContactPanel::Fact::LocalTime, "Local time:"},
    {ContactPanel::Fact::Heading, "Heading:"},
    {ContactPanel::Fact::Distance, "Distance:"},
    {ContactPanel::Fact::Language, "Language:"},
    {ContactPanel::Fact::LastContact, "Last contact:"},
}};

QLineEdit* lineEdit(QWidget* parent, const char* objectName, const char* accessibleName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setAccessibleName(QString::fromLatin1(accessibleName));
    return edit;
}

// "UTC+9", "UTC-5", "UTC+5:30".
QString utcOffsetText(double hours)
{
    const int minutes = int(std::lround(hours * 60));
    const QString sign = minutes < 0 ? QStringLiteral("-") : QStringLiteral("+");
    const int whole = std::abs(minutes);
    return QStringLiteral("UTC") + sign + QString::number(whole / 60) +
           (whole % 60 != 0 ? QStringLiteral(":%1").arg(whole % 60, 2, 10, QLatin1Char('0')) : QString());
}

} // namespace

ContactPanel::ContactPanel(const station::ProfileStore& store, ContactBlanks& blanks, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_store(store)
    , m_blanks(blanks)
    , m_call(lineEdit(this, "ContactCall", "Their call sign"))
    , m_name(lineEdit(this, "ContactName", "Their name"))
    , m_qth(lineEdit(this, "ContactQth", "Their QTH"))
    , m_rstSent(lineEdit(this, "ContactRstSent", "Report sent"))
    , m_rstReceived(lineEdit(this, "ContactRstReceived", "Report received"))
    , m_locator(lineEdit(this, "ContactLocator", "Their locator"))
    , m_band(lineEdit(this, "ContactBand", "Band"))
    , m_frequency(lineEdit(this, "ContactFrequency", "Frequency"))
    , m_useLanguage(new QPushButton(tr("&Use in the right column"), this))
    , m_problem(new QLabel(this))
{
    setObjectName(QStringLiteral("ContactPanel"));
    setWindowTitle(tr("Contact"));
    auto* form = new QFormLayout;
    form->addRow(tr("&Call sign:"), m_call);
    form->addRow(tr("&Name:"), m_name);
    form->addRow(tr("&QTH:"), m_qth);
    form->addRow(tr("RST &sent:"), m_rstSent);
    form->addRow(tr("RST &received:"), m_rstReceived);
    form->addRow(tr("&Locator:"), m_locator);
    form->addRow(tr("&Band (m):"), m_band);
    form->addRow(tr("&Frequency (MHz):"), m_frequency);
    m_locator->setPlaceholderText(QStringLiteral("PM95vr"));
    m_band->setPlaceholderText(QStringLiteral("20"));
    m_frequency->setPlaceholderText(QStringLiteral("14.195"));
    for (const FactRow& row : FactRows) {
        auto* label = new QLabel(this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setAccessibleName(tr(row.caption).chopped(1));
        m_facts.at(std::size_t(row.fact)) = label;
        form->addRow(tr(row.caption), label);
    }
    m_useLanguage->setObjectName(QStringLiteral("UseLanguage"));
    m_useLanguage->setAccessibleName(tr("Show the suggested language in the right column"));
    m_useLanguage->setEnabled(false);
    auto* newContactButton = new QPushButton(tr("New &contact"), this);
    newContactButton->setObjectName(QStringLiteral("NewContact"));
    newContactButton->setAccessibleName(tr("New contact: clear the other station's fields"));
    m_problem->setObjectName(QStringLiteral("ContactProblem"));
    m_problem->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_useLanguage);
    layout->addWidget(newContactButton);
    layout->addWidget(m_problem);

    const std::filesystem::path countryFile = station::CountryFile::defaultPath();
    try {
        m_countries = station::CountryFile::load(countryFile);
        if (!m_countries->problems().empty())
            m_countryProblem = tr("%n damaged line(s) of the country file skipped, the first: %1", nullptr,
                                  int(m_countries->problems().size()))
                                   .arg(QString::fromStdString(m_countries->problems().front()));
    } catch (const station::StationError& error) {
        m_countryProblem = tr("%1. The country lookup is off.").arg(QString::fromUtf8(error.what()));
    }
    m_problem->setText(m_countryProblem);
    m_problem->setVisible(!m_countryProblem.isEmpty());

    connect(m_call, &QLineEdit::textChanged, this, &ContactPanel::lookUp);
    // Their own locator places them better than their country's centre does.
    connect(m_locator, &QLineEdit::textChanged, this, &ContactPanel::lookUp);
    // The call and the distance are set by the lookup; the rest as typed.
    for (const auto& [input, slot] : {std::pair<QLineEdit*, QStringView>{m_name, u"their_name"},
                                      {m_qth, u"their_qth"},
                                      {m_rstSent, u"rst_sent"},
                                      {m_rstReceived, u"rst_rcvd"},
                                      {m_locator, u"their_locator"},
                                      {m_frequency, u"frequency"}})
        connect(input, &QLineEdit::textChanged, this,
                [this, name = slot](const QString& text) { m_blanks.setContact(name, text); });
    // The phrases say "{band} metres": a band typed as "20m" or "20 m" gives its number.
    connect(m_band, &QLineEdit::textChanged, this, [this](QString band) {
        band = band.trimmed();
        if (band.endsWith(u'm', Qt::CaseInsensitive)) band.chop(1);
        m_blanks.setContact(u"band", band.trimmed());
    });
    connect(newContactButton, &QPushButton::clicked, this, &ContactPanel::newContact);
    connect(m_useLanguage, &QPushButton::clicked, this, [this] {
        if (m_suggested) emit languageChosen(*m_suggested);
    });
}

QLabel* ContactPanel::factLabel(Fact fact) const
{
    return m_facts.at(std::size_t(fact));
}

QString ContactPanel::fact(Fact fact) const
{
    return factLabel(fact)->text();
}

void ContactPanel::newContact()
{
    for (QLineEdit* each : {m_call, m_name, m_qth, m_rstSent, m_rstReceived, m_locator})
        each->clear();
    m_call->setFocus();
}

void ContactPanel::profileChanged()
{
    lookUp();
}

void ContactPanel::lookUp()
{
    for (QLabel* each : m_facts)
        each->clear();
    m_suggested.reset();
    m_useLanguage->setEnabled(false);
    const QString call = m_call->text().trimmed();
    m_blanks.setContact(u"their_call", call.toUpper());
    std::optional<int> distance;
    if (!call.isEmpty() && m_countries)
        if (const auto location = m_countries->lookup(call.toStdString())) distance = showLocation(*location);
    m_blanks.setContact(u"distance_km", distance ? QString::number(*distance) : QString());
    if (!call.isEmpty()) showLastContact(call);
}

std::optional<int> ContactPanel::showLocation(const station::CallLocation& location)
{
    factLabel(Fact::Country)->setText(QString::fromStdString(location.country));
    factLabel(Fact::Continent)->setText(QString::fromStdString(location.continent));
    factLabel(Fact::Zones)->setText(QStringLiteral("%1 / %2").arg(location.cqZone).arg(location.ituZone));
    const QDateTime local = QDateTime::currentDateTimeUtc().addSecs(qint64(std::lround(location.utcOffset * 3600)));
    factLabel(Fact::LocalTime)
        ->setText(
            QStringLiteral("%1 (%2)").arg(local.toString(QStringLiteral("HH:mm")), utcOffsetText(location.utcOffset)));
    const auto theirs = station::Locator::centre(m_locator->text().trimmed().toStdString());
    const auto path = station::BeamPath::from(m_store.profile().locator.toStdString(), theirs.value_or(location.place));
    if (path) {
        factLabel(Fact::Heading)->setText(QStringLiteral("%1°").arg(path->heading));
        factLabel(Fact::Distance)->setText(QStringLiteral("%1 km").arg(path->distanceKm));
    }
    m_suggested = PhraseCatalogue::field(QString::fromLatin1(location.field.data(), qsizetype(location.field.size())));
    if (m_suggested) {
        for (const auto& language : PhraseCatalogue::languages())
            if (language.field == *m_suggested)
                factLabel(Fact::Language)->setText(QString::fromLatin1(language.caption));
        m_useLanguage->setEnabled(true);
    }
    return path ? std::optional<int>(path->distanceKm) : std::nullopt;
}

void ContactPanel::showLastContact(const QString& call)
{
    const QString path = m_store.profile().adifLog;
    if (path.isEmpty()) return;
    // The logger may add contacts while the panel is open: a log changed on the disk is read again.
    const QDateTime modified = QFileInfo(path).lastModified();
    if (!m_log || path != m_logPath || modified != m_logModified) {
        m_log.reset();
        m_logPath = path;
        m_logModified = modified;
        try {
            m_log = station::AdifLog::load(path.toStdString());
        } catch (const station::StationError& error) {
            factLabel(Fact::LastContact)->setText(QString::fromUtf8(error.what()));
            return;
        }
    }
    const station::AdifContact* last = m_log->lastContact(call.toStdString());
    if (last == nullptr) return;
    const QDate date = QDate::fromString(QString::fromStdString(last->date), QStringLiteral("yyyyMMdd"));
    factLabel(Fact::LastContact)
        ->setText(QStringLiteral("%1, %2, %3")
                      .arg(date.isValid() ? date.toString(Qt::ISODate) : QString::fromStdString(last->date),
                           QString::fromStdString(last->band), QString::fromStdString(last->mode)));
    if (m_name->text().isEmpty()) m_name->setText(QString::fromStdString(last->name));
    if (m_qth->text().isEmpty()) m_qth->setText(QString::fromStdString(last->qth));
}
