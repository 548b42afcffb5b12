// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Opens a study record made from the input, then adds an answer and reads it
// back. An input starting with 'F' gives the file's bytes; any other gives SQL
// run on a fresh file first (tables, views, triggers, rows of any shape).
// Whatever the file, open() must leave a usable record: aborts when the answer
// cannot be added or does not read back.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "shell/core/StudyRecord.h"

using namespace quillet;

namespace {

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "study record broke: %s\n", what);
    std::abort();
}

// Functions of this engine version known to crash on crafted arguments. The
// record never runs a file's SQL, so they cannot reach it there; here they
// would crash the setup connection, which is not the program's.
bool CallsUnsafeFunction(const QByteArray& sql) {
    const QByteArray lower = sql.toLower();
    return lower.contains("rtree") || lower.contains("fts3") || lower.contains("fts4") ||
           lower.contains("load_extension");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quillet-record.db"));
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
        QFile::remove(dir.filePath(name));
    }
    const QByteArray input(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    if (input.startsWith('F')) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 0;
        file.write(input.mid(1));
    } else {
        if (CallsUnsafeFunction(input)) return 0;
        Database db;
        if (db.create(path, QByteArray()) != 0) return 0;
        db.setStepLimit(50);
        db.exec(input.constData());
    }

    StudyRecord record;
    record.setBusyWait(0);
    record.open(path, QDate(2026, 12, 9));
    Require(record.isOpen(), "open() left no record");
    Require(record.add({QStringLiteral("Element 2"), QStringLiteral("T1A01"),
                        QDateTime::currentDateTimeUtc(), true}),
            "the answer was not added");
    Require(record.latest(QStringLiteral("Element 2")).value(QStringLiteral("T1A01")).right,
            "the answer does not read back");
    Require(record.answerCount() >= 1, "no answer counted");
    record.takeNotice();
    return 0;
}
