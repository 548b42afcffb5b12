// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/QuestionBank.h"

#include <sqlcipher/sqlite3.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <memory>

#include "shell/core/FileLocations.h"
#include "shell/core/Settings.h"
#include "shell/core/SharedRoutines.h"

namespace quillet {
namespace {

BankResult Failure(BankStatus status, const QString& title, const QString& text) {
    return {status, title, text};
}

BankResult NotFound() {
    return Failure(BankStatus::NotFound, QStringLiteral("Critical Error"),
                   QStringLiteral("Critical Error:  The database was not found.  Exiting."));
}

BankResult CannotOpen(BankStatus status, const QString& path, const QString& why) {
    return Failure(status, QStringLiteral("Critical Error"),
                   QStringLiteral("Critical Error:  The question bank %1 cannot be opened: %2  "
                                  "Exiting.")
                       .arg(QDir::toNativeSeparators(path), why));
}

// Tells apart the reasons an encrypted open fails at its first read. The engine
// answers "not a database" both for a wrong password and for a file that is no
// database, so the file's own bytes decide.
BankStatus ClassifyNotADatabase(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return BankStatus::Damaged;
    const qint64 size = file.size();
    const QByteArray head = file.read(16);
    // A plain database: readable without any password.
    if (head.startsWith(QByteArray("SQLite format 3", 15))) return BankStatus::Unprotected;
    // An encrypted bank is made of whole pages of 1024 bytes.
    if (size < 1024 || size % 1024 != 0) return BankStatus::NotADatabase;
    return BankStatus::WrongPassword;
}

// A choice is kept under "Ask" + SECTIONID; an id too large for that key can
// be neither chosen nor kept.
bool HasSettingsKey(qint64 id) {
    return id >= std::numeric_limits<int>::min() && id <= std::numeric_limits<int>::max();
}

BankResult OpenFailure(int code, const QString& path) {
    switch (code) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return CannotOpen(BankStatus::Locked, path,
                              QStringLiteral("it is in use by another running copy of the "
                                             "program."));
        case SQLITE_NOTADB:
            switch (ClassifyNotADatabase(path)) {
                case BankStatus::NotADatabase:
                    return CannotOpen(BankStatus::NotADatabase, path,
                                      QStringLiteral("the file is not a question bank database."));
                case BankStatus::Unprotected:
                    return CannotOpen(BankStatus::Unprotected, path,
                                      QStringLiteral("the file is an unprotected database, not "
                                                     "the password-protected question bank."));
                default:
                    break;
            }
            return CannotOpen(BankStatus::WrongPassword, path,
                              QStringLiteral("its password is wrong (or its first page is "
                                             "damaged)."));
        case SQLITE_INTERRUPT:
            return CannotOpen(BankStatus::Damaged, path,
                              QStringLiteral("reading it ran far too long and was stopped."));
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
            return CannotOpen(BankStatus::Damaged, path,
                              QStringLiteral("the file cannot be read."));
        default:
            return CannotOpen(BankStatus::Damaged, path, QStringLiteral("the file is damaged."));
    }
}

// Statements collapsed to single spaces, for comparing what a file holds with
// what the bank writer makes.
QString Simplified(const QString& sql) { return sql.simplified().toUpper(); }

bool IsBankTable(const QString& name) {
    for (const char* table : kBankTables) {
        if (name.compare(QLatin1String(table), Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

}  // namespace

// What in the schema no bank holds, described for the student; empty for a
// schema a bank may have. The file's views, triggers and index expressions
// would run inside the program's own reads, so only the bank writer's own
// tables and index are let through, before anything else is read.
QString ForeignBankSchema(const std::vector<SchemaEntry>& entries) {
    for (const SchemaEntry& entry : entries) {
        const bool table = entry.type == QLatin1String("table");
        const bool index = entry.type == QLatin1String("index");
        if (table && (IsBankTable(entry.name) || entry.name == QLatin1String("sqlite_sequence"))) {
            continue;
        }
        // The engine's own indexes for UNIQUE and PRIMARY KEY columns carry no statement.
        if (index && entry.sql.isEmpty() && IsBankTable(entry.table)) continue;
        if (index && Simplified(entry.sql) == Simplified(QLatin1String(kBankIndex))) continue;
        return QStringLiteral("it holds a %1 \"%2\" that no question bank has.")
            .arg(entry.type, entry.name);
    }
    return {};
}

Permissions BankReadPermissions() {
    Permissions permissions;
    for (const char* table : kBankTables) permissions.tables << QLatin1String(table);
    permissions.pragmas << QStringLiteral("query_only");
    return permissions;
}

QByteArray AddedBankKey() {
    return "x'" +
           QCryptographicHash::hash(QByteArray(kQuestionBankKey) + "/added",
                                    QCryptographicHash::Sha256)
               .toHex() +
           "'";
}

namespace {

// Opens `path` read-only as a bank and checks it as the installed bank is checked.
BankResult OpenBankReadOnly(Database& database, const QString& path, const QByteArray& key) {
    if (QFileInfo(path).size() == 0) {
        return CannotOpen(BankStatus::NotADatabase, path,
                          QStringLiteral("the file is empty, not a question bank database."));
    }
    int rc = database.openReadOnly(path, key);
    if (rc == SQLITE_OK) rc = database.exec("SELECT count(*) FROM sqlite_master");
    if (rc != SQLITE_OK) return OpenFailure(rc, path);
    std::vector<SchemaEntry> entries;
    rc = database.schema(entries);
    if (rc != SQLITE_OK) return OpenFailure(rc, path);
    if (const QString foreign = ForeignBankSchema(entries); !foreign.isEmpty()) {
        database.close();
        return CannotOpen(BankStatus::Foreign, path, foreign);
    }
    database.restrict(BankReadPermissions());
    rc = database.exec("PRAGMA query_only=ON");
    if (rc != SQLITE_OK) return OpenFailure(rc, path);
    return {};
}

// Opens the student's bank of added pools, when there is one, and picks the elements it serves:
// those whose added pool begins no earlier than the installed one.
BankResult OpenAddedBank(Session& session) {
    session.addedBank.close();
    session.addedBankPath.clear();
    session.addedElements.clear();
    const QString path = AddedBankFile(session.programDir, session.programName);
    if (!QFileInfo(path).isFile()) return {};
    const BankResult opened = OpenBankReadOnly(session.addedBank, path, AddedBankKey());
    if (!opened.ok()) return opened;
    session.addedBankPath = path;
    const ExamTable installed = LoadExams(session.database);
    const ExamTable added = LoadExams(session.addedBank);
    for (const ExamInfo& exam : added.rows()) {
        const ExamInfo* other = installed.find(exam.element);
        if (!other || exam.validFrom >= other->validFrom)
            session.addedElements.insert(exam.element);
    }
    return {};
}

}  // namespace

ExamTable LoadBankExams(const Session& session) {
    ExamTable installed = LoadExams(session.database);
    if (session.addedElements.empty()) return installed;
    std::vector<ExamInfo> rows;
    for (const ExamInfo& exam : installed.rows()) {
        if (!session.addedElements.count(exam.element)) rows.push_back(exam);
    }
    const ExamTable added = LoadExams(session.addedBank);
    for (const ExamInfo& exam : added.rows()) {
        if (session.addedElements.count(exam.element)) rows.push_back(exam);
    }
    std::sort(rows.begin(), rows.end(),
              [](const ExamInfo& a, const ExamInfo& b) { return a.element < b.element; });
    return ExamTable(std::move(rows));
}

QStringList QuestionBankCandidates(const QString& programDir, const QString& programName) {
    QStringList candidates;
    for (const QString& folder : BankFolders(programDir)) {
        for (const QString& name : BankFileNames(programName)) {
            candidates << JoinPath(folder, name);
        }
    }
    return candidates;
}

BankResult OpenQuestionBank(Session& session, const SettingsSnapshot& stored) {
    session.databasePath.clear();
    for (const QString& candidate :
         QuestionBankCandidates(session.programDir, session.programName)) {
        if (QFileInfo(candidate).isFile()) {
            session.databasePath = candidate;
            break;
        }
    }
    if (session.databasePath.isEmpty()) return NotFound();

    const QString& path = session.databasePath;
    // An empty file would be taken for a new database and written to.
    if (QFileInfo(path).size() == 0) {
        return CannotOpen(BankStatus::NotADatabase, path,
                          QStringLiteral("the file is empty, not a question bank database."));
    }
    const QByteArray key(kQuestionBankKey);
    int rc = session.database.open(path, key);
    if (rc != SQLITE_OK) return OpenFailure(rc, path);
    if (!session.database.readOnly()) {
        // Hold the file exclusively for the whole run: the first read takes the
        // lock and keeps it, so a second copy fails at once instead of waiting.
        rc = session.database.exec("PRAGMA locking_mode=EXCLUSIVE");
        if (rc == SQLITE_OK) rc = session.database.exec("BEGIN EXCLUSIVE");
        if (rc == SQLITE_OK) rc = session.database.exec("COMMIT");
        // A lock that needs write access the file or its folder refuses: read
        // it without one.
        if (rc == SQLITE_READONLY || rc == SQLITE_CANTOPEN || rc == SQLITE_PERM) {
            rc = session.database.openReadOnly(path, key);
            if (rc != SQLITE_OK) return OpenFailure(rc, path);
        } else if (rc != SQLITE_OK) {
            return OpenFailure(rc, path);
        }
    }
    if (session.database.readOnly()) {
        // Shared reading takes no lock up front; this first read checks the
        // password and that no other copy holds the bank exclusively.
        rc = session.database.exec("SELECT count(*) FROM sqlite_master");
        if (rc != SQLITE_OK) return OpenFailure(rc, path);
    }
    std::vector<SchemaEntry> entries;
    rc = session.database.schema(entries);
    if (rc != SQLITE_OK) return OpenFailure(rc, path);
    if (const QString foreign = ForeignBankSchema(entries); !foreign.isEmpty()) {
        session.database.close();
        return CannotOpen(BankStatus::Foreign, path, foreign);
    }
    session.database.restrict(BankReadPermissions());
    // The program only reads its bank; the engine refuses any write from here on.
    rc = session.database.exec("PRAGMA query_only=ON");
    if (rc != SQLITE_OK) return OpenFailure(rc, path);

    if (const BankResult added = OpenAddedBank(session); !added.ok()) return added;
    return LoadSections(session, stored);
}

BankResult OpenQuestionBank(Session& session) {
    return OpenQuestionBank(session, SettingsSnapshot(session.settingsPath));
}

BankResult LoadSections(Session& session) {
    return LoadSections(session, SettingsSnapshot(session.settingsPath));
}

namespace {

// Adds the sections of `bank` that `wanted` takes to `rows`. A SECTIONID is what questions
// name and the key of the student's choice, so a second row with the same id could be
// neither asked nor chosen on its own: the first row with an id stands for it.
BankResult ReadSections(const Database& bank, const QString& path,
                        const std::function<bool(int element)>& wanted,
                        std::vector<SectionInfo>& rows, QSet<qint64>& ids) {
    Query query(bank, "SELECT * FROM SECTIONS ORDER BY SECTIONID");
    if (!query.prepared()) {
        if (query.code() == SQLITE_ERROR) {
            return CannotOpen(BankStatus::Damaged, path,
                              QStringLiteral("it has no SECTIONS table."));
        }
        return OpenFailure(query.code(), path);
    }
    while (query.next()) {
        SectionInfo info;
        info.Id = query.integer("SECTIONID");
        info.Test = static_cast<int>(query.integer("TEST"));
        if (ids.contains(info.Id) || !wanted(info.Test)) continue;
        ids.insert(info.Id);
        info.Description = query.text("DESCRIPTION");
        info.Section = query.text("SECTION");
        rows.push_back(info);
    }
    if (query.code() != SQLITE_DONE) return OpenFailure(query.code(), path);
    return {};
}

}  // namespace

BankResult LoadSections(Session& session, const SettingsSnapshot& stored) {
    std::vector<SectionInfo> rows;
    QSet<qint64> ids;
    const auto added = [&session](int element) { return session.addedElements.count(element) > 0; };
    BankResult read = ReadSections(
        session.database, session.databasePath, [&](int element) { return !added(element); }, rows,
        ids);
    if (read.ok() && !session.addedElements.empty()) {
        read = ReadSections(session.addedBank, session.addedBankPath, added, rows, ids);
    }
    if (!read.ok()) return read;

    if (rows.empty()) {
        return Failure(BankStatus::NoSections, QStringLiteral("Error"),
                       QStringLiteral("A critical error has occurred -- no sections can be "
                                      "found."));
    }

    session.sections.reset(static_cast<int>(rows.size()));
    int index = 1;
    for (SectionInfo& row : rows) {
        row.Ask =
            HasSettingsKey(row.Id) && settings::ReadSectionChosen(stored, static_cast<int>(row.Id));
        session.sections(index++) = row;
    }
    return {};
}

BankResult ReloadAddedBank(Session& session) {
    std::map<int, QString> poolsBefore;
    for (const ExamInfo& exam : session.exams.rows()) poolsBefore[exam.element] = exam.pool;

    const BankResult opened = OpenAddedBank(session);
    if (!opened.ok()) {
        session.addedBank.close();
        session.addedBankPath.clear();
        session.addedElements.clear();
    }
    const BankResult loaded = LoadSections(session);
    session.exams = LoadBankExams(session);
    for (const ExamInfo& exam : session.exams.rows()) {
        if (poolsBefore[exam.element] != exam.pool) session.poolWarningsGiven.erase(exam.element);
    }
    return opened.ok() ? loaded : opened;
}

void ReportBankFault(const Session& session, FatalErrorHandler* fatal, const QString& fault) {
    if (!fatal) return;
    fatal->fatal(
        QStringLiteral("Critical Error"),
        QStringLiteral("Critical Error:  The question bank %1 cannot be read: "
                       "%2.  Exiting.")
            .arg(QDir::toNativeSeparators(session.bankPathFor(session.currentElement)), fault));
}

namespace {
void SetSectionChosen(Session& session, int index, bool chosen) {
    SectionInfo* section = session.sections.find(index);
    if (!section || !HasSettingsKey(section->Id)) return;
    section->Ask = chosen;
    WriteSetting(session.settingsPath, settings::kSectionsSection,
                 settings::SectionKey(static_cast<int>(section->Id)),
                 chosen ? QStringLiteral("Yes") : QStringLiteral("No"));
}
}  // namespace

void SelectSection(Session& session, int index) { SetSectionChosen(session, index, true); }
void DeselectSection(Session& session, int index) { SetSectionChosen(session, index, false); }

bool LoadProgram(Session& session, StudentOptions& options, FatalErrorHandler* fatal) {
    session.currentElement = 1;
    session.settingsPath = SettingsPathFor(session);
    RemoveLeftoverSettingsFiles(session.settingsPath);
    // One reading of the settings file serves every setting read at start-up: the one
    // the black background made, when it read this file.
    std::unique_ptr<const SettingsSnapshot> early = std::move(session.settingsAtStart);
    if (!early || early->file() != session.settingsPath) {
        early = std::make_unique<const SettingsSnapshot>(session.settingsPath);
    }
    const SettingsSnapshot& stored = *early;
    const BankResult bank = OpenQuestionBank(session, stored);
    if (!bank.ok()) {
        if (fatal) fatal->fatal(bank.title, bank.text);
        return false;
    }
    session.exams = LoadBankExams(session);
    options.soundOn = settings::ReadSoundOn(stored);
    options.figuresOn = settings::ReadFiguresOn(stored);
    options.testMode = settings::ReadTestMode(stored);
    options.shuffleOn = settings::ReadShuffleOn(stored);
    options.windowSize = settings::ReadWindowSize(stored);
    return true;
}

QString PoolNameFor(const Session& session, int element) {
    // The pool's own name ("technician-2026-2030") where the bank says it, so that answers
    // to a replaced pool are not taken for answers to the new one.
    if (const ExamInfo* exam = session.exams.find(element); exam && !exam->pool.isEmpty()) {
        return exam->pool;
    }
    return QStringLiteral("Element ") + QString::number(element);
}

StudyRecord::OpenStatus OpenStudyRecord(Session& session) {
    const QString data = StudentFoldersFor(session.programDir, session.programName).data;
    const QString name = StudyRecordFileName(session.programName);
    const QString file = JoinPath(JoinPath(data, kStudyRecordFolder), name);
    // Earlier versions kept the record in the data folder itself. It moves into its own folder
    // once; a record that cannot move (a link, a folder that refuses the move) is used where it
    // lies, and one already in the record folder wins over an old one left behind.
    const QString old = JoinPath(data, name);
    MakePerUserFolderFor(old);
    if (!QFileInfo::exists(file) && QFileInfo(old).isFile()) {
        if (QFileInfo(old).isSymLink() || !QDir(data).mkpath(kStudyRecordFolder) ||
            !MoveStudyRecord(old, file)) {
            return session.record.open(old);
        }
    }
    if (QFileInfo(data).isDir()) QDir(data).mkpath(kStudyRecordFolder);
    return session.record.open(file);
}

}  // namespace quillet
