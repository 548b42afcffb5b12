// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Edits a random settings file with a random section, key and value, and aborts when
// the write breaks one of its promises: the key reads back its value, other keys read
// as before, and the file changes in one line or gains one line (or a header and one).
#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <cstdio>
#include <cstdlib>

#include "shell/core/Settings.h"
#include "support/OneLineChange.h"

using namespace quillet;

namespace {

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "settings write broke: %s\n", what);
    std::abort();
}

QString Text(FuzzedDataProvider& data, size_t longest) {
    const std::string s = data.ConsumeRandomLengthString(longest);
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const QString section = Text(data, 24);
    const QString key = Text(data, 24);
    const QString value = Text(data, 300);
    // Another name to compare before and after, and a few the program uses.
    const QString otherSection = Text(data, 24);
    const QString otherKey = Text(data, 24);
    const std::string rest = data.ConsumeRemainingBytesAsString();
    const QByteArray before(rest.data(), qsizetype(rest.size()));

    QByteArray after = before;
    if (!EditSetting(after, section, key, value)) {
        Require(after == before, "a refused write changed the text");
        return 0;
    }
    Require(SettingValue(after, section, key) == value.trimmed(), "the value does not read back");

    const auto same = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    };
    const std::pair<QString, QString> others[] = {
        {otherSection, otherKey}, {section, otherKey},  {otherSection, key},
        {"Sound", "OnOrOff"},     {"Sections", "Ask1"}, {"TestMode", "TestMode"}};
    for (const auto& [s, k] : others) {
        if (same(s, section) && same(k, key)) continue;
        Require(SettingValue(after, s, k) == SettingValue(before, s, k), "another key changed");
    }

    const bool unterminated = !before.isEmpty() && !before.endsWith('\n');
    Require(DiffersInOneLine(before, after, 2 + unterminated), "more than one line changed");

    // Writing the same value again changes nothing.
    QByteArray again = after;
    Require(EditSetting(again, section, key, value) && again == after,
            "a second write moved bytes");
    return 0;
}
