#include "suggest/desktopentries.h"

#include "core/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace ryv {

namespace {

// \s \n \t \r \\ of string values.
QString Unescape(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out.append(c);
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            out.append(QLatin1Char(' '));
            break;
        case 'n':
            out.append(QLatin1Char('\n'));
            break;
        case 't':
            out.append(QLatin1Char('\t'));
            break;
        case 'r':
            out.append(QLatin1Char('\r'));
            break;
        default:
            // "\\" and escapes of other meaning (those of Exec) keep their
            // backslash for the next level, except the doubled one.
            if (next != QLatin1Char('\\'))
                out.append(QLatin1Char('\\'));
            out.append(next);
        }
    }
    return out;
}

// How well a Name[locale] key fits the user's locale: 4 best, 0 not at all.
int LocaleRank(
    QStringView keyLocale, const QString& lang, const QString& country, const QString& modifier)
{
    if (lang.isEmpty())
        return 0;
    if (!country.isEmpty() && !modifier.isEmpty()
        && keyLocale == QString(lang + QLatin1Char('_') + country + QLatin1Char('@') + modifier))
        return 4;
    if (!country.isEmpty() && keyLocale == QString(lang + QLatin1Char('_') + country))
        return 3;
    if (!modifier.isEmpty() && keyLocale == QString(lang + QLatin1Char('@') + modifier))
        return 2;
    if (keyLocale == lang)
        return 1;
    return 0;
}

bool SameId(const QString& id, const QString& name)
{
    if (name.isEmpty())
        return false;
    if (id.compare(name, Qt::CaseInsensitive) == 0)
        return true;
    // Reverse-domain ids ("org.kde.dolphin") end in the program's own name.
    const qsizetype dot = id.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && QStringView(id).mid(dot + 1).compare(name, Qt::CaseInsensitive) == 0;
}

QString StripDesktopSuffix(const QString& name)
{
    return name.endsWith(QLatin1String(".desktop")) ? name.chopped(8) : name;
}

} // namespace

TDesktopEntries::TDesktopEntries(const QStringList& applicationFolders, const QString& localeName)
{
    for (const QString& folder : applicationFolders)
        ReadFolder(folder, localeName);
}

QStringList TDesktopEntries::ApplicationFolders()
{
    const QString home = QDir::homePath();
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = home + QStringLiteral("/.local/share");
    QStringList dataDirs
        = qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dataDirs.isEmpty())
        dataDirs = { QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share") };
    // Programs installed as flatpaks and snaps bring their entries in these
    // folders; sessions usually name them, but not every one does.
    dataDirs << dataHome + QStringLiteral("/flatpak/exports/share")
             << QStringLiteral("/var/lib/flatpak/exports/share")
             << QStringLiteral("/var/lib/snapd/desktop");

    QStringList folders;
    auto add = [&folders](const QString& dir) {
        if (QDir::isRelativePath(dir))
            return;
        const QString folder = QDir::cleanPath(dir + QStringLiteral("/applications"));
        if (!folders.contains(folder))
            folders.append(folder);
    };
    add(dataHome);
    for (const QString& dir : dataDirs)
        add(dir);
    return folders;
}

QString TDesktopEntries::UserLocaleName()
{
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

void TDesktopEntries::ReadFolder(const QString& folder, const QString& localeName)
{
    const QDir base(folder);
    if (!base.exists())
        return;
    // Regular files only (QDir::Files without QDir::System): a pipe named
    // like an entry must not hold the dialog up.
    QDirIterator it(folder, { QStringLiteral("*.desktop") }, QDir::Files | QDir::Readable,
        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    int visited = 0;
    while (it.hasNext() && static_cast<int>(FEntries.size()) < MaxEntries && visited < MaxEntries) {
        it.next();
        ++visited;
        const QFileInfo info = it.fileInfo();
        if (info.size() > MaxFileSize)
            continue;
        QString id = base.relativeFilePath(info.filePath());
        if (id.startsWith(QLatin1String("..")))
            continue;
        id = StripDesktopSuffix(id.replace(QLatin1Char('/'), QLatin1Char('-')));
        if (FSeenIds.contains(id))
            continue;
        // The id is taken even by a hidden entry: it hides the same program
        // of a later folder.
        FSeenIds.insert(id);
        const std::optional<QByteArray> bytes = ReadFileBytes(info.filePath(), MaxFileSize);
        TDesktopEntry entry;
        if (!bytes || !Parse(*bytes, localeName, entry))
            continue;
        entry.id = id;
        FEntries.push_back(std::move(entry));
    }
}

bool TDesktopEntries::Parse(const QByteArray& data, const QString& localeName, TDesktopEntry& entry)
{
    QString locale = localeName;
    const qsizetype at = locale.indexOf(QLatin1Char('@'));
    QString modifier;
    if (at >= 0) {
        modifier = locale.mid(at + 1);
        locale.truncate(at);
    }
    const qsizetype dot = locale.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        locale.truncate(dot);
    QString lang = locale;
    QString country;
    const qsizetype underscore = locale.indexOf(QLatin1Char('_'));
    if (underscore >= 0) {
        lang = locale.left(underscore);
        country = locale.mid(underscore + 1);
    }
    if (lang == QLatin1String("C") || lang == QLatin1String("POSIX"))
        lang.clear();

    const QString text = QString::fromUtf8(data);
    bool inGroup = false;
    bool foundGroup = false;
    bool hidden = false;
    QString type;
    QString name;
    QString localName;
    int localRank = 0;
    QString exec;
    QString tryExec;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            // Keys of a second [Desktop Entry] group would be a broken file's.
            if (inGroup && foundGroup)
                break;
            foundGroup = foundGroup || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QStringView key = line.left(eq).trimmed();
        const QStringView value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Name")) {
            name = Unescape(value);
        } else if (key.startsWith(QLatin1String("Name[")) && key.endsWith(QLatin1Char(']'))) {
            const int rank = LocaleRank(key.mid(5, key.size() - 6), lang, country, modifier);
            if (rank > localRank) {
                localRank = rank;
                localName = Unescape(value);
            }
        } else if (key == QLatin1String("Type")) {
            type = Unescape(value);
        } else if (key == QLatin1String("Hidden")) {
            hidden = value == QLatin1String("true");
        } else if (key == QLatin1String("Icon")) {
            entry.icon = Unescape(value);
        } else if (key == QLatin1String("Exec")) {
            exec = Unescape(value);
        } else if (key == QLatin1String("TryExec")) {
            tryExec = Unescape(value);
        } else if (key == QLatin1String("StartupWMClass")) {
            entry.startupWMClass = Unescape(value);
        }
    }
    if (!foundGroup || hidden || (!type.isEmpty() && type != QLatin1String("Application")))
        return false;
    entry.name = localRank > 0 && !localName.isEmpty() ? localName : name;
    entry.program = tryExec.isEmpty() ? ExecProgram(exec) : ExecProgram(tryExec);
    return true;
}

