// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// qbank: builds the program's password-protected question bank from a folder of
// question pool folders.

#include <quillet/Config.h>

#include <QString>
#include <QStringList>
#include <cstdio>

#include "BankWriter.h"
#include "PoolReader.h"

namespace {

const char kUsage[] =
    "Usage: qbank --out FILE POOLSDIR\n"
    "\n"
    "Builds the question bank FILE from the pool folders in POOLSDIR. Each pool\n"
    "folder holds <pool>.txt (the questions), titles.json (the subelement titles)\n"
    "and the figures as PNG files (t-1.png, e6-2.png, ...).\n"
    "\n"
    "FILE is replaced only when the new bank is complete; on any fault in the\n"
    "pools nothing is written and an existing FILE stays as it was.\n"
    "\n"
    "Options:\n"
    "  --out FILE   the bank to write\n"
    "  --help       show this text\n"
    "  --version    show the version and exit\n";

int Fail(const QString& message) {
    std::fprintf(stderr, "qbank: %s\n", message.toLocal8Bit().constData());
    return 1;
}

int UsageError(const QString& message) {
    std::fprintf(stderr, "qbank: %s\n%s", message.toLocal8Bit().constData(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    QString out;
    QStringList folders;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == QLatin1String("--version")) {
            std::printf("qbank %s\n", QUILLET_VERSION);
            return 0;
        }
        if (arg == QLatin1String("--out")) {
            if (++i >= argc) return UsageError(QStringLiteral("--out needs a file name"));
            out = QString::fromLocal8Bit(argv[i]);
        } else if (arg.startsWith(QLatin1String("--out="))) {
            out = arg.mid(6);
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return UsageError(QStringLiteral("unknown option %1").arg(arg));
        } else {
            folders << arg;
        }
    }
    if (out.isEmpty()) return UsageError(QStringLiteral("no bank file given (--out FILE)"));
    if (folders.size() != 1) {
        return UsageError(
            QStringLiteral("expected one folder of pools, got %1").arg(folders.size()));
    }

    quillet::qbank::BankContent content;
    QString error;
    if (!quillet::qbank::ReadPools(folders.first(), content, &error)) return Fail(error);
    if (!quillet::qbank::WriteBank(out, content, &error)) return Fail(error);

    std::printf("qbank: wrote %s (%s)\n", out.toLocal8Bit().constData(),
                quillet::qbank::ContentSummary(content).toLocal8Bit().constData());
    return 0;
}
