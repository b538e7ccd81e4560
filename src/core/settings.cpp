#include "core/settings.h"

#include <algorithm>

namespace ryv {

namespace {

const QString TaskDlg = QStringLiteral("taskDlg");
const QString Misc = QStringLiteral("misc");
const QString ExclApps = QStringLiteral("exclApps");
const QString GroupMasks = QStringLiteral("groupMasks");

// The text after the first "=" of each line; the key names do not matter.
QStringList SectionTexts(const TIniFile& ini, const QString& section)
{
    QStringList texts;
    for (const auto& [key, value] : ini.ReadSectionValues(section))
        texts.append(value);
    return texts;
}

QList<std::pair<QString, QString>> NumberedValues(const QStringList& texts)
{
    QList<std::pair<QString, QString>> values;
    for (qsizetype i = 0; i < texts.size(); ++i)
        values.append({ QString::number(i), texts[i] });
    return values;
}

// Choices are stored as byte-sized numbers and keep the low 8 bits of what
// was stored; a value without meaning falls back to the default rather than
// half working.
template <class TChoice>
TChoice ReadChoice(const TIniFile& ini, const QString& key, TChoice current, int count, TChoice def)
{
    const int value = ini.ReadInteger(Misc, key, static_cast<int>(current)) & 0xFF;
    return value < count ? static_cast<TChoice>(value) : def;
}

} // namespace

void LoadSettings(const TIniFile& ini, TRyvOptions& options, TReportChecks& checks)
{
    // 0 is what a file holds before the dialog was ever sized; a negative or
    // absurd size (no screen is that large) counts as missing. The dialog
    // itself fits the size to its screen.
    options.TaskDlgSize.setWidth(ini.ReadBoundedInteger(
        TaskDlg, QStringLiteral("width"), options.TaskDlgSize.width(), 0, MaxStoredSize));
    options.TaskDlgSize.setHeight(ini.ReadBoundedInteger(
        TaskDlg, QStringLiteral("height"), options.TaskDlgSize.height(), 0, MaxStoredSize));

    options.ExportExt = ini.ReadString(Misc, QStringLiteral("exportExt"), options.ExportExt);
    options.ListShowStop = ini.ReadBool(Misc, QStringLiteral("listShowStop"), options.ListShowStop);
    options.ReportsTitle = ini.ReadString(Misc, QStringLiteral("repTit"), options.ReportsTitle);
    options.ReportCharts = ini.ReadBool(Misc, QStringLiteral("repCharts"), options.ReportCharts);
    options.SpendToClipboard = ReadChoice(ini, QStringLiteral("spendToClip"),
        options.SpendToClipboard, SpendToClipboardCount, TSpendToClipboard::Git);
    checks.daily = ini.ReadBool(Misc, QStringLiteral("repDaily"), true);
    checks.groups = ini.ReadBool(Misc, QStringLiteral("repGroups"), false);
    options.WindowTitleType = ReadChoice(ini, QStringLiteral("winTitle"), options.WindowTitleType,
        WindowTitleTypeCount, TWindowTitleType::CurrentTask);
    options.LangCode = ini.ReadString(Misc, QStringLiteral("langCode"), options.LangCode);
    options.AutoShowSuggest
        = ini.ReadBool(Misc, QStringLiteral("autoSuggest"), options.AutoShowSuggest);
    // Minutes of absence before the question; 0 switches it off. Anything
    // beyond a day is no sensible setting and falls back to the default.
    const int away = ini.ReadInteger(Misc, QStringLiteral("awayMinutes"), options.AwayMinutes);
    options.AwayMinutes
        = away >= 0 && away <= TRyvOptions::MaxAwayMinutes ? away : TRyvOptions::DefaultAwayMinutes;
    options.CloseToTray = ini.ReadBool(Misc, QStringLiteral("closeToTray"), options.CloseToTray);

    options.ExcludedApps = SectionTexts(ini, ExclApps);
    std::stable_sort(options.ExcludedApps.begin(), options.ExcludedApps.end(),
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    options.GroupMasks = SectionTexts(ini, GroupMasks);
}

void SaveSettings(TIniFile& ini, const TRyvOptions& options, const TReportChecks& checks)
{
    ini.WriteInteger(TaskDlg, QStringLiteral("width"), options.TaskDlgSize.width());
    ini.WriteInteger(TaskDlg, QStringLiteral("height"), options.TaskDlgSize.height());

    ini.WriteString(Misc, QStringLiteral("exportExt"), options.ExportExt);
    ini.WriteBool(Misc, QStringLiteral("listShowStop"), options.ListShowStop);
    ini.WriteString(Misc, QStringLiteral("repTit"), options.ReportsTitle);
    ini.WriteInteger(
        Misc, QStringLiteral("spendToClip"), static_cast<int>(options.SpendToClipboard));
    ini.WriteBool(Misc, QStringLiteral("repDaily"), checks.daily);
    ini.WriteBool(Misc, QStringLiteral("repGroups"), checks.groups);
    ini.WriteBool(Misc, QStringLiteral("autoSuggest"), options.AutoShowSuggest);
    ini.WriteInteger(Misc, QStringLiteral("winTitle"), static_cast<int>(options.WindowTitleType));
    ini.WriteString(Misc, QStringLiteral("langCode"), options.LangCode);
    ini.WriteInteger(Misc, QStringLiteral("awayMinutes"), options.AwayMinutes);
    ini.WriteBool(Misc, QStringLiteral("closeToTray"), options.CloseToTray);
    ini.WriteBool(Misc, QStringLiteral("repCharts"), options.ReportCharts);

    ini.ReplaceSection(ExclApps, NumberedValues(options.ExcludedApps));
    ini.ReplaceSection(GroupMasks, NumberedValues(options.GroupMasks));
}

} // namespace ryv
