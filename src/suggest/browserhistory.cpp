#include "suggest/browserhistory.h"

#include "core/tempfolders.h"
#include "core/textfile.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>

namespace ryv {

namespace {

// Microseconds between 1601-01-01 (Chromium's epoch) and 1970-01-01.
constexpr qint64 ChromiumEpochOffsetUs = 11644473600LL * 1000000LL;

struct TChromiumBrowser {
    const char* name;
    std::array<const char*, 4> configFolders; // below the config home
    std::array<const char*, 4> homeFolders; // below home: snaps and flatpaks
};

const TChromiumBrowser ChromiumBrowsers[] = {
    { "Chromium", { "chromium" },
        { "snap/chromium/common/chromium", ".var/app/org.chromium.Chromium/config/chromium" } },
    { "Google Chrome", { "google-chrome", "google-chrome-beta", "google-chrome-unstable" },
        { ".var/app/com.google.Chrome/config/google-chrome" } },
    { "Brave", { "BraveSoftware/Brave-Browser" },
        { "snap/brave/current/.config/BraveSoftware/Brave-Browser",
            ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser" } },
    { "Vivaldi", { "vivaldi", "vivaldi-snapshot" },
        { ".var/app/com.vivaldi.Vivaldi/config/vivaldi" } },
    { "Microsoft Edge", { "microsoft-edge", "microsoft-edge-beta", "microsoft-edge-dev" },
        { ".var/app/com.microsoft.Edge/config/microsoft-edge" } },
    { "Opera", { "opera", "opera-beta" },
        { "snap/opera/current/.config/opera", ".var/app/com.opera.Opera/config/opera" } },
};

bool IsRegularFile(const QString& path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// Copies a regular file without following it into a pipe or device; the
// copy is readable by us only.
bool CopyFile(const QString& from, const QString& to)
{
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st { };
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    const int out
        = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    // In the kernel: copy_file_range within a file system, sendfile across
    // them (the runtime folder is a tmpfs); plain reads and writes last.
    enum class TWay { Range, SendFile, ReadWrite } way = TWay::Range;
    // The file may grow while it is copied; what was there when we looked is
    // enough.
    off_t left = st.st_size;
    while (left > 0) {
        const size_t chunk = static_cast<size_t>(std::min<off_t>(left, 1 << 30));
        ssize_t n = -1;
        if (way == TWay::Range) {
            n = ::copy_file_range(in, nullptr, out, nullptr, chunk, 0);
            if (n < 0 && errno != EINTR) {
                way = TWay::SendFile;
                continue;
            }
        } else if (way == TWay::SendFile) {
            n = ::sendfile(out, in, nullptr, chunk);
            if (n < 0 && errno != EINTR) {
                way = TWay::ReadWrite;
                continue;
            }
        } else {
            char buffer[64 * 1024];
            n = ::read(in, buffer, std::min(chunk, sizeof buffer));
            for (ssize_t done = 0; n > 0 && done < n;) {
                const ssize_t written = ::write(out, buffer + done, static_cast<size_t>(n - done));
                if (written <= 0) {
                    n = -1;
                    break;
                }
                done += written;
            }
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0; // the file shrank: take what there was
            break;
        }
        left -= n;
    }
    ::close(in);
    if (::close(out) != 0)
        ok = false;
    return ok;
}

struct TSqliteClose {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct TSqliteFinalize {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

int StopWhenLate(void* timer)
{
    return static_cast<QElapsedTimer*>(timer)->hasExpired(TBrowserHistory::QueryTimeLimitMs) ? 1
                                                                                             : 0;
}

QString ColumnText(sqlite3_stmt* statement, int column, int maxBytes)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    if (!text)
        return {};
    const int bytes = std::min(sqlite3_column_bytes(statement, column), maxBytes);
    return QString::fromUtf8(text, bytes);
}

qint64 ToUnixUs(TDateTime t)
{
    return ToQDateTime(t).toMSecsSinceEpoch() * 1000;
}

TDateTime FromUnixUs(qint64 us)
{
    return FromQDateTime(QDateTime::fromMSecsSinceEpoch(us / 1000));
}

void AddFirefoxRoot(const QString& root, QSet<QString>& seen, std::vector<THistoryDatabase>& out)
{
    for (const QString& profile :
        TBrowserHistory::FirefoxProfiles(root + QStringLiteral("/profiles.ini"))) {
        const QString path = profile + QStringLiteral("/places.sqlite");
        const QString key = QFileInfo(path).canonicalFilePath();
        if (key.isEmpty() || seen.contains(key) || !IsRegularFile(path))
            continue;
        seen.insert(key);
        out.push_back({ path, QStringLiteral("Firefox"), THistoryDatabase::TKind::Firefox });
    }
}

void AddChromiumRoot(const QString& root, const QString& browser, QSet<QString>& seen,
    std::vector<THistoryDatabase>& out)
{
    const QDir dir(root);
    if (!dir.exists())
        return;
    static const QRegularExpression profileName(QStringLiteral("^(Default|Profile [0-9]+)$"));
    QStringList folders { QString() }; // Opera keeps its history in the root
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (profileName.match(name).hasMatch())
            folders.append(name);
    for (const QString& folder : folders) {
        const QString path = folder.isEmpty()
            ? root + QStringLiteral("/History")
            : root + QLatin1Char('/') + folder + QStringLiteral("/History");
        const QString key = QFileInfo(path).canonicalFilePath();
        if (key.isEmpty() || seen.contains(key) || !IsRegularFile(path))
            continue;
        seen.insert(key);
        out.push_back({ path, browser, THistoryDatabase::TKind::Chromium });
    }
}

} // namespace

TBrowserHistory::TBrowserHistory(
    const QString& home, const QString& configHome, const QString& tempFolder)
    : FHome(home)
    , FConfigHome(configHome)
    , FTempFolder(tempFolder.isEmpty() ? DefaultTempFolder() : tempFolder)
{
}

QString TBrowserHistory::DefaultTempFolder()
{
    return RuntimeTempBase();
}

QStringList TBrowserHistory::FirefoxProfiles(const QString& profilesIni)
{
    // A profiles.ini lists a few profiles in a few hundred bytes.
    const std::optional<QByteArray> bytes = ReadFileBytes(profilesIni, 64 * 1024);
    if (!bytes)
        return {};
    const QString base = QFileInfo(profilesIni).absolutePath();
    const QString text = QString::fromUtf8(*bytes);
    QStringList profiles;
    bool inProfile = false;
    QString path;
    bool relative = true;
    auto flush = [&] {
        if (inProfile && !path.isEmpty() && profiles.size() < 64) {
            const QString full = QDir::cleanPath(relative ? base + QLatin1Char('/') + path : path);
            if (!profiles.contains(full))
                profiles.append(full);
        }
        path.clear();
        relative = true;
    };
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            flush();
            inProfile = line.startsWith(QLatin1String("[Profile"));
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QStringView key = line.left(eq).trimmed();
        const QStringView value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Path"))
            path = value.toString();
        else if (key == QLatin1String("IsRelative"))
            relative = value != QLatin1String("0");
    }
    flush();
    return profiles;
}

std::vector<THistoryDatabase> TBrowserHistory::FindDatabases(
    const QString& home, const QString& configHome)
{
    const QString config = configHome.isEmpty() || QDir::isRelativePath(configHome)
        ? home + QStringLiteral("/.config")
        : configHome;
    std::vector<THistoryDatabase> databases;
    QSet<QString> seen;
    AddFirefoxRoot(config + QStringLiteral("/mozilla/firefox"), seen, databases);
    for (const char* folder : { ".mozilla/firefox", "snap/firefox/common/.mozilla/firefox",
             ".var/app/org.mozilla.firefox/.mozilla/firefox" })
        AddFirefoxRoot(home + QLatin1Char('/') + QString::fromLatin1(folder), seen, databases);
    for (const TChromiumBrowser& browser : ChromiumBrowsers) {
        const QString name = QString::fromLatin1(browser.name);
        for (const char* folder : browser.configFolders)
            if (folder)
                AddChromiumRoot(
                    config + QLatin1Char('/') + QString::fromLatin1(folder), name, seen, databases);
        for (const char* folder : browser.homeFolders)
            if (folder)
                AddChromiumRoot(
                    home + QLatin1Char('/') + QString::fromLatin1(folder), name, seen, databases);
    }
    return databases;
}

std::vector<TBrowserVisit> TBrowserHistory::ReadDatabase(
    const THistoryDatabase& database, TDateTime since, const QString& tempFolder)
{
    // A folder only we may enter, removed with the object; when we are
    // killed meanwhile, the next start removes it.
    const TPrivateTempFolder folder(tempFolder);
    if (!folder.IsValid())
        return {};
    const QString name = QFileInfo(database.path).fileName();
    const QString copy = folder.FilePath(name);
    if (!CopyFile(database.path, copy))
        return {};
    // The last minutes live beside the database until the browser writes
    // them into it; a copy without them would miss exactly those pages.
    for (const char* suffix : { "-wal", "-journal" }) {
        const QString side = database.path + QLatin1String(suffix);
        if (IsRegularFile(side))
            CopyFile(side, copy + QLatin1String(suffix));
    }

    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(copy).constData(), &raw,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE, nullptr);
    std::unique_ptr<sqlite3, TSqliteClose> db(raw);
    if (opened != SQLITE_OK)
        return {};
    // Another program's file: no code from its schema, no memory map, sizes
    // and time bounded.
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_limit(db.get(), SQLITE_LIMIT_LENGTH, 1000000);
    sqlite3_exec(
        db.get(), "PRAGMA mmap_size=0; PRAGMA cell_size_check=ON", nullptr, nullptr, nullptr);
    QElapsedTimer timer;
    timer.start();
    sqlite3_progress_handler(db.get(), 1000, StopWhenLate, &timer);

    const bool firefox = database.kind == THistoryDatabase::TKind::Firefox;
    const char* sql = firefox
        ? "SELECT p.url, p.title, v.visit_date FROM moz_historyvisits v JOIN moz_places p ON p.id "
          "= v.place_id WHERE v.visit_date >= ? ORDER BY v.visit_date DESC LIMIT ?"
        : "SELECT u.url, u.title, v.visit_time FROM visits v JOIN urls u ON u.id = v.url WHERE "
          "v.visit_time >= ? ORDER BY v.visit_time DESC LIMIT ?";
    sqlite3_stmt* rawStatement = nullptr;
    if (sqlite3_prepare_v2(db.get(), sql, -1, &rawStatement, nullptr) != SQLITE_OK)
        return {};
    std::unique_ptr<sqlite3_stmt, TSqliteFinalize> statement(rawStatement);
    const qint64 offset = firefox ? 0 : ChromiumEpochOffsetUs;
    sqlite3_bind_int64(statement.get(), 1, ToUnixUs(since) + offset);
    sqlite3_bind_int(statement.get(), 2, MaxRowsPerDatabase);

    std::vector<TBrowserVisit> visits;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        TBrowserVisit visit;
        visit.url = ColumnText(statement.get(), 0, MaxUrlBytes);
        visit.title = ColumnText(statement.get(), 1, MaxTitleBytes);
        visit.browser = database.browser;
        visit.visitTime = FromUnixUs(sqlite3_column_int64(statement.get(), 2) - offset);
        if (!visit.url.isEmpty())
            visits.push_back(std::move(visit));
    }
    // A database that breaks off half way is not trusted for any row.
    if (step != SQLITE_DONE)
        return {};
    return visits;
}

std::vector<TBrowserVisit> TBrowserHistory::RecentVisits(TDateTime since)
{
    std::vector<TBrowserVisit> visits;
    for (const THistoryDatabase& database : FindDatabases(FHome, FConfigHome)) {
        std::vector<TBrowserVisit> rows = ReadDatabase(database, since, FTempFolder);
        visits.insert(visits.end(), std::make_move_iterator(rows.begin()),
            std::make_move_iterator(rows.end()));
    }
    std::stable_sort(visits.begin(), visits.end(),
        [](const TBrowserVisit& a, const TBrowserVisit& b) { return a.visitTime > b.visitTime; });
    return visits;
}

} // namespace ryv
