// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/Settings.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "shell/core/ExamMode.h"
#include "shell/core/FileLocations.h"

namespace quillet {
namespace {

// ---- The line editor -------------------------------------------------------------

constexpr char kBom[] = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

struct Line {
    qsizetype begin = 0;    // first byte (after a BOM on the first line)
    qsizetype textEnd = 0;  // end of what the line says: its first NUL, or bodyEnd
    qsizetype bodyEnd = 0;  // start of the line break (CR LF or LF), or the end of the file
    qsizetype end = 0;      // after the line break
};

enum class Kind { Blank, Comment, Header, Key };

// One line, classified. Positions are absolute offsets into the file's bytes.
struct Entry {
    Kind kind = Kind::Blank;
    QByteArrayView name;         // header or key name, trimmed
    qsizetype afterEquals = -1;  // just after the `=`; -1 for a bare key
    qsizetype valueBegin = -1;   // after the `=` and the blanks following it
    qsizetype nameEnd = 0;       // end of the key name (for a bare key)
};

Entry Classify(const QByteArray& data, const Line& line) {
    qsizetype b = line.begin;
    qsizetype e = line.textEnd;
    while (b < e && IsBlank(data[b])) ++b;
    while (e > b && IsBlank(data[e - 1])) --e;
    Entry entry;
    if (b == e) return entry;
    const QByteArrayView text(data.constData() + b, e - b);
    if (text[0] == ';' || text[0] == '#') {
        entry.kind = Kind::Comment;
        return entry;
    }
    if (text[0] == '[') {
        const qsizetype close = text.indexOf(']');
        if (close > 0) {
            entry.kind = Kind::Header;
            entry.name = text.sliced(1, close - 1).trimmed();
            return entry;
        }
    }
    entry.kind = Kind::Key;
    const auto* equals =
        static_cast<const char*>(std::memchr(text.data(), '=', size_t(text.size())));
    if (equals == nullptr) {
        entry.name = text;
        entry.nameEnd = e;
        return entry;
    }
    // The text starts with no blank, so only the blanks before the `=` are trimmed.
    const qsizetype eq = equals - text.data();
    qsizetype nameSize = eq;
    while (nameSize > 0 && IsBlank(text[nameSize - 1])) --nameSize;
    entry.name = text.first(nameSize);
    entry.afterEquals = b + eq + 1;
    qsizetype v = entry.afterEquals;
    while (v < line.textEnd && (data[v] == ' ' || data[v] == '\t')) ++v;
    entry.valueBegin = v;
    return entry;
}

// Calls `visit` with each line of the file, in order.
template <typename Visit>
void ForEachLine(const QByteArray& data, Visit visit) {
    const char* const bytes = data.constData();
    qsizetype pos = data.startsWith(kBom) ? 3 : 0;
    while (pos < data.size()) {
        Line line;
        line.begin = pos;
        const auto* lf =
            static_cast<const char*>(std::memchr(bytes + pos, '\n', size_t(data.size() - pos)));
        line.bodyEnd = lf ? lf - bytes : data.size();
        line.end = lf ? line.bodyEnd + 1 : data.size();
        if (lf && line.bodyEnd > pos && bytes[line.bodyEnd - 1] == '\r') --line.bodyEnd;
        // Only the line itself is searched: a search to the end of the file for each line
        // would take time growing with the square of the file's length.
        const auto* nul =
            static_cast<const char*>(std::memchr(bytes + pos, '\0', size_t(line.bodyEnd - pos)));
        line.textEnd = nul ? nul - bytes : line.bodyEnd;
        visit(line);
        pos = line.end;
    }
}

QList<Line> SplitLines(const QByteArray& data) {
    QList<Line> lines;
    ForEachLine(data, [&lines](const Line& line) { lines.append(line); });
    return lines;
}

// UTF-8 to text, keeping a U+FEFF at the start of a name or value (QString::fromUtf8
// would drop it, and a key written with it would then never be found again).
QString Decode(QByteArrayView bytes) {
    if (!bytes.startsWith(kBom)) return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool SameName(QByteArrayView inFile, const QString& wanted) {
    return Decode(inFile).compare(wanted, Qt::CaseInsensitive) == 0;
}

// Where a key is, or where it would go. Reading and writing both use this, so a
// write always edits the line that a read finds.
struct Place {
    QList<Line> lines;
    int keyLine = -1;  // first line holding the key in a section of that name
    Entry key;
    int lastOfSection = -1;  // last entry of the first section of that name (or its header)
};

Place Find(const QByteArray& data, const QString& section, const QString& key) {
    Place place;
    place.lines = SplitLines(data);
    bool inSection = false;
    bool inFirstSection = false;
    for (int i = 0; i < place.lines.size(); ++i) {
        const Entry entry = Classify(data, place.lines[i]);
        if (entry.kind == Kind::Header) {
            inSection = SameName(entry.name, section);
            inFirstSection = inSection && place.lastOfSection < 0;
            if (inFirstSection) place.lastOfSection = i;
        } else if (entry.kind == Kind::Key && inSection) {
            if (inFirstSection) place.lastOfSection = i;
            if (!entry.name.isEmpty() && SameName(entry.name, key)) {
                place.keyLine = i;
                place.key = entry;
                break;
            }
        }
    }
    return place;
}

// At most kMaxSettingLength characters, one fewer where the cut would part the two
// halves of a character beyond U+FFFF.
QString CutToLength(const QString& value) {
    if (value.size() <= kMaxSettingLength) return value;
    const bool splits =
        value[kMaxSettingLength - 1].isHighSurrogate() && value[kMaxSettingLength].isLowSurrogate();
    return value.left(splits ? kMaxSettingLength - 1 : kMaxSettingLength);
}

// Each character folded on its own, as QString::compare folds them without regard to
// case (QString::toCaseFolded may turn one character into two), so that two names fold
// alike exactly when SameName takes them for one.
QString Folded(const QString& name) {
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) return name.toLower();  // the same, and much quicker
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            const char32_t folds = QChar::toCaseFolded(QChar::surrogateToUcs4(c, name[++i]));
            for (const QChar half : QChar::fromUcs4(folds)) folded += half;
        } else {
            folded += c.toCaseFolded();
        }
    }
    return folded;
}

