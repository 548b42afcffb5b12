#include "shell/core/QuestionBank.h"

#include "shell/core/Settings.h"
#include "shell/core/SharedRoutines.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

namespace quillet {
namespace {

const QString kFixedName = QStringLiteral("quillet");

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
    // A plain database: readable, but not protected by our password.
    if (head.startsWith(QByteArray("SQLite format 3", 15))) return BankStatus::WrongPassword;
    // An encrypted bank is made of whole pages of 1024 bytes.
    if (size < 1024 || size % 1024 != 0) return BankStatus::NotADatabase;
    return BankStatus::WrongPassword;
}

BankResult OpenFailure(int code, const QString& path) {
    switch (code) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return CannotOpen(BankStatus::Locked, path,
                              QStringLiteral("it is in use by another running copy of the "
                                             "program."));
        case SQLITE_NOTADB:
            if (ClassifyNotADatabase(path) == BankStatus::NotADatabase) {
                return CannotOpen(BankStatus::NotADatabase, path,
                                  QStringLiteral("the file is not a question bank database."));
            }
            return CannotOpen(BankStatus::WrongPassword, path,
                              QStringLiteral("its password is wrong (or its first page is "
                                             "damaged)."));
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_READONLY:
            return CannotOpen(BankStatus::Damaged, path,
                              QStringLiteral("the file cannot be read and written."));
        default:
            return CannotOpen(BankStatus::Damaged, path,
                              QStringLiteral("the file is damaged."));
    }
}

}  // namespace

QStringList QuestionBankCandidates(const QString& programDir, const QString& programName) {
    return {JoinPath(programDir, programName + QStringLiteral(".dat")),
            JoinPath(programDir, programName + QStringLiteral(".mdb")),
            JoinPath(programDir, kFixedName + QStringLiteral(".mdb")),
            JoinPath(programDir, kFixedName + QStringLiteral(".dat"))};
}

BankResult OpenQuestionBank(AppState& state) {
    state.databasePath.clear();
    for (const QString& candidate : QuestionBankCandidates(state.programDir, state.programName)) {
        if (QFileInfo(candidate).isFile()) {
            state.databasePath = candidate;
            break;
        }
    }
    if (state.databasePath.isEmpty()) return NotFound();

    const QString& path = state.databasePath;
    // An empty file would be taken for a new database and written to.
    if (QFileInfo(path).size() == 0) {
        return CannotOpen(BankStatus::NotADatabase, path,
                          QStringLiteral("the file is empty, not a question bank database."));
    }
    int rc = state.database.open(path, QByteArray(kQuestionBankKey));
    if (rc != SQLITE_OK) return OpenFailure(rc, path);
    // Hold the file exclusively for the whole run: the first read takes the
    // lock and keeps it, so a second copy fails at once instead of waiting.
    rc = state.database.exec("PRAGMA locking_mode=EXCLUSIVE");
    if (rc == SQLITE_OK) rc = state.database.exec("BEGIN EXCLUSIVE");
    if (rc == SQLITE_OK) rc = state.database.exec("COMMIT");
    if (rc != SQLITE_OK) return OpenFailure(rc, path);

    return LoadSections(state);
}

BankResult LoadSections(AppState& state) {
    Query query(state.database, "SELECT * FROM SECTIONS ORDER BY SECTIONID");
    if (!query.prepared()) {
        if (query.code() == SQLITE_ERROR) {
            return CannotOpen(BankStatus::Damaged, state.databasePath,
                              QStringLiteral("it has no SECTIONS table."));
        }
        return OpenFailure(query.code(), state.databasePath);
    }

    struct Row {
        qint64 id;
        SectionInfo info;
    };
    std::vector<Row> rows;
    while (query.next()) {
        SectionInfo info;
        info.Description = query.text("DESCRIPTION");
        info.Section = query.text("SECTION");
        info.Test = static_cast<int>(query.integer("TEST"));
        rows.push_back({query.integer("SECTIONID"), info});
    }
    if (query.code() != SQLITE_DONE) return OpenFailure(query.code(), state.databasePath);

    if (rows.empty()) {
        return Failure(BankStatus::NoSections, QStringLiteral("Error"),
                       QStringLiteral("A critical error has occurred -- no sections can be "
                                      "found."));
    }

    state.sections.reset(static_cast<int>(rows.size()));
    int index = 1;
    for (Row& row : rows) {
        row.info.Ask = settings::ReadSectionChosen(state.settingsPath, static_cast<int>(row.id));
        state.sections(index++) = row.info;
    }
    return {};
}

namespace {
void SetSectionChosen(AppState& state, int index, bool chosen) {
    SectionInfo* section = state.sections.find(index);
    if (!section) return;
    section->Ask = chosen;
    WriteSetting(state.settingsPath, settings::kSectionsSection, settings::SectionKey(index),
                 chosen ? QStringLiteral("Yes") : QStringLiteral("No"));
}
}  // namespace

void SelectSection(AppState& state, int index) { SetSectionChosen(state, index, true); }
void DeselectSection(AppState& state, int index) { SetSectionChosen(state, index, false); }

bool LoadProgram(AppState& state) {
    state.currentElement = 1;
    state.settingsPath = SettingsPathFor(state);
    const BankResult bank = OpenQuestionBank(state);
    if (!bank.ok()) {
        if (state.fatal) state.fatal->fatal(bank.title, bank.text);
        return false;
    }
    state.exams = LoadExams(state.database);
    state.soundOn = settings::ReadSoundOn(state.settingsPath);
    state.figuresOn = settings::ReadFiguresOn(state.settingsPath);
    state.testMode = settings::ReadTestMode(state.settingsPath);
    state.shuffleOn = settings::ReadShuffleOn(state.settingsPath);
    return true;
}

}  // namespace quillet
