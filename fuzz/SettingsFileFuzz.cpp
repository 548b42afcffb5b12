// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Reads and writes a random settings file on disk, from a few bytes to several megabytes, and
// aborts when the file routines disagree with the line editor: a read (and the start-up
// snapshot) must give what SettingValue finds in the bytes, cut and defaulted as promised, and
// a write must leave exactly the bytes EditSetting makes, or the file as it was when it refuses.
// A read or write that takes time growing with the square of the file's length shows up as a
// libFuzzer timeout on the large files.
#include <fuzzer/FuzzedDataProvider.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "shell/core/Settings.h"

using namespace quillet;

namespace {

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "settings file broke: %s\n", what);
    std::abort();
}

QString Text(FuzzedDataProvider& data, size_t longest) {
    const std::string s = data.ConsumeRandomLengthString(longest);
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// What a read promises for a value SettingValue finds: at most kMaxSettingLength
// characters, one fewer rather than half a character, and the fallback for nothing.
QString Promised(const QString& value, const QString& fallback) {
    QString cut = value.left(kMaxSettingLength);
    if (value.size() > kMaxSettingLength && cut.back().isHighSurrogate() &&
        value[kMaxSettingLength].isLowSurrogate()) {
        cut.chop(1);
    }
    return cut.isEmpty() ? fallback : cut;
}

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("\x01missing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath("quillet.ini");

    FuzzedDataProvider data(bytes, size);
    const QString section = Text(data, 24);
    const QString key = Text(data, 24);
    const QString value = Text(data, 600);
    // The file is the rest of the input, repeated up to several megabytes.
    const int copies[] = {1, 1, 64, 4096};
    const int times = copies[data.ConsumeIntegralInRange(0, 3)];
    const std::string rest = data.ConsumeRemainingBytesAsString();
    QByteArray before;
    const QByteArray once(rest.data(), qsizetype(rest.size()));
    for (int i = 0; i < times && before.size() < 8'000'000; ++i) before += once;

    QFile file(path);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the file");
    Require(file.write(before) == before.size(), "cannot write the file");
    file.close();

    const QString fallback = QStringLiteral("\x01fallback");
    const SettingsSnapshot stored(path);
    const std::pair<QString, QString> names[] = {
        {section, key}, {"Sound", "OnOrOff"}, {"Sections", "Ask1"}, {section, "TestMode"}};
    for (const auto& [s, k] : names) {
        const QString expected = Promised(SettingValue(before, s, k), fallback);
        Require(stored.read(s, k, fallback) == expected, "the snapshot reads another value");
        if (s == section) Require(ReadSetting(path, s, k, fallback) == expected, "a read differs");
    }

    QByteArray after = before;
    const bool storable = EditSetting(after, section, key, value);
    Require(WriteSetting(path, section, key, value) == storable, "the write succeeds wrongly");
    Require(Contents(path) == after, "the file differs from the edited text");
    if (storable) {
        Require(SettingsSnapshot(path).read(section, key, fallback) ==
                    Promised(value.trimmed(), fallback),
                "the value does not read back");
    }
    return 0;
}
