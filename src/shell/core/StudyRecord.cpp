// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/StudyRecord.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPair>
#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillet {

namespace {

// The record's layout; a file of a later layout belongs to a newer program.
// Version 1 kept the answers and each question's latest one; version 2 added
// the spaced review's boxes (SPACING); version 3 the tests, each answer's
// choice, test and time (ANSWER_DETAILS, kept beside ANSWERS under the
// answer's id, so that older rows stay as they are) and the flags.
constexpr int kRecordVersion = 3;

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
    " PRIMARY KEY (POOL, QUESTION)) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS SPACING ("
    " POOL TEXT NOT NULL,"
    " QUESTION TEXT NOT NULL,"
    " BOX INTEGER NOT NULL,"
    " DUE TEXT NOT NULL,"
    " PRIMARY KEY (POOL, QUESTION)) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS TESTS ("
    " ID INTEGER PRIMARY KEY,"
    " MODE INTEGER NOT NULL,"
    " ELEMENT INTEGER NOT NULL,"
    " STARTED_AT TEXT NOT NULL,"
    " ENDED_AT TEXT);"
    "CREATE TABLE IF NOT EXISTS ANSWER_DETAILS ("
    " ANSWER_ID INTEGER PRIMARY KEY,"
    " TEST_ID INTEGER,"
    " CHOSEN TEXT,"
    " SECONDS INTEGER);"
    "CREATE TABLE IF NOT EXISTS FLAGS ("
    " POOL TEXT NOT NULL,"
    " QUESTION TEXT NOT NULL,"
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

// An answer's time as the record keeps it ("2026-12-09T07:20:11.123Z"), in
// milliseconds since the epoch. The fixed layout is read directly, since the
// history of a whole year is read at once; anything else goes through
// QDateTime. -1 when the text is no time at all.
qint64 UtcMsecs(std::string_view text) {
    const auto digits = [&](size_t from, size_t count, int& value) {
        value = 0;
        for (size_t i = from; i < from + count; ++i) {
            const char c = text[i];
            if (c < '0' || c > '9') return false;
            value = value * 10 + (c - '0');
        }
        return true;
    };
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    if (text.size() == 24 && text[4] == '-' && text[7] == '-' && text[10] == 'T' &&
        text[13] == ':' && text[16] == ':' && text[19] == '.' && text[23] == 'Z' &&
        digits(0, 4, year) && digits(5, 2, month) && digits(8, 2, day) && digits(11, 2, hour) &&
        digits(14, 2, minute) && digits(17, 2, second) && digits(20, 3, msec) && month >= 1 &&
        month <= 12 && day >= 1 && day <= 31 && hour < 24 && minute < 60 && second < 61) {
        // Days from the civil date (proleptic Gregorian calendar).
        const int y = year - (month <= 2 ? 1 : 0);
        const int era = y / 400;
        const int yoe = y - era * 400;
        const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
        const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        const qint64 days = qint64(era) * 146097 + doe - 719468;
        return ((days * 24 + hour) * 60 + minute) * 60000 + second * 1000 + msec;
    }
    const QDateTime time = QDateTime::fromString(
        QString::fromUtf8(text.data(), qsizetype(text.size())), Qt::ISODateWithMs);
    return time.isValid() ? time.toMSecsSinceEpoch() : -1;
}

// The student's day an answer was given on.
QDate LocalDay(const QString& utcText) {
    const qint64 msecs = UtcMsecs(utcText.toStdString());
    return msecs < 0 ? QDate() : QDateTime::fromMSecsSinceEpoch(msecs).date();
}

// Times as the record keeps them: UTC, to the millisecond.
QString TimeText(const QDateTime& time) { return time.toUTC().toString(Qt::ISODateWithMs); }
QDateTime TimeFrom(const QString& text) {
    return text.isEmpty() ? QDateTime() : QDateTime::fromString(text, Qt::ISODateWithMs);
}

}  // namespace

Spacing NextSpacing(int box, bool right, const QDate& day) {
    if (!right) return {0, day};
    const int next = std::clamp(box + 1, 1, int(std::size(kSpacingDays)));
    return {next, day.addDays(kSpacingDays[next - 1])};
}

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
    // journal beside it shows now, not at the first answer. An older record
    // gains the tables it lacks and their rows, in the same transaction, so a
    // program stopped half-way leaves it as it was.
    rc = db_.exec("BEGIN IMMEDIATE");
    if (rc == SQLITE_OK) rc = db_.exec(kSchema);
    if (rc == SQLITE_OK) rc = upgrade(version.toInt());
    if (rc == SQLITE_OK) {
        const QByteArray setVersion =
            "PRAGMA user_version=" + QByteArray::number(kRecordVersion) + ";COMMIT;";
        rc = db_.exec(setVersion.constData());
    }
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