QString TDesktopEntries::ExecProgram(const QString& exec)
{
    // Words of the command line: blanks separate, double quotes group, and
    // inside them a backslash makes the next character literal.
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"'))
                quoted = false;
            else if (c == QLatin1Char('\\') && i + 1 < exec.size())
                word.append(exec.at(++i));
            else
                word.append(c);
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord) {
                words.append(word);
                word.clear();
                inWord = false;
            }
        } else {
            word.append(c);
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    for (const QString& w : words) {
        if (w == QLatin1String("env")
            || (w.contains(QLatin1Char('=')) && !w.contains(QLatin1Char('/'))))
            continue;
        return w;
    }
    return {};
}

const QString& TDesktopEntries::ResolvedProgram(const TDesktopEntry& entry) const
{
    if (!entry.programResolved) {
        entry.programResolved = true;
        QString path = entry.program;
        if (!path.isEmpty() && !path.contains(QLatin1Char('/')))
            path = QStandardPaths::findExecutable(path);
        if (!path.isEmpty()) {
            const QString canonical = QFileInfo(path).canonicalFilePath();
            entry.programPath = canonical.isEmpty() ? path : canonical;
        }
    }
    return entry.programPath;
}

const TDesktopEntry* TDesktopEntries::Find(const TProgramKeys& keys) const
{
    auto first = [this](auto&& fits) -> const TDesktopEntry* {
        for (const TDesktopEntry& entry : FEntries)
            if (fits(entry))
                return &entry;
        return nullptr;
    };
    const TDesktopEntry* found = nullptr;
    if (!keys.flatpakId.isEmpty())
        found = first([&](const TDesktopEntry& e) { return e.id == keys.flatpakId; });
    if (!found && !keys.snapName.isEmpty()) {
        // A snap's entries are named "<snap>_<app>.desktop".
        const QString main = keys.snapName + QLatin1Char('_') + keys.snapName;
        found = first([&](const TDesktopEntry& e) { return e.id == main; });
        if (!found) {
            const QString prefix = keys.snapName + QLatin1Char('_');
            found = first([&](const TDesktopEntry& e) { return e.id.startsWith(prefix); });
        }
    }
    if (!found && !keys.applicationId.isEmpty()) {
        const QString id = StripDesktopSuffix(keys.applicationId);
        found = first([&](const TDesktopEntry& e) { return e.id == id; });
    }
    if (!found && !keys.wmClass.isEmpty()) {
        for (qsizetype i = keys.wmClass.size() - 1; !found && i >= 0; --i) {
            const QString& cls = keys.wmClass.at(i);
            if (!cls.isEmpty())
                found = first([&](const TDesktopEntry& e) { return e.startupWMClass == cls; });
        }
    }
    if (!found && !keys.executable.isEmpty()) {
        found = first([&](const TDesktopEntry& e) {
            return !e.program.isEmpty() && ResolvedProgram(e) == keys.executable;
        });
    }
    for (qsizetype i = keys.wmClass.size() - 1; !found && i >= 0; --i) {
        const QString& cls = keys.wmClass.at(i);
        found = first([&](const TDesktopEntry& e) { return SameId(e.id, cls); });
    }
    return found;
}

} // namespace ryv
