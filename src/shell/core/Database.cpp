// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/Database.h"

#include <sqlcipher/sqlite3.h>

namespace quillet {

Database::~Database() {
    if (db_) sqlite3_close_v2(db_);
}

void Database::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    permissions_.reset();
}

int Database::openWith(const QString& path, const QByteArray& key, int flags) {
    close();
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) return rc;
    sqlite3_busy_timeout(db_, 0);
    sqlite3_progress_handler(db_, kStepsPerCheck, &Database::Progress, this);
    // No key: a plain, unprotected database.
    if (key.isEmpty()) return SQLITE_OK;
    return sqlite3_key(db_, key.constData(), static_cast<int>(key.size()));
}

int Database::open(const QString& path, const QByteArray& key) {
    return openWith(path, key, SQLITE_OPEN_READWRITE);
}

int Database::openReadOnly(const QString& path, const QByteArray& key) {
    return openWith(path, key, SQLITE_OPEN_READONLY);
}

bool Database::readOnly() const { return db_ && sqlite3_db_readonly(db_, "main") == 1; }

int Database::create(const QString& path, const QByteArray& key) {
    return openWith(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

int Database::exec(const char* sql) {
    if (!db_) return SQLITE_MISUSE;
    startStatement();
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

QString Database::lastError() const {
    if (!db_) return QStringLiteral("not open");
    if (interrupted_ && sqlite3_errcode(db_) == SQLITE_INTERRUPT) {
        return QStringLiteral("a read ran far too long and was stopped");
    }
    return QString::fromUtf8(sqlite3_errmsg(db_));
}

void Database::startStatement() const {
    checks_ = 0;
    interrupted_ = false;
}

int Database::Progress(void* self) {
    auto* db = static_cast<Database*>(self);
    if (++db->checks_ <= db->stepLimit_) return 0;
    db->interrupted_ = true;
    return 1;
}

namespace {

bool Listed(const QStringList& names, const char* name) {
    return name && names.contains(QString::fromUtf8(name), Qt::CaseInsensitive);
}

// The engine's own tables, which it reads and writes itself when the schema changes.
bool EngineTable(const char* name) {
    return name && (sqlite3_stricmp(name, "sqlite_master") == 0 ||
                    sqlite3_stricmp(name, "sqlite_temp_master") == 0);
}

}  // namespace

int Database::Authorize(void* self, int action, const char* a, const char* b, const char*,
                        const char*) {
    const Permissions& allowed = *static_cast<Database*>(self)->permissions_;
    bool ok = false;
    switch (action) {
        case SQLITE_SELECT:
        case SQLITE_TRANSACTION:
            ok = true;
            break;
        case SQLITE_READ:
            ok = Listed(allowed.tables, a) || EngineTable(a);
            break;
        case SQLITE_FUNCTION:
            ok = Listed(allowed.functions, b);
            break;
        case SQLITE_PRAGMA:
            ok = Listed(allowed.pragmas, a);
            break;
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
            ok = allowed.writable && (Listed(allowed.tables, a) || EngineTable(a));
            break;
        case SQLITE_CREATE_TABLE:
            ok = allowed.writable && Listed(allowed.tables, a);
            break;
        // The engine's own index for a table's key, made with the table.
        case SQLITE_CREATE_INDEX:
            ok = allowed.writable && Listed(allowed.tables, b) && a &&
                 sqlite3_strnicmp(a, "sqlite_autoindex_", 17) == 0;
            break;
        default:
            ok = false;  // views, triggers, attach, recursive queries, ...
    }
    return ok ? SQLITE_OK : SQLITE_DENY;
}

void Database::restrict(const Permissions& permissions) {
    permissions_ = std::make_unique<Permissions>(permissions);
    if (db_) sqlite3_set_authorizer(db_, &Database::Authorize, this);
}

int Database::schema(std::vector<SchemaEntry>& entries) const {
    entries.clear();
    // Reading the catalogue's columns runs nothing the file brought: its
    // statements are only text here.
    Query query(*this, "SELECT type, name, tbl_name, sql FROM sqlite_master");
    while (query.next()) {
        entries.push_back(
            {query.text("type"), query.text("name"), query.text("tbl_name"), query.text("sql")});
    }
    return query.code() == SQLITE_DONE ? SQLITE_OK : query.code();
}

Query::Query(const Database& db, const char* sql) : db_(&db) {
    if (!db.handle()) {
        code_ = SQLITE_MISUSE;
        return;
    }
    code_ = sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr);
    if (code_ != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

Query::~Query() { sqlite3_finalize(stmt_); }

void Query::bind(int index, qint64 value) { sqlite3_bind_int64(stmt_, index, value); }

void Query::bind(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
}

void Query::bind(int index, const QByteArray& blob) {
    sqlite3_bind_blob(stmt_, index, blob.constData(), static_cast<int>(blob.size()),
                      SQLITE_TRANSIENT);
}

void Query::bindNull(int index) { sqlite3_bind_null(stmt_, index); }

bool Query::next() {
    if (!stmt_) return false;
    if (!started_) db_->startStatement();
    started_ = true;
    code_ = sqlite3_step(stmt_);
    return code_ == SQLITE_ROW;
}

bool Query::run() {
    if (!stmt_) return false;
    if (!started_) db_->startStatement();
    started_ = true;
    code_ = sqlite3_step(stmt_);
    return code_ == SQLITE_DONE || code_ == SQLITE_ROW;
}

void Query::reset() {
    if (!stmt_) return;
    started_ = false;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Query::columnIndex(const char* column) const {
    if (!stmt_ || code_ != SQLITE_ROW) return -1;
    const int count = sqlite3_column_count(stmt_);
    for (int i = 0; i < count; ++i) {
        if (sqlite3_stricmp(sqlite3_column_name(stmt_, i), column) == 0) return i;
    }
    return -1;
}

bool Query::isNull(const char* column) const {
    const int i = columnIndex(column);
    return i < 0 || sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}

qint64 Query::integer(const char* column) const {
    const int i = columnIndex(column);
    return i < 0 ? 0 : sqlite3_column_int64(stmt_, i);
}

QString Query::text(const char* column) const {
    const int i = columnIndex(column);
    if (i < 0) return {};
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(stmt_, i)) : QString();
}

std::string_view Query::textAt(int column) const {
    if (!stmt_ || code_ != SQLITE_ROW) return {};
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return data ? std::string_view(data, size_t(sqlite3_column_bytes(stmt_, column)))
                : std::string_view();
}

qint64 Query::integerAt(int column) const {
    return stmt_ && code_ == SQLITE_ROW ? sqlite3_column_int64(stmt_, column) : 0;
}

QByteArray Query::blob(const char* column) const {
    const int i = columnIndex(column);
    if (i < 0) return {};
    const void* data = sqlite3_column_blob(stmt_, i);
    return data ? QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, i))
                : QByteArray();
}

QVariant Query::value(const char* column) const {
    const int i = columnIndex(column);
    if (i < 0) return {};
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_NULL:
            return QVariant(QMetaType(QMetaType::QString));
        case SQLITE_INTEGER:
            return QVariant(sqlite3_column_int64(stmt_, i));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, i));
        case SQLITE_BLOB:
            return QVariant(blob(column));
        default:
            return QVariant(text(column));
    }
}

}  // namespace quillet