// Eight bytes, each below 0x80, with A-Z made a-z: each byte's top bit says whether it
// is at least 'A' and at most 'Z', and the difference is the 0x20 bit.
quint64 LowerAscii(quint64 bytes) {
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    const quint64 atLeastA = bytes + kOnes * (0x80 - 'A');
    const quint64 beyondZ = bytes + kOnes * (0x7F - 'Z');
    return bytes | (((atLeastA & ~beyondZ) & (kOnes * 0x80)) >> 2);
}

// Eight bytes from `from`, or the `count` left with zeros after them; `readable` bytes from
// `from` on may be read.
quint64 LoadWord(const char* from, qsizetype count, qsizetype readable) {
    quint64 word = 0;
    if (readable >= 8) {
        std::memcpy(&word, from, 8);
        if (count < 8) word &= (quint64(1) << (8 * count)) - 1;
    } else {
        for (qsizetype i = std::min<qsizetype>(count, 8) - 1; i >= 0; --i) {
            word = word << 8 | quint8(from[i]);
        }
    }
    return word;
}

// A name as Folded would give it, in UTF-8, written into `scratch` with at least eight
// zero bytes after it; `readable` bytes from the name's start on may be read. A name of
// ASCII bytes only (nearly every name) is folded eight bytes at a time, without making a
// string: a settings file of many keys folds each of them.
QByteArrayView FoldedBytes(QByteArrayView name, qsizetype readable, QByteArray& scratch) {
    const qsizetype size = name.size();
    if (scratch.size() < size + 16) scratch.resize(std::max<qsizetype>(size + 16, 64));
    char* out = scratch.data();
    quint64 seen = 0;
    for (qsizetype i = 0; i < size + 8; i += 8) {
        const quint64 word = i < size ? LoadWord(name.data() + i, size - i, readable - i) : 0;
        seen |= word;
        const quint64 lower = LowerAscii(word & 0x7F7F7F7F7F7F7F7FULL);
        std::memcpy(out + i, &lower, 8);
    }
    if ((seen & 0x8080808080808080ULL) == 0) return QByteArrayView(out, size);
    scratch = Folded(Decode(name)).toUtf8();
    const qsizetype foldedSize = scratch.size();
    scratch.append(8, '\0');
    return QByteArrayView(scratch.constData(), foldedSize);
}

// A place of the settings index holds a key's index + 1 in its low half (0: empty) and the
// top half of the key's hash, which settles most comparisons without reading the key.
constexpr quint64 kIndexBits = 0xFFFFFFFFULL;
quint64 TagOf(size_t hash) { return quint64(hash) & ~kIndexBits; }

