#pragma once

// Browser history databases made for tests and benchmarks, with the tables
// and indexes the browsers themselves create (only the columns read here and
// a few beside them).

#include "core/datetime.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sqlite3.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace ryv::test {

struct THistoryRow {
    QString url;
    QString title;
    TDateTime visitTime; // local time
};

class TSqlite final {
public:
    explicit TSqlite(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        if (sqlite3_open(QFile::encodeName(path).constData(), &FDb) != SQLITE_OK)
            throw std::runtime_error("cannot create database");
    }
    ~TSqlite() { sqlite3_close_v2(FDb); }
    TSqlite(const TSqlite&) = delete;
    TSqlite& operator=(const TSqlite&) = delete;

    void Exec(const char* sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(FDb, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string text = error ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(text);
        }
    }
    // Runs sql once per row with the row's url, title and time bound to ?1,
    // ?2, ?3 (the time in microseconds plus offsetUs) and the row's number to
    // ?4, all in one transaction.
    void InsertRows(
        const char* sql, const std::vector<THistoryRow>& rows, qint64 offsetUs, int firstId = 1)
    {
        Exec("BEGIN");
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(FDb, sql, -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(FDb));
        int id = firstId;
        for (const THistoryRow& row : rows) {
            const QByteArray url = row.url.toUtf8();
            const QByteArray title = row.title.toUtf8();
            sqlite3_bind_text(
                statement, 1, url.constData(), static_cast<int>(url.size()), SQLITE_TRANSIENT);
            if (row.title.isNull())
                sqlite3_bind_null(statement, 2);
            else
                sqlite3_bind_text(statement, 2, title.constData(), static_cast<int>(title.size()),
                    SQLITE_TRANSIENT);
            sqlite3_bind_int64(
                statement, 3, ToQDateTime(row.visitTime).toMSecsSinceEpoch() * 1000 + offsetUs);
            sqlite3_bind_int(statement, 4, id++);
            if (sqlite3_step(statement) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(FDb));
            sqlite3_reset(statement);
        }
        sqlite3_finalize(statement);
        Exec("COMMIT");
    }
    sqlite3* Get() const { return FDb; }

private:
    sqlite3* FDb = nullptr;
};

// A Firefox places.sqlite in write-ahead-log mode, locked the way a running
// Firefox locks it while the object lives: the rows stay in the -wal file.
class TFirefoxDatabase final {
public:
    explicit TFirefoxDatabase(const QString& path)
        : FDb(path)
    {
        FDb.Exec("PRAGMA journal_mode=WAL; PRAGMA locking_mode=EXCLUSIVE;"
                 "PRAGMA wal_autocheckpoint=0;"
                 "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title "
                 "LONGVARCHAR, rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden "
                 "INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER "
                 "DEFAULT -1 NOT NULL, last_visit_date INTEGER, guid TEXT, description TEXT, "
                 "preview_image_url TEXT);"
                 "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, "
                 "place_id INTEGER, visit_date INTEGER, visit_type INTEGER, session INTEGER, "
                 "source INTEGER DEFAULT 0 NOT NULL, triggeringPlaceId INTEGER);"
                 "CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits "
                 "(place_id, visit_date);"
                 "CREATE INDEX moz_historyvisits_dateindex ON moz_historyvisits (visit_date);");
    }
    // One place and one visit per row.
    void Add(const std::vector<THistoryRow>& rows)
    {
        FDb.InsertRows("INSERT INTO moz_places (id, url, title, last_visit_date) VALUES "
                       "(?4 + 1000000, ?1, ?2, ?3)",
            rows, 0, FNextId);
        FDb.InsertRows("INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) VALUES "
                       "(?4 + 1000000, ?3, 1)",
            rows, 0, FNextId);
        FNextId += static_cast<int>(rows.size());
    }
    TSqlite& Db() { return FDb; }

private:
    TSqlite FDb;
    int FNextId = 1;
};

// A Chromium History database.
class TChromiumDatabase final {
public:
    static constexpr qint64 EpochOffsetUs = 11644473600LL * 1000000LL;
    explicit TChromiumDatabase(const QString& path)
        : FDb(path)
    {
        FDb.Exec("CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT,url LONGVARCHAR,title "
                 "LONGVARCHAR,visit_count INTEGER DEFAULT 0 NOT NULL,typed_count INTEGER DEFAULT "
                 "0 NOT NULL,last_visit_time INTEGER NOT NULL,hidden INTEGER DEFAULT 0 NOT NULL);"
                 "CREATE TABLE visits(id INTEGER PRIMARY KEY AUTOINCREMENT,url INTEGER NOT "
                 "NULL,visit_time INTEGER NOT NULL,from_visit INTEGER,transition INTEGER DEFAULT "
                 "0 NOT NULL);"
                 "CREATE INDEX visits_url_index ON visits (url);"
                 "CREATE INDEX visits_time_index ON visits (visit_time);");
    }
    void Add(const std::vector<THistoryRow>& rows)
    {
        FDb.InsertRows("INSERT INTO urls (id, url, title, last_visit_time) VALUES (?4, ?1, ?2, ?3)",
            rows, EpochOffsetUs, FNextId);
        FDb.InsertRows(
            "INSERT INTO visits (url, visit_time) VALUES (?4, ?3)", rows, EpochOffsetUs, FNextId);
        FNextId += static_cast<int>(rows.size());
    }
    TSqlite& Db() { return FDb; }

private:
    TSqlite FDb;
    int FNextId = 1;
};

} // namespace ryv::test
