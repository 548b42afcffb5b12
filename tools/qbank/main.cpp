// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// qbank: builds the program's password-protected question bank from a folder of
// question pool folders, or adds pools as they are published to the student's own bank.

#include <quillet/Config.h>

#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <cstdio>

#include "AddedBank.h"
#include "BankWriter.h"
#include "PdfFigure.h"
#include "PoolReader.h"
#include "ReleaseReader.h"
#include "shell/core/FileLocations.h"

namespace {

const char kUsage[] =
    "Usage: qbank --out FILE POOLSDIR\n"
    "       qbank --add FILE... [--figures DIR] [options]\n"
    "\n"
    "The first form builds the question bank FILE from the pool folders in POOLSDIR.\n"
    "Each pool folder holds either <pool>.txt (the questions), titles.json (the\n"
    "subelement titles) and the figures as PNG files (t-1.png, e6-2.png, ...), or a\n"
    "pool as published: its Word document (.docx) or text export, and its figures.\n"
    "\n"
    "The second form reads pools as published (the .docx, or its text export) and\n"
    "adds them to the student's own bank, beside the installed one: a pool replaces\n"
    "an older added pool of the same element. The program uses an added pool in\n"
    "place of its installed pool of the same element unless that one is newer.\n"
    "Figures (PNG, JPEG, SVG or one-page PDF, named like T-1, t1 or Figure T-1) are\n"
    "looked for in DIR, or beside each FILE; a Word document's own figures are used\n"
    "when a file lacks.\n"
    "\n"
    "A bank is replaced only when the new one is complete; on any fault nothing is\n"
    "written and an existing bank stays as it was.\n"
    "\n"
    "Options:\n"
    "  --out FILE          the bank to write (first form)\n"
    "  --add               add the pool files that follow\n"
    "  --figures DIR       the folder of the figure files\n"
    "  --into FILE         the bank to add to (default: the student's own bank,\n"
    "                      $XDG_DATA_HOME/quillet/quillet-added.dat)\n"
    "  --check             read the pools and say what they hold; write nothing\n"
    "  --pool NAME         the pool's name (default: from its element and years)\n"
    "  --valid-from DATE   the first day the pool is in force (2027-07-01)\n"
    "  --valid-to DATE     its last day (2031-06-30)\n"
    "  --questions N       the real exam's number of questions\n"
    "  --pass-mark N       the number right needed to pass it\n"
    "  --help              show this text\n"
    "  --version           show the version and exit\n";

int Fail(const QString& message) {
    std::fprintf(stderr, "qbank: %s\n", message.toLocal8Bit().constData());
    return 1;
}

int UsageError(const QString& message) {
    std::fprintf(stderr, "qbank: %s\n%s", message.toLocal8Bit().constData(), kUsage);
    return 2;
}

void Say(const QString& text) { std::printf("qbank: %s\n", text.toLocal8Bit().constData()); }

}  // namespace

int main(int argc, char* argv[]) {
    QString out, into, error;
    QStringList files;
    bool add = false, check = false;
    quillet::qbank::ReleaseOptions options;
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
        // An option's value: "--opt VALUE" or "--opt=VALUE".
        QString value;
        const auto valueOf = [&](const char* name) {
            const QString option = QLatin1String(name);
            if (arg == option) {
                if (++i >= argc) return false;
                value = QString::fromLocal8Bit(argv[i]);
                return true;
            }
            if (arg.startsWith(option + QLatin1Char('='))) {
                value = arg.mid(option.size() + 1);
                return true;
            }
            return false;
        };
        const auto needsValue = [&](const char* name) {
            return arg == QLatin1String(name) && i + 1 >= argc;
        };
        for (const char* name : {"--out", "--figures", "--into", "--pool", "--valid-from",
                                 "--valid-to", "--questions", "--pass-mark"}) {
            if (needsValue(name)) return UsageError(QStringLiteral("%1 needs a value").arg(arg));
        }
        const auto date = [&](QDate& day) {
            day = QDate::fromString(value, Qt::ISODate);
            return day.isValid() && value.size() == 10;
        };
        const auto count = [&](int& n) {
            bool ok = false;
            n = value.toInt(&ok);
            return ok && n >= 1 && n <= 1000;
        };
        if (valueOf("--out")) {
            out = value;
        } else if (valueOf("--into")) {
            into = value;
        } else if (valueOf("--figures")) {
            options.figuresDir = value;
        } else if (valueOf("--pool")) {
            options.pool = value.simplified();
        } else if (valueOf("--valid-from")) {
            if (!date(options.validFrom))
                return UsageError(QStringLiteral("--valid-from needs a date such as 2027-07-01"));
        } else if (valueOf("--valid-to")) {
            if (!date(options.validTo))
                return UsageError(QStringLiteral("--valid-to needs a date such as 2031-06-30"));
        } else if (valueOf("--questions")) {
            if (!count(options.questions))
                return UsageError(QStringLiteral("--questions needs a number from 1 to 1000"));
        } else if (valueOf("--pass-mark")) {
            if (!count(options.passMark))
                return UsageError(QStringLiteral("--pass-mark needs a number from 1 to 1000"));
        } else if (arg == QLatin1String("--add")) {
            add = true;
        } else if (arg == QLatin1String("--check")) {
            check = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return UsageError(QStringLiteral("unknown option %1").arg(arg));
        } else {
            files << arg;
        }
    }

    if (!add) {
        if (out.isEmpty()) return UsageError(QStringLiteral("no bank file given (--out FILE)"));
        if (files.size() != 1) {
            return UsageError(
                QStringLiteral("expected one folder of pools, got %1").arg(files.size()));
        }
    } else if (!out.isEmpty()) {
        return UsageError(QStringLiteral("--add writes to the student's bank; use --into FILE"));
    } else if (files.isEmpty()) {
        return UsageError(QStringLiteral("--add needs the pool files to add"));
    }

    // SVG figures may hold text, which needs the font machinery; nothing is shown. Qt's own
    // notes about the platform (no runtime folder, and the like) are no business of the user's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "qbank: %s\n", text.toLocal8Bit().constData());
        }
    });
    QGuiApplication application(argc, argv);
    quillet::qbank::UsePdfFigures();

    if (!add) {
        quillet::qbank::BankContent content;
        if (!quillet::qbank::ReadPools(files.first(), content, &error)) return Fail(error);
        if (!quillet::qbank::WriteBank(out, content, &error)) return Fail(error);
        Say(QStringLiteral("wrote %1 (%2)").arg(out, quillet::qbank::ContentSummary(content)));
        return 0;
    }

    quillet::qbank::ReleaseImport import;
    if (!quillet::qbank::ReadReleases(files, options, import, &error)) return Fail(error);
    for (const quillet::qbank::ReleaseSummary& pool : import.pools) {
        Say(quillet::qbank::ReleaseSummaryText(pool));
    }
    if (check) return 0;
    if (into.isEmpty()) {
        into = quillet::AddedBankFile(QCoreApplication::applicationDirPath(),
                                      QStringLiteral("quillet"));
    }
    if (!quillet::qbank::AddToBank(into, import.content, &error)) return Fail(error);
    Say(QStringLiteral("added to %1").arg(QDir::toNativeSeparators(into)));
    return 0;
}