// A quick hash of a folded name as FoldedBytes gives it, word by word, mixed with its
// section.
quint64 MixWord(quint64 hash, quint64 word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
    return hash ^ (hash >> 29);
}
size_t FinishHash(quint64 hash) {
    // Names that differ in one digit must not land in neighbouring places of the table.
    hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDULL;
    hash = (hash ^ (hash >> 33)) * 0xC4CEB9FE1A85EC53ULL;
    return size_t(hash ^ (hash >> 33));
}
size_t HashFolded(QByteArrayView folded, quint32 section) {
    quint64 hash = (quint64(section) << 32) ^ quint64(folded.size());
    for (qsizetype i = 0; i < folded.size(); i += 8) {
        quint64 word;  // the zeros after the name fill the last word
        std::memcpy(&word, folded.data() + i, 8);
        hash = MixWord(hash, word);
    }
    return FinishHash(hash);
}

// HashFolded of the name's folded form, as written (`readable` bytes from its start may be
// read). An ASCII name is folded and hashed in the same pass, without writing it out.
size_t HashName(QByteArrayView name, qsizetype readable, quint32 section, QByteArray& scratch) {
    const qsizetype size = name.size();
    quint64 hash = (quint64(section) << 32) ^ quint64(size);
    for (qsizetype i = 0; i < size; i += 8) {
        const quint64 word = LoadWord(name.data() + i, size - i, readable - i);
        if ((word & 0x8080808080808080ULL) != 0) {
            return HashFolded(FoldedBytes(name, readable, scratch), section);
        }
        hash = MixWord(hash, LowerAscii(word));
    }
    return FinishHash(hash);
}

bool HoldsLineBreakOrNul(const QByteArray& s) {
    return s.contains('\n') || s.contains('\r') || s.contains('\0');
}

bool IsStorableName(const QByteArray& name) {
    return !name.isEmpty() && name.trimmed() == name && !HoldsLineBreakOrNul(name);
}

}  // namespace

QString SettingValue(const QByteArray& text, const QString& section, const QString& key) {
    if (section.isEmpty() || key.isEmpty()) return {};
    const Place place = Find(text, section, key);
    if (place.keyLine < 0 || place.key.valueBegin < 0) return {};
    const Line& line = place.lines[place.keyLine];
    return Decode(QByteArrayView(text.constData() + place.key.valueBegin,
                                 line.textEnd - place.key.valueBegin))
        .trimmed();
}

bool EditSetting(QByteArray& text, const QString& section, const QString& key,
                 const QString& value) {
    const QByteArray s = section.toUtf8();
    const QByteArray k = key.toUtf8();
    const QByteArray v = value.toUtf8();
    if (!IsStorableName(s) || s.contains(']')) return false;
    if (!IsStorableName(k) || k.contains('=') || k[0] == ';' || k[0] == '#' || k[0] == '[') {
        return false;
    }
    if (HoldsLineBreakOrNul(v)) return false;

    const Place place = Find(text, section, key);
    if (place.keyLine >= 0) {
        // The key's line keeps its spelling, indentation and spacing around `=` (unless
        // the new value brings its own), and its line break; the old value (and anything
        // after a NUL) is replaced.
        const Line& line = place.lines[place.keyLine];
        const Entry& entry = place.key;
        const bool ownSpacing = !v.isEmpty() && (v[0] == ' ' || v[0] == '\t');
        const qsizetype keep = entry.afterEquals < 0 ? entry.nameEnd
                               : ownSpacing          ? entry.afterEquals
                                                     : entry.valueBegin;
        QByteArray replacement = text.mid(line.begin, keep - line.begin);
        if (entry.afterEquals < 0) replacement += '=';
        replacement += v;
        text.replace(line.begin, line.bodyEnd - line.begin, replacement);
        return true;
    }

    // Added lines use the file's own line break, judged by its first line.
    const qsizetype firstLf = text.indexOf('\n');
    const QByteArray eol = firstLf > 0 && text[firstLf - 1] == '\r' ? "\r\n" : "\n";
    const QByteArray entry = k + '=' + v + eol;
    if (place.lastOfSection >= 0) {
        const Line& after = place.lines[place.lastOfSection];
        const bool unterminated = after.end == after.bodyEnd;
        text.insert(after.end, unterminated ? eol + entry : entry);
    } else {
        if (!text.isEmpty() && !text.endsWith('\n')) text += eol;
        text += '[' + s + ']' + eol + entry;
    }
    return true;
}

// ---- The file ----------------------------------------------------------------------