int StudyRecord::upgrade(int fromVersion) {
    if (fromVersion < 1 || fromVersion >= 2) return SQLITE_OK;
    // A version 1 record has no boxes: each question's box follows from its
    // answers so far, replayed in order.
    QHash<QPair<QString, QString>, Spacing> boxes;
    {
        Query answers(db_, "SELECT POOL, QUESTION, ANSWERED_AT, CORRECT FROM ANSWERS ORDER BY ID");
        while (answers.next()) {
            Spacing& spacing = boxes[{answers.text("POOL"), answers.text("QUESTION")}];
            spacing = NextSpacing(spacing.box, answers.integer("CORRECT") != 0,
                                  LocalDay(answers.text("ANSWERED_AT")));
        }
        if (answers.code() != SQLITE_DONE) return answers.code();
    }
    Query insert(db_,
                 "INSERT OR REPLACE INTO SPACING (POOL, QUESTION, BOX, DUE) VALUES (?, ?, ?, ?)");
    for (auto it = boxes.cbegin(); it != boxes.cend(); ++it) {
        insert.reset();
        insert.bind(1, it.key().first);
        insert.bind(2, it.key().second);
        insert.bind(3, qint64(it.value().box));
        insert.bind(4, it.value().due.toString(Qt::ISODate));
        if (!insert.run()) return insert.code();
    }
    return SQLITE_OK;
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
        insert.bind(3, TimeText(answer.time));
        insert.bind(4, qint64(answer.right ? 1 : 0));
        ok = insert.run();
    }
    const qint64 answerId = ok ? sqlite3_last_insert_rowid(db_.handle()) : 0;
    if (ok && (!answer.chosen.isNull() || answer.test > 0 || answer.seconds >= 0)) {
        Query details(db_,
                      "INSERT INTO ANSWER_DETAILS (ANSWER_ID, TEST_ID, CHOSEN, SECONDS) "
                      "VALUES (?, ?, ?, ?)");
        details.bind(1, answerId);
        if (answer.test > 0) details.bind(2, answer.test);
        if (!answer.chosen.isNull()) details.bind(3, QString(answer.chosen));
        if (answer.seconds >= 0) details.bind(4, qint64(answer.seconds));
        ok = details.run();
    }
    if (ok) {
        int before = 0;
        {
            Query box(db_, "SELECT BOX FROM SPACING WHERE POOL = ? AND QUESTION = ?");
            box.bind(1, answer.pool);
            box.bind(2, answer.question);
            if (box.next()) before = int(box.integer("BOX"));
            ok = box.code() == SQLITE_ROW || box.code() == SQLITE_DONE;
        }
        const Spacing spacing = NextSpacing(before, answer.right, answer.time.toLocalTime().date());
        Query update(db_,
                     "INSERT OR REPLACE INTO SPACING (POOL, QUESTION, BOX, DUE) "
                     "VALUES (?, ?, ?, ?)");
        update.bind(1, answer.pool);
        update.bind(2, answer.question);
        update.bind(3, qint64(spacing.box));
        update.bind(4, spacing.due.toString(Qt::ISODate));
        ok = ok && update.run();
    }
    if (ok) {
        Query latest(db_,
                     "INSERT OR REPLACE INTO LATEST (POOL, QUESTION, ANSWER_ID, CORRECT) "
                     "VALUES (?, ?, ?, ?)");
        latest.bind(1, answer.pool);
        latest.bind(2, answer.question);
        latest.bind(3, answerId);
        latest.bind(4, qint64(answer.right ? 1 : 0));
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
    Query query(db_,
                "SELECT L.QUESTION, L.ANSWER_ID, L.CORRECT, S.BOX, S.DUE FROM LATEST L"
                " LEFT JOIN SPACING S ON S.POOL = L.POOL AND S.QUESTION = L.QUESTION"
                " WHERE L.POOL = ?");
    query.bind(1, pool);
    while (query.next()) {
        const bool right = query.integer("CORRECT") != 0;
        LatestAnswer latest{query.integer("ANSWER_ID"), right, {}};
        latest.spacing.box = int(query.integer("BOX"));
        latest.spacing.due = QDate::fromString(query.text("DUE"), Qt::ISODate);
        // A box that disagrees with the latest answer is taken from the answer alone.
        if (right != (latest.spacing.box > 0) || !latest.spacing.due.isValid()) {
            latest.spacing = NextSpacing(0, right, QDate::currentDate());
        }
        answers.insert(query.text("QUESTION"), latest);
    }
    return answers;
}

