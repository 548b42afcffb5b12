// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// Table rows from fuzz input, in a format easy to write seeds in: fields are
// separated by 0x1f and rows by 0x1e; a field "\0" is NULL, one starting with
// '#' an integer (the digits after it), anything else text.

#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>

#include "shell/core/Database.h"

namespace quillet::fuzzing {

inline QList<QByteArrayList> Rows(const uint8_t* bytes, size_t size) {
    QList<QByteArrayList> rows;
    const QByteArray all(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    for (const QByteArray& row : all.split('\x1e')) rows << row.split('\x1f');
    return rows;
}

// Binds `field` to parameter `index` as NULL, an integer or text.
inline void BindField(Query& query, int index, const QByteArray& field) {
    if (field == QByteArray(1, '\0')) {
        query.bindNull(index);
    } else if (field.startsWith('#')) {
        query.bind(index, field.mid(1).toLongLong());
    } else {
        query.bind(index, QString::fromUtf8(field));
    }
}

// Inserts `row` into the table through `insert` (one parameter per column);
// missing fields are NULL.
inline void InsertRow(Query& query, const QByteArrayList& row, int columns) {
    for (int i = 0; i < columns; ++i) {
        if (i < row.size()) {
            BindField(query, i + 1, row[i]);
        } else {
            query.bindNull(i + 1);
        }
    }
    query.run();
    query.reset();
}

}  // namespace quillet::fuzzing
