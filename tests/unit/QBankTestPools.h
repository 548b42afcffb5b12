// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// Small pool folders written into a temporary folder, for the bank builder's tests.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include "shell/core/Database.h"
#include "shell/core/QuestionBank.h"

namespace quillet::qbank::testing {

// The first bytes of every PNG file; the rest does not matter to the builder.
// A small real picture, filled edge to edge in a colour of its own, so that
// the builder has no margin to cut and stores it as it is.
inline QByteArray FakePng(const char* tag) {
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(static_cast<QRgb>(qHash(QByteArray(tag)) | 0xff000000u)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline const QByteArray kTechTitles = R"({"pool": "technician-2026-2030",
 "valid_from": "2026-07-01", "valid_to": "2030-06-30",
 "exam": {"questions": 35, "pass_mark": 26},
 "subelements": [
  {"id": "T1", "title": "COMMISSION’S RULES"},
  {"id": "T0", "title": "ELECTRICAL AND RF SAFETY"}
]})";

inline const QByteArray kTechText =
    "T1A01 (C) [97.1]\n"
    "Which sign is “µ” or Ω at 5 °C?\n"
    "A. One\n"
    "B. Two\n"
    "C. Three\n"
    "D. Four\n"
    "\n"
    "T0A01 (A)\n"
    "What is shown in Figure t-1?\n"
    "A. A lamp\n"
    "B. A switch\n"
    "C. A fuse\n"
    "D. A figure of merit\n";

inline const QByteArray kExtraTitles =
    R"({"subelements": [{"id": "E1", "title": "COMMISSION RULES"}]})";

inline const QByteArray kExtraText =
    "E1A01 (D) [97.301]\n"
    "Which figure E6-2 part is the gate?\n"
    "A. 1\n"
    "B. 2\n"
    "C. 3\n"
    "D. 4\n";

class TinyPools {
public:
    QString root() const { return dir_.filePath(QStringLiteral("pools")); }
    QString bankPath() const { return dir_.filePath(QStringLiteral("bank.dat")); }
    QString folder() const { return dir_.path(); }

    void write(const QString& relative, const QByteArray& bytes) const {
        const QString path = QDir(root()).filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(bytes);
    }

    // A Technician pool in "z-tech" (after the Extra pool by name, before it by
    // element) with one figure the text names and one it does not, and an Extra
    // pool in "a-extra".
    void writeStandard() const {
        write(QStringLiteral("z-tech/titles.json"), kTechTitles);
        write(QStringLiteral("z-tech/z-tech.txt"), kTechText);
        write(QStringLiteral("z-tech/t-1.png"), FakePng("t1"));
        write(QStringLiteral("z-tech/t-2.png"), FakePng("t2"));
        write(QStringLiteral("a-extra/titles.json"), kExtraTitles);
        write(QStringLiteral("a-extra/a-extra.txt"), kExtraText);
        write(QStringLiteral("a-extra/e6-2.png"), FakePng("e62"));
    }

private:
    QTemporaryDir dir_;
};

// Opens a bank with the program's password.
inline void OpenBank(Database& db, const QString& path) {
    ASSERT_EQ(db.open(path, QByteArray(kQuestionBankKey)), 0) << path.toStdString();
}

inline qint64 Count(const Database& db, const char* sql) {
    Query query(db, sql);
    return query.next() ? query.integer("n") : -1;
}

}  // namespace quillet::qbank::testing
