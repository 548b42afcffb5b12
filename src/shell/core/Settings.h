#pragma once

#include <QString>

namespace quillet {

// The settings file: a profile file (sections in square brackets, then
// key=value lines) beside the program. Names are matched without regard to case.

// Longest value a read returns; longer stored values are cut to this length.
inline constexpr int kMaxSettingLength = 253;

// Returns the trimmed value of `key` in `section`, at most kMaxSettingLength
// characters, or `fallback` when the file, section or key is missing, the file
// cannot be read, or the value is empty.
QString ReadSetting(const QString& file, const QString& section, const QString& key,
                    const QString& fallback);

// Stores `value` under `key` in `section`, creating the file, section or key as
// needed and keeping every other line. The file is replaced atomically; a write
// that fails (or a file that exists but cannot be read) leaves the file as it was.
// Returns whether the value was stored; callers may ignore it.
bool WriteSetting(const QString& file, const QString& section, const QString& key,
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

bool ReadBlackBackgroundOn(const QString& file);  // default on
bool ReadSoundOn(const QString& file);            // default on
bool ReadShuffleOn(const QString& file);          // default off
bool ReadFiguresOn(const QString& file);          // default on
int ReadTestMode(const QString& file);            // 1..4, anything else gives 1

// Key under which section `sectionId` is chosen or not: "Ask" + the number.
QString SectionKey(int sectionId);
// True only for the exact value "Yes".
bool ReadSectionChosen(const QString& file, int sectionId);

// "ON"/"OFF" and "YES"/"NO" as written when the options screen closes.
QString OnOff(bool on);
QString YesNo(bool yes);

}  // namespace settings
}  // namespace quillet
