#include "platform/versioninfo.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifndef RYV_VERSION
#error "RYV_VERSION must be defined by the build"
#endif
#ifndef RYV_COPYRIGHT
#error "RYV_COPYRIGHT must be defined by the build"
#endif

namespace ryv {
namespace {

QString Canonical(const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

TVersionInfo::TVersionInfo()
    : TVersionInfo(QCoreApplication::applicationFilePath())
{
}

TVersionInfo::TVersionInfo(const QString& fileName)
{
    LoadFile(fileName);
}

void TVersionInfo::LoadFile(const QString& fileName)
{
    FFileName = fileName;
    const QString self = QCoreApplication::applicationFilePath();
    FValid = !fileName.isEmpty() && !self.isEmpty() && Canonical(fileName) == Canonical(self);
}

QString TVersionInfo::ProgramVersion()
{
    return QStringLiteral(RYV_VERSION);
}

QString TVersionInfo::ProgramCopyright()
{
    return QStringLiteral(RYV_COPYRIGHT);
}

QString TVersionInfo::ProgramLicense()
{
    return QStringLiteral(RYV_LICENSE);
}

QString TVersionInfo::ProgramHomePage()
{
    return QStringLiteral(RYV_HOMEPAGE);
}

QString TVersionInfo::ProgramTitle()
{
    return QStringLiteral("Ryv Tracker");
}

QString TVersionInfo::GetVerValue(const QString& verName) const
{
    if (!FValid)
        return {};
    if (verName == QLatin1String("FileVersion") || verName == QLatin1String("ProductVersion"))
        return ProgramVersion();
    if (verName == QLatin1String("LegalCopyright"))
        return ProgramCopyright();
    if (verName == QLatin1String("ProductName") || verName == QLatin1String("FileDescription"))
        return ProgramTitle();
    if (verName == QLatin1String("InternalName") || verName == QLatin1String("OriginalFilename"))
        return QFileInfo(FFileName).fileName();
    return {};
}

std::array<quint16, 4> TVersionInfo::FixedVersion(bool /*product*/) const
{
    std::array<quint16, 4> parts { 0, 0, 0, 0 };
    if (!FValid)
        return parts;
    const QStringList numbers = ProgramVersion().split(QLatin1Char('.'));
    for (qsizetype i = 0; i < numbers.size() && i < 4; ++i)
        parts[static_cast<size_t>(i)] = numbers[i].toUShort();
    return parts;
}

QString TVersionInfo::FileVersionText() const
{
    return GetVerValue(QStringLiteral("FileVersion"));
}

QString TVersionInfo::ProductVersionText() const
{
    return GetVerValue(QStringLiteral("ProductVersion"));
}

bool IsWindows10OrLater()
{
    return false;
}

} // namespace ryv