namespace {

// Temporary files are named `<file name>.quillet-save.<pid>.<n>` beside the file, so
// that a later start can tell them apart from the user's own files and know whose
// they are.
constexpr char kTempMark[] = ".quillet-save.";

enum class Load { Loaded, Missing, Refused };

struct Contents {
    Load result = Load::Refused;
    QByteArray data;
    mode_t mode = 0;
};

bool ReadAll(int fd, QByteArray& data) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.append(buffer, n);
    }
}

bool WriteAll(int fd, const QByteArray& data, off_t offset = 0) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.constData() + done,
                                   static_cast<size_t>(data.size() - done), offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

// Opens without blocking, and checks the type both before opening (a FIFO or device is
// never opened) and after (in case the path was swapped in between).
Contents LoadFile(const QByteArray& path) {
    Contents contents;
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        contents.result = errno == ENOENT ? Load::Missing : Load::Refused;
        return contents;
    }
    if (!S_ISREG(st.st_mode)) return contents;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return contents;
    // One buffer of the file's size: a large file is not copied over and over as it grows.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        (contents.data.reserve(qsizetype(st.st_size) + 1), ReadAll(fd, contents.data))) {
        contents.result = Load::Loaded;
        contents.mode = st.st_mode & 07777;
    }
    ::close(fd);
    return contents;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Writes a complete new file beside `path` and renames it over `path`. Returns
// false without touching `path` when the temporary file cannot be made.
enum class Replace { Done, Failed, NoTemporaryFile };

Replace ReplaceFile(const QByteArray& path, const QByteArray& data, const Contents& old) {
    static unsigned counter = 0;
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp =
            path + kTempMark + QByteArray::number(::getpid()) + '.' + QByteArray::number(++counter);
        // A new file gets the permissions the user's umask gives any new file.
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno == EEXIST) continue;
        // Only a folder that refuses new files calls for writing in place; a full disk or
        // quota would fail the write in place half-way, costing the file its tail.
        const bool refused = errno == EACCES || errno == EPERM || errno == EROFS;
        return refused ? Replace::NoTemporaryFile : Replace::Failed;
    }
    if (fd < 0) return Replace::Failed;
    bool ok = old.result != Load::Loaded || ::fchmod(fd, old.mode) == 0;
    ok = ok && WriteAll(fd, data) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.constData(), path.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return Replace::Failed;
    }
    SyncFolder(FolderOf(path));
    return Replace::Done;
}

// For a writable file in a folder that refuses new files: overwrite what changed, then
// cut off what is left of the old contents. Not atomic, but the only way to store the
// value. The room for a longer file is taken first, so that a full disk or a size limit
// fails the write before a byte changes; should the write still stop short, the old
// bytes are put back.
bool RewriteInPlace(const QByteArray& path, const QByteArray& data, const QByteArray& old) {
    const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == old.size();
    if (ok && data.size() > old.size() && ::posix_fallocate(fd, 0, data.size()) != 0) {
        ok = false;
        (void)::ftruncate(fd, old.size());
    }
    if (ok) {
        qsizetype from = 0;
        while (from < data.size() && from < old.size() && data[from] == old[from]) ++from;
        ok = WriteAll(fd, data.mid(from), from);
        if (!ok) {
            (void)WriteAll(fd, old.mid(from), from);
            (void)::ftruncate(fd, old.size());
        }
    }
    ok = ok && ::ftruncate(fd, data.size()) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

// The file a chain of links ends at (the path itself when it is no link), whether or not
// that file exists: a write through a link goes to the file it names, and the link stays.
QByteArray ResolveLinks(QByteArray path) {
    for (int depth = 0; depth < 40; ++depth) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        if (n <= 0 || n == ssize_t(sizeof target)) return path;
        const QByteArray next(target, n);
        path = next.startsWith('/') ? next : FolderOf(path) + '/' + next;
    }
    return path;  // a loop of links: reading it fails, and so does the write
}

