#include "ui/windowsettings.h"

#include "core/inifile.h"

namespace ryv {

namespace {
const QString Section = QStringLiteral("window");
}

TWindowPlacement ReadWindowPlacement(const TIniFile& ini, const QRect& defaults)
{
    TWindowPlacement p;
    p.bounds = defaults;
    if (ini.ValueExists(Section, QStringLiteral("max"))) {
        p.hasBounds = true;
        p.bounds = QRect(ini.ReadInteger(Section, QStringLiteral("left"), defaults.x()),
            ini.ReadInteger(Section, QStringLiteral("top"), defaults.y()),
            ini.ReadInteger(Section, QStringLiteral("width"), defaults.width()),
            ini.ReadInteger(Section, QStringLiteral("height"), defaults.height()));
        p.max = ini.ReadBool(Section, QStringLiteral("max"), false);
    }
    p.pinned = ini.ReadBool(Section, QStringLiteral("pinned"), false);
    p.compact = ini.ReadBool(Section, QStringLiteral("compact"), false);
    return p;
}

void WriteWindowPlacement(TIniFile& ini, const TWindowPlacement& placement)
{
    ini.WriteBool(Section, QStringLiteral("max"), placement.max);
    if (placement.hasBounds) {
        ini.WriteInteger(Section, QStringLiteral("left"), placement.bounds.x());
        ini.WriteInteger(Section, QStringLiteral("top"), placement.bounds.y());
        ini.WriteInteger(Section, QStringLiteral("width"), placement.bounds.width());
        ini.WriteInteger(Section, QStringLiteral("height"), placement.bounds.height());
    }
    ini.WriteBool(Section, QStringLiteral("pinned"), placement.pinned);
    ini.WriteBool(Section, QStringLiteral("compact"), placement.compact);
}

} // namespace ryv
