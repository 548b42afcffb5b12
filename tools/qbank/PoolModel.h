// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// What the pool readers share: one pool as read from its files, before it is numbered into
// the content of a bank.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "BankWriter.h"
#include "FigureImage.h"

namespace quillet::qbank {

// Thrown by the reading steps; the public functions turn it into their error text.
struct InputError {
    QString message;
};

[[noreturn]] void Refuse(const QString& message);

// "file:line", the place a message names.
QString At(const QString& file, int line);

// A line as a message shows it: quoted, cut when long.
QString Shown(const QString& line);

struct Subelement {
    QString id;  // "T1"
    QString title;
};

struct PoolQuestion {
    int line = 0;   // line of the header, for messages
    QString where;  // "file:line" of the header, for messages
    QString id;     // "T1A01"
    QString subelement;
    QString text;
    QString answers[4];
    QString letter;
    QString figure;     // label such as "T-1"; empty when the text names none
    QString reference;  // the rule the question rests on, "97.301(d)"; empty when none
};

struct PoolFigure {
    QString label;  // "T-1"
    QString path;   // the figure file; empty for a picture taken from a document
    QString file;   // for messages
    FigureKind kind = FigureKind::Png;
    QByteArray bytes;  // the picture taken from a document
};

struct Pool {
    QString folder;  // path of the pool folder
    QString name;    // folder or file name, used in messages
    QString textFile;
    QString textName;  // "<folder>/<pool>.txt" for messages
    QChar letter;
    std::vector<Subelement> subelements;
    std::vector<PoolQuestion> questions;
    std::map<QString, PoolFigure> figures;  // by label
    std::optional<BankExam> exam;           // absent when titles.json has no "exam"
    int withdrawn = 0;                      // questions the release lists as withdrawn
};

// The whole bytes of a file, refused with the file's shown name when it cannot be read.
QByteArray ReadBytes(const QString& path, const QString& shownName);

// Finds the figure named in a question's text ("in figure T-1", "Figure E6-2"): its label in
// capitals, empty when the text names none; refused when it names more than one.
QString NamedFigure(const QString& text, const QString& where, const QString& id);

// The pools numbered into the content of one bank: sections, questions and figures from 1,
// in the order given. `figureDone`, when given, is called after each figure is converted.
BankContent Assemble(const std::vector<Pool>& pools,
                     const std::function<void()>& figureDone = nullptr);

}  // namespace quillet::qbank
