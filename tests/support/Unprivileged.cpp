// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "support/Unprivileged.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace quillet::testing {
namespace {

const QStringList kAsNobody = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups"), QStringLiteral("--")};

// The test program as "nobody" may run it: in place when every folder above it lets others
// through (a build under /root does not), else a copy in a temporary folder.
QString ReachableProgram(QTemporaryDir& copyDir) {
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    QProcess probe;
    probe.start(QStringLiteral("setpriv"), kAsNobody + QStringList{"test", "-x", self});
    if (probe.waitForFinished(10000) && probe.exitCode() == 0) return self;
    const QString copy = copyDir.filePath(QFileInfo(self).fileName());
    QFile::setPermissions(copyDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadOther | QFile::ExeOther);
    if (!QFile::copy(self, copy)) return {};
    return copy;
}

}  // namespace

bool RunsHereUnprivileged() {
    if (geteuid() != 0) return true;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name = QString::fromLatin1(info->test_suite_name()) + QLatin1Char('.') +
                         QString::fromLatin1(info->name());
    QTemporaryDir copyDir;
    const QString program = ReachableProgram(copyDir);
    if (program.isEmpty()) {
        ADD_FAILURE() << "cannot make the test program reachable for the user nobody";
        return false;
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                kAsNobody + QStringList{program, QStringLiteral("--gtest_filter=") + name});
    const bool ended = child.waitForFinished(120000);
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_TRUE(ended) << "the run as nobody did not end:\n" << output.toStdString();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    // A child that skipped the test, or found none, proves nothing.
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test")) &&
                !output.contains(QStringLiteral("[  SKIPPED ]")))
        << "the run as nobody did not pass this test:\n"
        << output.toStdString();
    return false;
}

}  // namespace quillet::testing
