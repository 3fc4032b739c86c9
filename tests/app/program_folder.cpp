#include "program_folder.h"

#include "station/profile_store.h"

#include <QDir>
#include <QFile>
#include <QProcess>

ProgramFolder::ProgramFolder()
{
    if (m_dir.isValid()) QDir(m_dir.path()).mkpath(QStringLiteral("dsb"));
}

bool ProgramFolder::isValid() const
{
    return m_dir.isValid() && QDir(m_dir.filePath(QStringLiteral("dsb"))).exists();
}

bool ProgramFolder::copyShippedFiles() const
{
    const QDir shipped(QStringLiteral(SHIPPED_DSB_DIR));
    const QStringList names = shipped.entryList({QStringLiteral("*.dsb")}, QDir::Files);
    for (const QString& name : names)
        if (!QFile::copy(shipped.filePath(name), m_dir.filePath(QStringLiteral("dsb/") + name))) return false;
    return !names.isEmpty();
}

ProgramFolder::Run ProgramFolder::run(const QStringList& arguments) const
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARVOLYN_EXECUTABLE), arguments);
    if (!process.waitForFinished(60000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

void ProgramFolder::saveProfileNamedIvan(const QString& configHome)
{
    station::StationProfile profile;
    profile.name = QStringLiteral("Ivan");
    profile.nameCyrillic = QStringLiteral("Иван");
    profile.nameKatakana = QStringLiteral("イワン");
    station::ProfileStore(QDir(configHome).filePath(QStringLiteral("Tarvolyn"))).save(profile);
}
