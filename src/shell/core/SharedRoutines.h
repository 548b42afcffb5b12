// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>

namespace quillet {

// Joins a directory and a file name with exactly one "/" between them. Only the
// forward slash is trimmed: a directory ending in a backslash keeps it.
QString JoinPath(const QString& directory, const QString& name);

// Replaces every occurrence of `search` (exact, case-sensitive) as if the search
// started again from the start of the text after each replacement, so
// occurrences that a replacement creates are replaced too; the text is read
// once, in time proportional to its length and the number of replacements. A
// replacement that contains its own search text is refused (the text is returned
// unchanged) instead of looping for ever.
QString ReplaceAll(const QString& text, const QString& search, const QString& replacement);

// Doubles every "&" so that a label shows a literal ampersand rather than a
// shortcut-key marker.
QString EscapeAmpersands(const QString& text);

}  // namespace quillet
