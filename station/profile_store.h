#pragma once

#include "station/station_profile.h"

#include <QString>
#include <optional>

namespace station {

// The program's settings: the station profile and "Keep the language pair", in
// $XDG_CONFIG_HOME/Tarvolyn/tarvolyn.conf (~/.config when XDG_CONFIG_HOME is unset), through
// QSettings. Each save writes a whole new file beside the old one, flushed to the disk, renames
// it onto the settings file and flushes the folder, so a crash leaves the old file or the new
// one, never half of one.
class ProfileStore {
public:
    ProfileStore();
    // A store in another folder, for tests.
    explicit ProfileStore(const QString& folder);

    [[nodiscard]] const QString& filePath() const { return m_filePath; }

    // The settings as the file holds them. A file that cannot be read, or that is damaged or
    // holds refused values, leaves everything empty and says why in problem().
    [[nodiscard]] const StationProfile& profile() const { return m_profile; }
    [[nodiscard]] bool keepLanguagePair() const { return m_keepLanguagePair; }
    [[nodiscard]] const std::optional<QString>& problem() const { return m_problem; }

    // Checks the profile and writes it; a refused value or a failed write throws StationError
    // and leaves both the file and profile() as they were.
    void save(const StationProfile& profile);
    void setKeepLanguagePair(bool keep);

private:
    void load();
    // Writes every value, checks that the file took them, and flushes the folder.
    void write(const StationProfile& profile, bool keepLanguagePair) const;

    QString m_folder;
    QString m_filePath;
    StationProfile m_profile;
    bool m_keepLanguagePair = false;
    std::optional<QString> m_problem;
};

} // namespace station
