// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QStringList>

#include "shell/core/Services.h"
#include "shell/core/Session.h"
#include "shell/core/StudentOptions.h"

namespace quillet {

class SettingsSnapshot;

// The password the question bank is protected with.
inline constexpr char kQuestionBankKey[] = "ROVADAZURU";

// The key of the student's own bank of added pools: a raw key made from the password, so that
// opening that second bank costs no key stretching at start-up (the installed bank's takes some
// tens of milliseconds).
QByteArray AddedBankKey();

// The tables a question bank holds (EXAMS only in banks that give the exam sizes).
inline const char* const kBankTables[] = {"SECTIONS", "QUESTIONS", "FIGURES", "EXAMS"};
// The one index a bank carries. It covers the question list query, so that the
// first test of a run reads a few pages instead of the whole QUESTIONS table.
inline constexpr char kBankIndex[] =
    "CREATE INDEX QUESTIONS_SECTION_ANSWER ON QUESTIONS (SectionID, ANSWER)";

// The sections of the bank of pools the student added are numbered from here, a block of 100
// for each element (Technician's from 1201), so that they never share an id (the key of the
// student's choice of a section) with a section of the installed bank.
inline constexpr int kAddedSectionIds = 1000;
inline constexpr int AddedSectionId(int element, int ordinal) {
    return kAddedSectionIds + element * 100 + ordinal;
}

// What in a file's schema no question bank holds, described for the student ("it holds a view
// \"SECTIONS\" that no question bank has."); empty for a schema a bank may have. The file's
// views, triggers and index expressions would run inside the program's own reads, so only the
// bank writer's own tables and index pass.
QString ForeignBankSchema(const std::vector<SchemaEntry>& entries);
// What the statements on a question bank may touch once its schema has passed.
Permissions BankReadPermissions();

enum class BankStatus {
    Ok,
    NotFound,       // none of the candidate files exists
    NoSections,     // the SECTIONS table is empty
    WrongPassword,  // the file is a database, but not one opened by our password
    Unprotected,    // the file is a plain database without any password
    NotADatabase,   // the file is not a database at all
    Damaged,        // the file is a bank but cannot be read through
    Locked,         // another running copy holds the bank
    Foreign,        // the file holds views, triggers, tables or indexes no bank has
};

struct BankResult {
    BankStatus status = BankStatus::Ok;
    QString title;  // for the system message box
    QString text;
    bool ok() const { return status == BankStatus::Ok; }
};

// The files tried for the bank, in order: each of its names in each folder
// where it may lie, beside the program first.
QStringList QuestionBankCandidates(const QString& programDir, const QString& programName);

// Finds the bank, opens it and loads the section table. The student's own bank of added pools
// (AddedBankFile) is opened beside it when there is one, with the same checks; an element's
// added pool is used in place of the installed one unless the installed one is newer (begins
// later). A bank the program may
// write is held exclusively for the whole run; a write-protected one is opened
// read-only, so that several copies can share it. The program never writes
// into the bank either way. On failure the result carries the message to show
// before the program ends.
BankResult OpenQuestionBank(Session& session);
// The same, with the section choices taken from `stored`, the settings file read beforehand.
BankResult OpenQuestionBank(Session& session, const SettingsSnapshot& stored);

// Opens the student's bank of added pools afresh after a pool was added while the program
// runs, and brings the elements it serves, the sections (with the choices of the settings
// file) and the examinations up to date, so that the next test asks the pool in use. An
// element whose pool changed warns again when that pool is not in force. When the added bank
// cannot be opened the installed bank serves every element, and the result says why.
BankResult ReloadAddedBank(Session& session);

// Ends the program through `fatal` when the open bank fails to answer (a
// damaged page, a missing table, a read error), naming the bank file and
// `fault`, the engine's description of what went wrong.
void ReportBankFault(const Session& session, FatalErrorHandler* fatal, const QString& fault);

// The examinations of the pools in use: the installed bank's, with those of the elements the
// added bank serves taken from it instead.
ExamTable LoadBankExams(const Session& session);

// Fills session.sections from the open bank (and the added bank) and the settings file.
BankResult LoadSections(Session& session);
BankResult LoadSections(Session& session, const SettingsSnapshot& stored);

// Choose or drop a section for testing, in memory and in the settings file.
// Indexes outside the section table are ignored.
void SelectSection(Session& session, int index);
void DeselectSection(Session& session, int index);

// The name of the pool the bank holds for `element`, under which the study
// record keeps the answers to its questions ("Element 2").
QString PoolNameFor(const Session& session, int element);

// Opens the study record among the student's files. Done
// before the first test of a run rather than at start-up, so that checking
// and writing the file never delays the main menu.
StudyRecord::OpenStatus OpenStudyRecord(Session& session);

// The main menu's load step without its window work: settings path, bank,
// sections and the student's options. A fatal failure goes to `fatal` and
// gives false.
bool LoadProgram(Session& session, StudentOptions& options, FatalErrorHandler* fatal);

}  // namespace quillet
