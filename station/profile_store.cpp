#include "profile_store.h"

#include "station/profile_check.h"
#include "station/station_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace station {

namespace {

struct ProfileKey {
    const char* key;
    QString StationProfile::*member;
};

constexpr std::array<ProfileKey, 15> ProfileKeys{{
    {"station/call", &StationProfile::call},
    {"station/name", &StationProfile::name},
    {"station/nameCyrillic", &StationProfile::nameCyrillic},
    {"station/nameKatakana", &StationProfile::nameKatakana},
    {"station/qth", &StationProfile::qth},
    {"station/qthCyrillic", &StationProfile::qthCyrillic},
    {"station/qthKatakana", &StationProfile::qthKatakana},
    {"station/region", &StationProfile::region},
    {"station/regionCyrillic", &StationProfile::regionCyrillic},
    {"station/regionKatakana", &StationProfile::regionKatakana},
    {"station/locator", &StationProfile::locator},
    {"station/rig", &StationProfile::rig},
    {"station/antenna", &StationProfile::antenna},
    {"station/power", &StationProfile::power},
    {"station/adifLog", &StationProfile::adifLog},
}};
constexpr const char* KeepLanguagePairKey = "phrase/keepLanguagePair";

// A folder opened only to flush its entries, closed on every path.
class FolderHandle {
public:
    explicit FolderHandle(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY))
    {
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    ~FolderHandle()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    [[nodiscard]] bool sync() const { return m_fd >= 0 && ::fsync(m_fd) == 0; }

private:
    int m_fd;
};

QString defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Tarvolyn");
}

} // namespace

ProfileStore::ProfileStore()
    : ProfileStore(defaultFolder())
{
}

ProfileStore::ProfileStore(const QString& folder)
    : m_folder(folder)
    , m_filePath(folder + QStringLiteral("/tarvolyn.conf"))
{
    load();
}

void ProfileStore::load()
{
    const QFileInfo info(m_filePath);
    if (!info.exists()) return;
    const QSettings settings(m_filePath, QSettings::IniFormat);
    StationProfile profile;
    for (const ProfileKey& each : ProfileKeys)
        profile.*each.member = settings.value(QLatin1String(each.key)).toString();
    const auto refused = ProfileCheck::problem(profile);
    if (!info.isReadable() || settings.status() == QSettings::AccessError) {
        m_problem =
            QStringLiteral("%1: cannot read the settings file. The station profile stays empty.").arg(m_filePath);
    } else if (settings.status() == QSettings::FormatError) {
        m_problem = QStringLiteral("%1: the settings file is damaged. The station profile stays empty until it is "
                                   "saved again.")
                        .arg(m_filePath);
    } else if (refused) {
        m_problem = QStringLiteral("%1: the settings file holds a refused value. %2 The station profile stays empty "
                                   "until it is saved again.")
                        .arg(m_filePath, *refused);
    } else {
        m_profile = profile;
        m_keepLanguagePair = settings.value(QLatin1String(KeepLanguagePairKey), false).toBool();
    }
}

void ProfileStore::save(const StationProfile& profile)
{
    if (const auto refused = ProfileCheck::problem(profile)) throw StationError(refused->toStdString());
    write(profile, m_keepLanguagePair);
    m_profile = profile;
    m_problem.reset();
}

void ProfileStore::setKeepLanguagePair(bool keep)
{
    write(m_profile, keep);
    m_keepLanguagePair = keep;
}

void ProfileStore::write(const StationProfile& profile, bool keepLanguagePair) const
{
    const auto failed = [&](const QString& why) {
        return StationError(QStringLiteral("%1: cannot save the settings: %2").arg(m_filePath, why).toStdString());
    };
    if (!QDir().mkpath(m_folder)) throw failed(QStringLiteral("cannot make the folder"));
    // The whole file is written anew beside the old one from these values, so that a damaged
    // old file neither stops the save nor leaves anything in the new one.
    const QString next = m_folder + QStringLiteral("/.tarvolyn.conf.new");
    QFile::remove(next);
    {
        QSettings settings(next, QSettings::IniFormat);
        for (const ProfileKey& each : ProfileKeys)
            settings.setValue(QLatin1String(each.key), profile.*each.member);
        settings.setValue(QLatin1String(KeepLanguagePairKey), keepLanguagePair);
        // QSettings writes through a temporary file of its own, flushed to the disk.
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            QFile::remove(next);
            throw failed(QStringLiteral("the folder is not writable"));
        }
    }
    if (::rename(QFile::encodeName(next).constData(), QFile::encodeName(m_filePath).constData()) != 0) {
        const int error = errno;
        QFile::remove(next);
        throw failed(QString::fromLocal8Bit(std::strerror(error)));
    }
    if (!FolderHandle(m_folder).sync()) throw failed(QStringLiteral("cannot flush the folder"));
}

} // namespace station