// Holds an exclusive lock for one write, so that copies of the program writing the same
// file take turns between reading it and replacing it. The lock is on `<file>.lock`, a
// file that stays once made (removing it would let two copies lock two files); where the
// folder refuses it, on the settings file itself, which is then written in place and
// never replaced. Without either the write goes ahead unlocked.
class WriteLock {
public:
    explicit WriteLock(const QByteArray& path) {
        const QByteArray lockPath = path + ".lock";
        constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;
        fd_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | kFlags, 0666);
        if (fd_ < 0) fd_ = ::open(lockPath.constData(), O_RDONLY | kFlags);
        if (fd_ < 0) fd_ = ::open(path.constData(), O_RDONLY | kFlags);
        struct stat st {};
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~WriteLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace

SettingsSnapshot::SettingsSnapshot(const QString& file) : file_(file) {
    Contents contents = LoadFile(QFile::encodeName(file));
    if (contents.result != Load::Loaded) return;
    data_ = std::move(contents.data);
    // First every key of a named section, in file order, with its hash; then the index.
    // Building the index apart lets each key's place be fetched ahead: places are spread
    // over a table larger than the processor's caches, and waiting for each in turn
    // would cost a large file more time than all the rest of the reading.
    keys_.reserve(size_t(data_.size() / 64 + 16));
    bool inSection = false;
    quint32 section = 0;
    QByteArray folded;
    ForEachLine(data_, [&](const Line& line) {
        const Entry entry = Classify(data_, line);
        if (entry.kind == Kind::Header) {
            const QString name = Folded(Decode(entry.name));
            inSection = !name.isEmpty();
            auto known = sections_.constFind(name);
            if (known == sections_.constEnd()) {
                known = sections_.insert(name, quint32(sections_.size()));
            }
            section = *known;
        } else if (entry.kind == Kind::Key && inSection && !entry.name.isEmpty()) {
            const size_t hash =
                HashName(entry.name, data_.constEnd() - entry.name.data(), section, folded);
            keys_.push_back({section, entry.name, entry.valueBegin,
                             entry.valueBegin < 0 ? -1 : line.textEnd, hash});
        }
    });
    size_t places = 64;
    while (places < 2 * keys_.size()) places *= 2;
    table_.assign(places, 0);
    const size_t mask = places - 1;
    constexpr size_t kAhead = 16;
    // As Find reads: keys count in every section of the name, the first of a key wins.
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (i + kAhead < keys_.size()) __builtin_prefetch(&table_[keys_[i + kAhead].hash & mask]);
        const Key& key = keys_[i];
        const size_t slot =
            place(key.section, key.name, data_.constEnd() - key.name.data(), key.hash);
        if (table_[slot] == 0) table_[slot] = TagOf(key.hash) | (i + 1);
    }
}

size_t SettingsSnapshot::place(quint32 section, QByteArrayView name, qsizetype readable,
                               size_t hash) const {
    const quint64 tag = TagOf(hash);
    const size_t mask = table_.size() - 1;
    // Names are folded only where the hashes' top halves agree, which is rare but for the
    // name sought.
    QByteArray foldedName;
    QByteArray scratch;
    QByteArrayView sought;
    size_t slot = hash & mask;
    for (; table_[slot] != 0; slot = (slot + 1) & mask) {
        if ((table_[slot] & ~kIndexBits) != tag) continue;
        const Key& key = keys_[(table_[slot] & kIndexBits) - 1];
        if (key.section != section) continue;
        if (sought.isNull()) sought = FoldedBytes(name, readable, foldedName);
        if (FoldedBytes(key.name, data_.constEnd() - key.name.data(), scratch) == sought) break;
    }
    return slot;
}

QString SettingsSnapshot::read(const QString& section, const QString& key,
                               const QString& fallback) const {
    if (section.isEmpty() || key.isEmpty()) return fallback;
    const auto id = sections_.constFind(Folded(section));
    if (id == sections_.constEnd()) return fallback;
    const QByteArray name = key.toUtf8();
    QByteArray scratch;
    const size_t hash = HashName(name, name.size(), *id, scratch);
    const quint64 entry = table_[place(*id, name, name.size(), hash)];
    if (entry == 0) return fallback;
    const Key* found = &keys_[(entry & kIndexBits) - 1];
    if (found->valueBegin < 0) return fallback;
    const QString value = CutToLength(Decode(QByteArrayView(data_.constData() + found->valueBegin,
                                                            found->valueEnd - found->valueBegin))
                                          .trimmed());
    return value.isEmpty() ? fallback : value;
}

QString ReadSetting(const QString& file, const QString& section, const QString& key,
                    const QString& fallback) {
    return SettingsSnapshot(file).read(section, key, fallback);
}

