// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace quillet {

// The settings file: a profile file (sections in square brackets, then
// key=value lines) beside the program. Names are matched without regard to case.
//
// A line is what lies between two LF bytes; a CR before the LF belongs to the line
// break, and a NUL byte ends what the line says (the next line is read as usual).
// After trimming blanks, a line is blank, a comment (`;` or `#`), a section header
// (`[` up to the first `]`; a line without `]` is not a header), or a key: the text
// before the first `=`, or the whole line for a bare key, which has an empty value.
// Lines before the first header belong to no section. A UTF-8 BOM at the start of
// the file is skipped.

// Longest value a read returns; longer stored values are cut to this length.
inline constexpr int kMaxSettingLength = 253;

// The settings file read and parsed once, for a start-up that reads many settings: each
// read is then a look-up, however long the file.
class SettingsSnapshot {
public:
    // Reads `file` now; a file that is missing or cannot be read gives every fallback.
    explicit SettingsSnapshot(const QString& file);
    // As ReadSetting, from the file as it was when the snapshot was made.
    QString read(const QString& section, const QString& key, const QString& fallback) const;
    // The file it was read from.
    const QString& file() const { return file_; }

private:
    // The first line of each key in a named section, in file order.
    struct Key {
        quint32 section = 0;  // index in sections_
        QByteArrayView name;  // as written, trimmed
        qsizetype valueBegin = -1;
        qsizetype valueEnd = -1;  // -1 for a key without `=`
        size_t hash = 0;          // of the folded name and the section
    };
    // The place in table_ of the key of that name (as written, `readable` bytes from its
    // start may be read) and hash in that section, or the empty place where it would go.
    size_t place(quint32 section, QByteArrayView name, qsizetype readable, size_t hash) const;

    QString file_;
    QByteArray data_;                   // the file, which every view points into
    QHash<QString, quint32> sections_;  // folded section name to its index
    std::vector<Key> keys_;
    // Open addressing over keys_: the top half of the name's hash, then its index + 1 (0 is
    // empty). At least twice as many places as keys, so that a file of many keys is indexed
    // without a memory allocation per key.
    std::vector<quint64> table_;
};

// Returns the trimmed value of `key` in `section`, at most kMaxSettingLength
// characters (fewer where the cut would split a character), or `fallback` when the
// file, section or key is missing, the file cannot be read, or the value is empty.
QString ReadSetting(const QString& file, const QString& section, const QString& key,
                    const QString& fallback);

// Stores `value` under `key` in `section`, creating the file, section or key as
// needed (and the per-user settings folder, see FileLocations.h) and keeping every
// other line. The file is replaced atomically; a write
// that fails (or a file that exists but cannot be read) leaves the file as it was.
// Returns whether the value was stored; callers may ignore it.
//
// Writes from several copies of the program take turns: each holds a lock on
// `<file>.lock` (beside the file a link names) from reading the file to replacing it, so
// none loses another's setting. A file the user cannot write (mode 0444) is left alone and
// the write fails. A link stays a link: the file it names is written, and made where the
// link names a file that does not exist yet.
//
// Only the key's own line changes (the first line holding it, as reading finds it),
// or one line is added after the last entry of the key's section, or a header and
// that line are added at the end of the file; every other byte stays as it was.
// Where the folder refuses the temporary file (no permission, a read-only file
// system) but the file itself is writable, the file is rewritten in place; any other
// failure (a full disk, a quota) fails the write and leaves the file as it was. A
// path that is not a regular file is never opened for writing, nor read (a FIFO or
// device would block or never end), and gets no lock file beside it.
bool WriteSetting(const QString& file, const QString& section, const QString& key,
                  const QString& value);

// Deletes temporary files that writes to `file` left behind when their program
// was killed; a temporary file of a copy of the program still running is kept.
void RemoveLeftoverSettingsFiles(const QString& file);

// The line editor behind ReadSetting and WriteSetting, on the file's bytes.
// SettingValue returns the trimmed value (not cut to length; empty when missing).
QString SettingValue(const QByteArray& text, const QString& section, const QString& key);
// Edits `text` as WriteSetting edits the file. Returns false, leaving `text` as it
// was, for names or values a line cannot hold: empty names, blanks around a name,
// line breaks or NUL bytes anywhere, `]` in a section name, `=` in a key, or a key
// that would read as a comment or header.
bool EditSetting(QByteArray& text, const QString& section, const QString& key,
                 const QString& value);

// The program's settings, each read with its default and interpretation.
namespace settings {

inline constexpr auto kBlackBackgroundSection = "DUVBlackBackground";
inline constexpr auto kSoundSection = "Sound";
inline constexpr auto kShuffleSection = "Shuffle";
inline constexpr auto kOnOrOffKey = "OnOrOff";
inline constexpr auto kFiguresSection = "Figures";
inline constexpr auto kFiguresKey = "AskWithFigures";
inline constexpr auto kTestModeSection = "TestMode";
inline constexpr auto kTestModeKey = "TestMode";
inline constexpr auto kSectionsSection = "Sections";
inline constexpr auto kWindowSizeSection = "WindowSize";
inline constexpr auto kPercentKey = "Percent";
// The sizes the windows can have, in per cent of the desktop's own scale.
inline constexpr int kWindowSizes[] = {100, 125, 150, 200};

bool ReadBlackBackgroundOn(const QString& file);  // default on
bool ReadSoundOn(const QString& file);            // default on
bool ReadShuffleOn(const QString& file);          // default off
bool ReadFiguresOn(const QString& file);          // default on
int ReadTestMode(const QString& file);            // 1..6, anything else gives 1
int ReadWindowSize(const QString& file);          // one of kWindowSizes, anything else 100
bool ReadBlackBackgroundOn(const SettingsSnapshot& settings);
bool ReadSoundOn(const SettingsSnapshot& settings);
bool ReadShuffleOn(const SettingsSnapshot& settings);
bool ReadFiguresOn(const SettingsSnapshot& settings);
int ReadTestMode(const SettingsSnapshot& settings);
int ReadWindowSize(const SettingsSnapshot& settings);

// Key under which section `sectionId` is chosen or not: "Ask" + the number.
QString SectionKey(int sectionId);
// True only for the exact value "Yes".
bool ReadSectionChosen(const QString& file, int sectionId);
bool ReadSectionChosen(const SettingsSnapshot& settings, int sectionId);

// "ON"/"OFF" and "YES"/"NO" as written when the options screen closes.
QString OnOff(bool on);
QString YesNo(bool yes);

}  // namespace settings
}  // namespace quillet
