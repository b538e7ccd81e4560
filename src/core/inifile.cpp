#include "core/inifile.h"

#include "core/apptexts.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace ryv {

namespace {

// The largest settings file read. The program's own holds a few kilobytes;
// long lists of group masks and excluded sources stay far below this.
constexpr qint64 MaxSettingsFileBytes = 1024 * 1024;

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

TIniFile::TIniFile(const QString& fileName)
    : FFileName(fileName)
{
    SetText(QString());
}

bool TIniFile::Load(QString* errorText)
{
    FFormat = TTextFileFormat {};
    FUnreadable = false;
    if (!QFileInfo::exists(FFileName)) {
        SetText(QString());
        return true;
    }
    TTextFileFormat format;
    QString error;
    const auto text = ReadTextFile(FFileName, MaxSettingsFileBytes, &format, &error);
    if (!text) {
        SetText(QString());
        FUnreadable = true;
        if (errorText)
            *errorText = AppTexts().str_file_cannotread.arg(Shown(FFileName), error);
        return false;
    }
    SetText(*text);
    FFormat = format;
    return true;
}

bool TIniFile::Save(QString* errorText) const
{
    // Writing what little is known over a file that could not be read would
    // throw away everything else it holds.
    if (FUnreadable) {
        if (errorText)
            *errorText = AppTexts().str_file_leftasis.arg(Shown(FFileName));
        return false;
    }
    const QString folder = QFileInfo(FFileName).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (errorText)
            *errorText = AppTexts().str_folder_cannotcreate.arg(Shown(folder));
        return false;
    }
    QString error;
    if (WriteTextFile(Text(), FFileName, FFormat.encoding, FFormat.withMark, &error))
        return true;
    if (errorText)
        *errorText = AppTexts().str_file_cannotwrite.arg(Shown(FFileName), error);
    return false;
}

void TIniFile::SetText(const QString& text)
{
    FSections.clear();
    FSections.push_back(TSection { QString(), QString(), false, {} });
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(u'\r', u'\n');
    const QStringList lines = normalized.split(u'\n');
    for (const QString& raw : lines) {
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']') && trimmed.size() >= 2) {
            FSections.push_back(
                TSection { trimmed.mid(1, trimmed.size() - 2).trimmed(), raw, true, {} });
            continue;
        }
        TLine line;
        line.text = raw;
        const qsizetype eq = raw.indexOf(u'=');
        // Lines before the first section and comments are kept but never read.
        if (FSections.size() > 1 && eq > 0 && !trimmed.startsWith(u';')) {
            line.key = raw.left(eq).trimmed();
            line.value = raw.mid(eq + 1).trimmed();
            line.isKey = !line.key.isEmpty();
        }
        FSections.back().lines.push_back(line);
    }
    // Blank lines at the end of a section are the separators the writer adds
    // again; keeping them would let them pile up with every save.
    for (TSection& s : FSections) {
        while (!s.lines.empty() && s.lines.back().text.trimmed().isEmpty())
            s.lines.pop_back();
    }
}

QString TIniFile::Text() const
{
    QString out;
    const QLatin1String eol("\r\n");
    for (const TSection& s : FSections) {
        if (!s.hasHeader && s.lines.empty())
            continue;
        if (s.hasHeader)
            out += (s.header.isEmpty() ? u'[' + s.name + u']' : s.header) + eol;
        for (const TLine& line : s.lines)
            out += (line.changed ? line.key + u'=' + line.value : line.text) + eol;
        out += eol;
    }
    return out;
}

TIniFile::TSection* TIniFile::FindSection(const QString& section)
{
    for (TSection& s : FSections)
        if (s.hasHeader && SameName(s.name, section))
            return &s;
    return nullptr;
}

const TIniFile::TSection* TIniFile::FindSection(const QString& section) const
{
    return const_cast<TIniFile*>(this)->FindSection(section);
}

const TIniFile::TLine* TIniFile::FindKey(const QString& section, const QString& key) const
{
    const TSection* s = FindSection(section);
    if (!s)
        return nullptr;
    for (const TLine& line : s->lines)
        if (line.isKey && SameName(line.key, key))
            return &line;
    return nullptr;
}

bool TIniFile::SectionExists(const QString& section) const
{
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    return FindKey(section, key) != nullptr;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const TLine* line = FindKey(section, key);
    return line ? line->value : def;
}

std::optional<int> TIniFile::IntegerValue(const QString& section, const QString& key) const
{
    const TLine* line = FindKey(section, key);
    if (!line)
        return std::nullopt;
    const QString& v = line->value;
    bool ok = false;
    int value = 0;
    if (v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = static_cast<int>(QStringView(v).mid(2).toUInt(&ok, 16));
    else
        value = v.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    return IntegerValue(section, key).value_or(def);
}

int TIniFile::ReadBoundedInteger(
    const QString& section, const QString& key, int def, int min, int max) const
{
    const std::optional<int> value = IntegerValue(section, key);
    return value && *value >= min && *value <= max ? *value : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QList<std::pair<QString, QString>> TIniFile::ReadSectionValues(const QString& section) const
{
    QList<std::pair<QString, QString>> values;
    for (const TSection& s : FSections) {
        if (!s.hasHeader || !SameName(s.name, section))
            continue;
        for (const TLine& line : s.lines)
            if (line.isKey)
                values.append({ line.key, line.value });
    }
    return values;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& text)
{
    // A line break would end the line and turn the rest into a line of its own.
    QString value = text;
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    value = value.trimmed();
    TSection* s = FindSection(section);
    if (!s) {
        FSections.push_back(TSection { section, QString(), true, {} });
        s = &FSections.back();
    }
    for (TLine& line : s->lines) {
        if (line.isKey && SameName(line.key, key)) {
            if (line.value != value) {
                line.value = value;
                line.changed = true;
            }
            return;
        }
    }
    // Appended after the last key, so comments that trail the section stay
    // at its end.
    auto at = s->lines.end();
    for (auto it = s->lines.begin(); it != s->lines.end(); ++it)
        if (it->isKey)
            at = it + 1;
    TLine line;
    line.key = key;
    line.value = value;
    line.isKey = true;
    line.changed = true;
    s->lines.insert(at, line);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString& section, const QString& key)
{
    for (TSection& s : FSections) {
        if (!s.hasHeader || !SameName(s.name, section))
            continue;
        std::erase_if(s.lines, [&](const TLine& l) { return l.isKey && SameName(l.key, key); });
    }
}

void TIniFile::EraseSection(const QString& section)
{
    std::erase_if(
        FSections, [&](const TSection& s) { return s.hasHeader && SameName(s.name, section); });
}

void TIniFile::ReplaceSection(
    const QString& section, const QList<std::pair<QString, QString>>& values)
{
    if (values.isEmpty()) {
        EraseSection(section);
        return;
    }
    auto first = std::find_if(FSections.begin(), FSections.end(),
        [&](const TSection& s) { return s.hasHeader && SameName(s.name, section); });
    if (first == FSections.end()) {
        FSections.push_back(TSection { section, QString(), true, {} });
        first = FSections.end() - 1;
    }
    first->lines.clear();
    for (const auto& [key, value] : values) {
        TLine line;
        line.key = key;
        line.value = value;
        line.isKey = true;
        line.changed = true;
        first->lines.push_back(line);
    }
    // Same-named sections further down are replaced as well.
    FSections.erase(
        std::remove_if(first + 1, FSections.end(),
            [&](const TSection& s) { return s.hasHeader && SameName(s.name, section); }),
        FSections.end());
}

} // namespace ryv
