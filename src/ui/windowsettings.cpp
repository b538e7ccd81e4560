#include "ui/windowsettings.h"

#include "core/inifile.h"
#include "core/settings.h"

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
        // Bounds no screen could show count as missing; within these limits
        // no edge of the rectangle can overflow.
        const auto position = [&](const char* key, int def) {
            return ini.ReadBoundedInteger(
                Section, QLatin1String(key), def, -MaxStoredSize, MaxStoredSize);
        };
        const auto size = [&](const char* key, int def) {
            return ini.ReadBoundedInteger(Section, QLatin1String(key), def, 1, MaxStoredSize);
        };
        p.bounds = QRect(position("left", defaults.x()), position("top", defaults.y()),
            size("width", defaults.width()), size("height", defaults.height()));
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