AnswerHistory StudyRecord::history(const QString& pool) const {
    AnswerHistory history;
    if (!isOpen()) return history;
    Query query(db_,
                "SELECT QUESTION, ANSWERED_AT, CORRECT FROM ANSWERS WHERE POOL = ? ORDER BY ID");
    query.bind(1, pool);
    // A year of study holds some 10^5 answers to a few thousand questions:
    // each id becomes a QString once.
    std::unordered_map<std::string, int> index;
    while (query.next()) {
        const qint64 msecs = UtcMsecs(query.textAt(1));
        if (msecs < 0) continue;
        const std::string_view id = query.textAt(0);
        auto [found, added] = index.try_emplace(std::string(id), int(history.questions.size()));
        if (added) history.questions << QString::fromUtf8(id.data(), qsizetype(id.size()));
        history.answers.push_back({found->second, msecs, query.integerAt(2) != 0});
    }
    return history;
}

qint64 StudyRecord::beginTest(int mode, int element, const QDateTime& started) {
    if (!isOpen()) return 0;
    Query insert(db_, "INSERT INTO TESTS (MODE, ELEMENT, STARTED_AT) VALUES (?, ?, ?)");
    insert.bind(1, qint64(mode));
    insert.bind(2, qint64(element));
    insert.bind(3, TimeText(started));
    return insert.run() ? sqlite3_last_insert_rowid(db_.handle()) : 0;
}

void StudyRecord::endTest(qint64 test, const QDateTime& ended) {
    if (!isOpen() || test <= 0) return;
    Query update(db_, "UPDATE TESTS SET ENDED_AT = ? WHERE ID = ?");
    update.bind(1, TimeText(ended));
    update.bind(2, test);
    update.run();
}

RecordedTest StudyRecord::test(qint64 id) const {
    RecordedTest test;
    if (!isOpen()) return test;
    Query query(db_, "SELECT ID, MODE, ELEMENT, STARTED_AT, ENDED_AT FROM TESTS WHERE ID = ?");
    query.bind(1, id);
    if (!query.next()) return test;
    test.id = query.integer("ID");
    test.mode = int(query.integer("MODE"));
    test.element = int(query.integer("ELEMENT"));
    test.started = TimeFrom(query.text("STARTED_AT"));
    test.ended = TimeFrom(query.text("ENDED_AT"));
    return test;
}

std::vector<TestAnswer> StudyRecord::testAnswers(qint64 test) const {
    std::vector<TestAnswer> answers;
    if (!isOpen() || test <= 0) return answers;
    Query query(db_,
                "SELECT A.POOL, A.QUESTION, A.CORRECT, D.CHOSEN, D.SECONDS FROM ANSWER_DETAILS D"
                " JOIN ANSWERS A ON A.ID = D.ANSWER_ID WHERE D.TEST_ID = ? ORDER BY A.ID");
    query.bind(1, test);
    while (query.next()) {
        const QString chosen = query.text("CHOSEN");
        answers.push_back({query.text("POOL"), query.text("QUESTION"),
                           query.integer("CORRECT") != 0, chosen.size() == 1 ? chosen[0] : QChar(),
                           query.isNull("SECONDS") ? -1 : int(query.integer("SECONDS"))});
    }
    return answers;
}

bool StudyRecord::setFlag(const QString& pool, const QString& question, bool flagged) {
    if (!isOpen() || question.isEmpty()) return false;
    Query change(db_, flagged ? "INSERT OR REPLACE INTO FLAGS (POOL, QUESTION) VALUES (?, ?)"
                              : "DELETE FROM FLAGS WHERE POOL = ? AND QUESTION = ?");
    change.bind(1, pool);
    change.bind(2, question);
    if (change.run()) return true;
    tell(QStringLiteral("Your study record \"%1\" could not be written, so a flag has not been "
                        "kept.")
             .arg(QDir::toNativeSeparators(path_)));
    return false;
}

QSet<QString> StudyRecord::flags(const QString& pool) const {
    QSet<QString> flagged;
    if (!isOpen()) return flagged;
    Query query(db_, "SELECT QUESTION FROM FLAGS WHERE POOL = ?");
    query.bind(1, pool);
    while (query.next()) flagged.insert(query.text("QUESTION"));
    return flagged;
}

qint64 StudyRecord::answerCount() const {
    if (!isOpen()) return 0;
    Query query(db_, "SELECT COUNT(*) AS N FROM ANSWERS");
    return query.next() ? query.integer("N") : 0;
}

}  // namespace quillet
