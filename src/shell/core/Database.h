// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quillet {

// One entry of a file's schema, as sqlite_master lists it.
struct SchemaEntry {
    QString type;  // "table", "index", "view" or "trigger"
    QString name;
    QString table;  // the table an index or trigger belongs to
    QString sql;    // the statement that made it; empty for the engine's own indexes
};

// What the statements on a connection to a file from outside may touch. The
// file's own SQL (views, triggers, index expressions) runs inside the
// program's statements, so the engine checks every statement as it is
// prepared: a table, function or pragma not named here fails the statement.
// Names compare without regard to case.
struct Permissions {
    QStringList tables;     // read; written too when `writable`
    QStringList functions;  // SQL functions the program's statements call
    QStringList pragmas;
    bool writable = false;  // insert, update, delete and create the tables above
};

// Thin RAII wrapper over one SQLCipher connection.
//
// Every connection stops a statement that runs far longer than any of the
// program's own: it fails with SQLITE_INTERRUPT and interrupted() says why.
class Database {
public:
    // The engine calls back once per this many virtual machine steps...
    static constexpr int kStepsPerCheck = 10000;
    // ...and a statement is stopped after this many calls, 5 * 10^7 steps: a
    // second or a few of work, where the program's own statements take
    // milliseconds (the question list of a whole bank some 10^5 steps).
    static constexpr qint64 kDefaultStepLimit = 5000;

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file (never creates one) and sets its key: read-write,
    // or read-only when the file is write-protected (see readOnly()). Returns
    // the engine's result code (SQLITE_OK on success).
    int open(const QString& path, const QByteArray& key);
    // Opens an existing file read-only and sets its key.
    int openReadOnly(const QString& path, const QByteArray& key);
    // True when the open connection cannot write its file.
    bool readOnly() const;
    // Creates or opens a file read-write for writing a new bank.
    int create(const QString& path, const QByteArray& key);

    void close();

    // Runs statements that return no rows. Returns the engine's result code.
    int exec(const char* sql);
    QString lastError() const;
    sqlite3* handle() const { return db_; }

    // From now on, until the connection closes, only what `permissions` names
    // may be used (see Permissions).
    void restrict(const Permissions& permissions);
    // How many checks (of kStepsPerCheck steps) one statement may take.
    void setStepLimit(qint64 checks) { stepLimit_ = checks; }
    // True when the last statement was stopped for running too long.
    bool interrupted() const { return interrupted_; }

    // Lists the schema without running any of it. Returns the engine's result code.
    int schema(std::vector<SchemaEntry>& entries) const;

private:
    friend class Query;
    int openWith(const QString& path, const QByteArray& key, int flags);
    // Starts the step count of a statement about to run.
    void startStatement() const;
    static int Progress(void* self);
    static int Authorize(void* self, int action, const char* a, const char* b, const char* c,
                         const char* d);

    sqlite3* db_ = nullptr;
    std::unique_ptr<Permissions> permissions_;
    qint64 stepLimit_ = kDefaultStepLimit;
    mutable qint64 checks_ = 0;
    mutable bool interrupted_ = false;
};

// A prepared statement. Columns are read by name without regard to case.
class Query {
public:
    Query(const Database& db, const char* sql);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    bool prepared() const { return stmt_ != nullptr; }
    // Binds a value to the parameter at 1-based `index`.
    void bind(int index, qint64 value);
    void bind(int index, const QString& value);
    void bind(int index, const QByteArray& blob);
    void bindNull(int index);

    // Advances to the next row. False at the end or on an error (see code()).
    // The step limit counts from the first row to the last, not per row.
    bool next();
    // Runs a statement that returns no rows; true on success.
    bool run();
    void reset();
    // The result code of the last step (SQLITE_ROW, SQLITE_DONE or an error).
    int code() const { return code_; }

    bool isNull(const char* column) const;
    qint64 integer(const char* column) const;  // 0 for null or a missing column
    QString text(const char* column) const;    // empty for null or a missing column
    QByteArray blob(const char* column) const;
    QVariant value(const char* column) const;  // invalid QVariant for a missing column
    // By position, for reading many rows quickly: the column's text as the
    // engine holds it (UTF-8, valid until the next step; empty for null) and
    // its integer.
    std::string_view textAt(int column) const;
    qint64 integerAt(int column) const;

private:
    int columnIndex(const char* column) const;
    const Database* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = 0;
    bool started_ = false;  // the statement's steps are being counted
};

}  // namespace quillet
