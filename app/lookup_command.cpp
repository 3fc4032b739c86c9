#include "lookup_command.h"

#include "command_line.h"
#include "station/beam_path.h"
#include "station/country_file.h"
#include "station/locator.h"
#include "station/profile_store.h"
#include "station/station_error.h"

#include <QStringList>
#include <QTextStream>

int LookupCommand::run(const QString& call, const QString& fromLocator)
{
    QTextStream err(stderr);
    QString locator = fromLocator;
    if (locator.isEmpty()) {
        const station::ProfileStore store;
        if (store.problem()) err << "tarvolyn: " << *store.problem() << "\n";
        locator = store.profile().locator;
    } else if (!station::Locator::valid(locator.toStdString())) {
        err << "tarvolyn: --from: \"" << fromLocator << "\" is not a Maidenhead locator of 4, 6 or 8 characters\n";
        return CommandLine::UsageError;
    }

    try {
        const auto file = station::CountryFile::load(station::CountryFile::defaultPath());
        for (const std::string& problem : file.problems())
            err << "tarvolyn: " << QString::fromStdString(problem) << "\n";
        const auto location = file.lookup(call.toStdString());
        if (!location) {
            err << "tarvolyn: no country in the country file matches \"" << call << "\"\n";
            return CommandLine::Failed;
        }
        const auto path = station::BeamPath::from(locator.toStdString(), location->place);
        const QStringList fields{call.toUpper(),
                                 QString::fromStdString(location->country),
                                 QString::fromStdString(location->continent),
                                 QString::number(location->cqZone),
                                 QString::number(location->ituZone),
                                 QString::number(location->utcOffset),
                                 path ? QString::number(path->heading) : QString(),
                                 path ? QString::number(path->distanceKm) : QString(),
                                 QString::fromLatin1(location->field.data(), qsizetype(location->field.size()))};
        QTextStream(stdout) << fields.join(u'\t') << "\n";
        return CommandLine::Done;
    } catch (const station::StationError& error) {
        err << "tarvolyn: " << QString::fromStdString(error.what()) << "\n";
        return CommandLine::UsageError;
    }
}
