// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/StudyRecord.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace quillet {

namespace {

// The record's layout; a file of a later layout belongs to a newer program.
constexpr int kRecordVersion = 1;

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS ANSWERS ("
    " ID INTEGER PRIMARY KEY,"
    " POOL TEXT NOT NULL,"
    " QUESTION TEXT NOT NULL,"
    " ANSWERED_AT TEXT NOT NULL,"
    " CORRECT INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS LATEST ("
    " POOL TEXT NOT NULL,"
    " QUESTION TEXT NOT NULL,"
    " ANSWER_ID INTEGER NOT NULL,"
    " CORRECT INTEGER NOT NULL,"
    " PRIMARY KEY (POOL, QUESTION)) WITHOUT ROWID;";

// A statement in one spacing and case, for comparing what a file holds with
// what kSchema makes.
QString Simplified(const QString& sql) { return sql.simplified().toUpper(); }

// The statement each of the record's tables is made by, by table name, as the
// file keeps it (without "IF NOT EXISTS").
QHash<QString, QString> RecordTables() {
    QHash<QString, QString> tables;
    for (QString sql : QString::fromLatin1(kSchema).split(u';', Qt::SkipEmptyParts)) {
        sql = Simplified(sql.replace(QLatin1String("IF NOT EXISTS "), QString()));
        tables.insert(sql.section(u' ', 2, 2), sql);
    }
    return tables;
}

// Whether the file holds nothing but the record's tables (or some of them, for
// a record that is being set up), each made by the very statement kSchema
// holds: no views, triggers, indexes or tables of its own, and no constraints
// or defaults of its own, whose expressions would run inside the program's
// writes. Anything else is some other program's database, or crafted.
// Returns the engine's result code; `own` is set when that is SQLITE_OK.
int HoldsOnlyRecordTables(const Database& db, bool& own) {
    std::vector<SchemaEntry> entries;
    const int rc = db.schema(entries);
    if (rc != SQLITE_OK) return rc;
    const QHash<QString, QString> tables = RecordTables();
    own = std::all_of(entries.begin(), entries.end(), [&](const SchemaEntry& entry) {
        return entry.type == QLatin1String("table") && tables.contains(entry.name.toUpper()) &&
               tables.value(entry.name.toUpper()) == Simplified(entry.sql);
    });
    return SQLITE_OK;
}

// What the record's statements use, and nothing more.
Permissions RecordPermissions() {
    Permissions permissions;
    permissions.tables = RecordTables().keys();
    permissions.functions = {QStringLiteral("last_insert_rowid"), QStringLiteral("count")};
    permissions.pragmas = {QStringLiteral("quick_check"), QStringLiteral("user_version")};
    permissions.writable = true;
    return permissions;
}

// The files SQLite may keep beside a database.
const char* const kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

bool IsDamage(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

bool IsBusy(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// Runs `PRAGMA name` and gives its first row's text in `value`; returns the
// engine's result code. (A pragma's result column is not named after it in
// every version, so it is read by position.)
int Pragma(const Database& db, const char* name, QString& value) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = QByteArray("PRAGMA ") + name;
    int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        }
        if (rc == SQLITE_ROW || rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return rc;
}

}  // namespace

QString StudyRecordFileName(const QString& programName) {
    return programName + QStringLiteral("-record.db");
}

bool MoveStudyRecord(const QString& from, const QString& to) {
    QStringList moved;
    for (const char* companion : kCompanionSuffixes) {
        const QString journal = from + QLatin1String(companion);
        if (!QFileInfo::exists(journal)) continue;
        if (!QFile::rename(journal, to + QLatin1String(companion))) {
            for (const QString& back : moved) QFile::rename(to + back, from + back);
            return false;
        }
        moved << QLatin1String(companion);
    }
    if (!QFile::rename(from, to)) {
        for (const QString& back : moved) QFile::rename(to + back, from + back);
        return false;
    }
    // Damaged copies kept earlier are the student's too; they follow when they can.
    const QFileInfo old(from);
    const QDir target = QFileInfo(to).dir();
    for (const QFileInfo& copy : old.dir().entryInfoList(
             {old.completeBaseName() + QStringLiteral(".damaged-*")}, QDir::Files)) {
        if (!target.exists(copy.fileName())) {
            QFile::rename(copy.filePath(), target.filePath(copy.fileName()));
        }
    }
    return true;
}

StudyRecord::OpenStatus StudyRecord::open(const QString& path, const QDate& today) {
    close();
    path_ = path;
    keptAs_.clear();
    const bool existed = QFileInfo::exists(path);

    QString reason;
    Check check = openFile(path, reason);
    if (check == Check::Damaged || check == Check::Foreign) {
        const bool foreign = check == Check::Foreign;
        db_.close();
        if (!keepDamagedFile(today)) {
            openInMemory(foreign ? QStringLiteral("it is not a study record and could not be "
                                                  "renamed")
                                 : QStringLiteral("it is damaged and could not be renamed"));
            return OpenStatus::InMemory;
        }
        check = openFile(path, reason);
        if (check == Check::Ok) {
            const QString what = foreign ? QStringLiteral("is not a study record of this program")
                                         : QStringLiteral("was damaged");
            tell(QStringLiteral("Your study record \"%1\" %2. It has been kept as \"%3\" and a "
                                "new record has been started.")
                     .arg(QDir::toNativeSeparators(path), what,
                          QDir::toNativeSeparators(QFileInfo(keptAs_).fileName())));
            return OpenStatus::Replaced;
        }
    }
    if (check == Check::Busy) {
        db_.close();
        openInMemoryTelling(QStringLiteral("Your study record \"%1\" is in use by another copy "
                                           "of the program, so the answers of this run will not "
                                           "be kept.")
                                .arg(QDir::toNativeSeparators(path)));
        return OpenStatus::InMemory;
    }
    if (check != Check::Ok) {
        db_.close();
        openInMemory(reason);
        return OpenStatus::InMemory;
    }
    return existed ? OpenStatus::Opened : OpenStatus::Created;
}

StudyRecord::Check StudyRecord::openFile(const QString& path, QString& reason) {
    const QFileInfo info(path);
    // A folder, FIFO or device of that name: opening or reading it could
    // block or harm it, so it is left alone.
    if (info.exists() && !info.isFile()) {
        reason = QStringLiteral("it is not a file");
        return Check::Unusable;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        reason = QStringLiteral("its folder cannot be created");
        return Check::Unusable;
    }
    int rc = db_.create(path, QByteArray());
    if (rc != SQLITE_OK) {
        reason = info.exists() ? QStringLiteral("it cannot be opened")
                               : QStringLiteral("its folder cannot be written");
        return Check::Unusable;
    }
    // Another copy of the program writes an answer in milliseconds; one that
    // holds the file longer is using it, and the wait ends at busyWaitMs_.
    sqlite3_busy_timeout(db_.handle(), busyWaitMs_);
    db_.restrict(RecordPermissions());
    if (sqlite3_db_readonly(db_.handle(), "main") == 1) {
        reason = QStringLiteral("it is read-only");
        return Check::Unusable;
    }

    QString result;
    rc = Pragma(db_, "quick_check", result);
    if (IsDamage(rc) || (rc == SQLITE_OK && result != QLatin1String("ok"))) return Check::Damaged;
    if (IsBusy(rc)) return Check::Busy;
    if (rc != SQLITE_OK) {
        reason = QStringLiteral("it cannot be read");
        return Check::Unusable;
    }
    // Before the first statement that touches the record's tables.
    bool own = false;
    rc = HoldsOnlyRecordTables(db_, own);
    if (IsDamage(rc)) return Check::Damaged;
    if (IsBusy(rc)) return Check::Busy;
    if (rc != SQLITE_OK) {
        reason = QStringLiteral("it cannot be read");
        return Check::Unusable;
    }
    if (!own) return Check::Foreign;
    QString version;
    Pragma(db_, "user_version", version);
    if (version.toInt() > kRecordVersion) {
        reason = QStringLiteral("it was written by a newer version of the program");
        return Check::Unusable;
    }

    // Setting the version writes to the file, so a folder that forbids the
    // journal beside it shows now, not at the first answer.
    const QByteArray setup = QByteArray("BEGIN IMMEDIATE;") + kSchema +
                             "PRAGMA user_version=" + QByteArray::number(kRecordVersion) +
                             ";COMMIT;";
    rc = db_.exec(setup.constData());
    if (rc != SQLITE_OK) {
        db_.exec("ROLLBACK");
        if (IsDamage(rc)) return Check::Damaged;
        if (IsBusy(rc)) return Check::Busy;
        reason = (rc & 0xff) == SQLITE_FULL ? QStringLiteral("the disk is full")
                                            : QStringLiteral("it cannot be written");
        return Check::Unusable;
    }
    return Check::Ok;
}

bool StudyRecord::keepDamagedFile(const QDate& today) {
    const QFileInfo info(path_);
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral(".damaged-") +
                                             today.toString(Qt::ISODate));
    const QString suffix =
        info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    QString target = stem + suffix;
    for (int n = 2; QFileInfo::exists(target); ++n) {
        target = stem + QStringLiteral("-") + QString::number(n) + suffix;
    }
    if (!QFile::rename(path_, target)) return false;
    keptAs_ = target;
    // A journal left beside the damaged file belongs to it; left behind it
    // would be played back into the new record.
    for (const char* companion : kCompanionSuffixes) {
        const QString from = path_ + QLatin1String(companion);
        if (QFileInfo::exists(from)) QFile::rename(from, target + QLatin1String(companion));
    }
    return true;
}

void StudyRecord::openInMemory(const QString& reason) {
    openInMemoryTelling(QStringLiteral("Your study record \"%1\" cannot be used (%2), so the "
                                       "answers of this run will not be kept.")
                            .arg(QDir::toNativeSeparators(path_), reason));
}

void StudyRecord::openInMemoryTelling(const QString& notice) {
    inMemory_ = true;
    db_.create(QStringLiteral(":memory:"), QByteArray());
    db_.exec(kSchema);
    tell(notice);
}

void StudyRecord::close() {
    db_.close();
    inMemory_ = false;
}

void StudyRecord::tell(const QString& text) {
    if (notice_.isEmpty()) notice_ = text;
}

QString StudyRecord::takeNotice() {
    if (noticeGiven_ || notice_.isEmpty()) return {};
    noticeGiven_ = true;
    return notice_;
}

bool StudyRecord::add(const RecordedAnswer& answer) {
    if (!isOpen() || answer.question.isEmpty()) return false;
    bool ok = db_.exec("BEGIN IMMEDIATE") == SQLITE_OK;
    if (ok) {
        Query insert(db_,
                     "INSERT INTO ANSWERS (POOL, QUESTION, ANSWERED_AT, CORRECT) "
                     "VALUES (?, ?, ?, ?)");
        insert.bind(1, answer.pool);
        insert.bind(2, answer.question);
        insert.bind(3, answer.time.toUTC().toString(Qt::ISODateWithMs));
        insert.bind(4, qint64(answer.right ? 1 : 0));
        ok = insert.run();
    }
    if (ok) {
        Query latest(db_,
                     "INSERT OR REPLACE INTO LATEST (POOL, QUESTION, ANSWER_ID, CORRECT) "
                     "VALUES (?, ?, last_insert_rowid(), ?)");
        latest.bind(1, answer.pool);
        latest.bind(2, answer.question);
        latest.bind(3, qint64(answer.right ? 1 : 0));
        ok = latest.run();
    }
    if (ok) ok = db_.exec("COMMIT") == SQLITE_OK;
    if (!ok) {
        db_.exec("ROLLBACK");
        tell(QStringLiteral("Your study record \"%1\" could not be written, so some answers of "
                            "this run have not been kept.")
                 .arg(QDir::toNativeSeparators(path_)));
    }
    return ok;
}

QHash<QString, LatestAnswer> StudyRecord::latest(const QString& pool) const {
    QHash<QString, LatestAnswer> answers;
    if (!isOpen()) return answers;
    Query query(db_, "SELECT QUESTION, ANSWER_ID, CORRECT FROM LATEST WHERE POOL = ?");
    query.bind(1, pool);
    while (query.next()) {
        answers.insert(query.text("QUESTION"),
                       {query.integer("ANSWER_ID"), query.integer("CORRECT") != 0});
    }
    return answers;
}

qint64 StudyRecord::answerCount() const {
    if (!isOpen()) return 0;
    Query query(db_, "SELECT COUNT(*) AS N FROM ANSWERS");
    return query.next() ? query.integer("N") : 0;
}

}  // namespace quillet