bool WriteSetting(const QString& file, const QString& section, const QString& key,
                  const QString& value) {
    // Names and values no line can hold are refused before anything is touched.
    QByteArray probe;
    if (!EditSetting(probe, section, key, value)) return false;
    // The per-user settings folder is made by the first write.
    if (!MakePerUserFolderFor(file)) return false;

    const QByteArray path = ResolveLinks(QFile::encodeName(file));
    // Nothing, not even the lock file, is made beside a folder, FIFO or device.
    struct stat st {};
    if (::stat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
    const WriteLock lock(path);
    const Contents old = LoadFile(path);
    if (old.result == Load::Refused) return false;
    QByteArray data = old.data;
    if (!EditSetting(data, section, key, value)) return false;
    if (old.result == Load::Loaded) {
        if (data == old.data) return true;
        // A file made read-only, or one the user may not write, is left as it is (the
        // folder may still let the new file be renamed over it).
        const bool readOnly = (old.mode & 0222) == 0;
        if (readOnly || ::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) != 0) {
            return false;
        }
    }
    switch (ReplaceFile(path, data, old)) {
        case Replace::Done:
            return true;
        case Replace::Failed:
            return false;
        case Replace::NoTemporaryFile:
            return old.result == Load::Loaded && RewriteInPlace(path, data, old.data);
    }
    return false;
}

void RemoveLeftoverSettingsFiles(const QString& file) {
    const QFileInfo info(file);
    const QString prefix = info.fileName() + QLatin1String(kTempMark);
    const QDir folder = info.absoluteDir();
    const QStringList names =
        folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        // Kept while the program that made it still runs: it may be in the middle of a write.
        bool isNumber = false;
        const pid_t pid = name.mid(prefix.size()).section(QLatin1Char('.'), 0, 0).toInt(&isNumber);
        if (isNumber && pid > 0 && pid != ::getpid() && (::kill(pid, 0) == 0 || errno != ESRCH)) {
            continue;
        }
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.constData());
    }
}

namespace settings {
namespace {
bool IsOn(const QString& value, const char* on) { return value.toUpper() == QLatin1String(on); }
}  // namespace

bool ReadBlackBackgroundOn(const SettingsSnapshot& settings) {
    return IsOn(settings.read(kBlackBackgroundSection, kOnOrOffKey, "On"), "ON");
}
bool ReadSoundOn(const SettingsSnapshot& settings) {
    return IsOn(settings.read(kSoundSection, kOnOrOffKey, "On"), "ON");
}
bool ReadShuffleOn(const SettingsSnapshot& settings) {
    return IsOn(settings.read(kShuffleSection, kOnOrOffKey, "Off"), "ON");
}
bool ReadFiguresOn(const SettingsSnapshot& settings) {
    return IsOn(settings.read(kFiguresSection, kFiguresKey, "Yes"), "YES");
}
int ReadTestMode(const SettingsSnapshot& settings) {
    bool ok = false;
    const int mode = settings.read(kTestModeSection, kTestModeKey, "1").toShort(&ok);
    return ok ? NormalizedTestMode(mode) : kModeEachOnce;
}
int ReadWindowSize(const SettingsSnapshot& settings) {
    bool ok = false;
    const int percent = settings.read(kWindowSizeSection, kPercentKey, "100").toInt(&ok);
    for (const int size : kWindowSizes) {
        if (ok && percent == size) return size;
    }
    return 100;
}
bool ReadSectionChosen(const SettingsSnapshot& settings, int sectionId) {
    return settings.read(kSectionsSection, SectionKey(sectionId), "No") == QLatin1String("Yes");
}

bool ReadBlackBackgroundOn(const QString& file) {
    return ReadBlackBackgroundOn(SettingsSnapshot(file));
}
bool ReadSoundOn(const QString& file) { return ReadSoundOn(SettingsSnapshot(file)); }
bool ReadShuffleOn(const QString& file) { return ReadShuffleOn(SettingsSnapshot(file)); }
bool ReadFiguresOn(const QString& file) { return ReadFiguresOn(SettingsSnapshot(file)); }
int ReadTestMode(const QString& file) { return ReadTestMode(SettingsSnapshot(file)); }
int ReadWindowSize(const QString& file) { return ReadWindowSize(SettingsSnapshot(file)); }

QString SectionKey(int sectionId) { return QStringLiteral("Ask") + QString::number(sectionId); }

bool ReadSectionChosen(const QString& file, int sectionId) {
    return ReadSectionChosen(SettingsSnapshot(file), sectionId);
}

QString OnOff(bool on) { return on ? QStringLiteral("ON") : QStringLiteral("OFF"); }
QString YesNo(bool yes) { return yes ? QStringLiteral("YES") : QStringLiteral("NO"); }

}  // namespace settings
}  // namespace quillet
