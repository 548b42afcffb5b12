// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quillet {

// Thin RAII wrapper over one SQLCipher connection.
class Database {
public:
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

private:
    int openWith(const QString& path, const QByteArray& key, int flags);
    sqlite3* db_ = nullptr;
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

private:
    int columnIndex(const char* column) const;
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = 0;
};

}  // namespace quillet
