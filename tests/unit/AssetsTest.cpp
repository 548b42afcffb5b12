// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The program's pictures and sound cues: the WAV files that tools/sounds writes into the build
// folder, and the PNG files under src/assets with the sizes that src/assets/README.md states.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const QString kBuildDir = QStringLiteral(QUILLET_BUILD_DIR);

QDir AssetsDir() { return QDir(QStringLiteral(QUILLET_SOURCE_DIR "/src/assets")); }

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// ---------------------------------------------------------------------------------------------
// Sound cues

struct Cue {
    const char* name;
    double minSeconds;
    double maxSeconds;
};

const Cue kCues[] = {{"projctor.wav", 0.3, 0.6},
                     {"whoosh.wav", 0.25, 0.5},
                     {"bump.wav", 0.1, 0.25},
                     {"applause.wav", 2.0, 3.2},
                     {"clap.wav", 0.7, 1.5}};

struct Wav {
    std::uint32_t riffSize = 0;
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
    std::uint32_t dataSize = 0;
    std::vector<std::int16_t> samples;
};

// Little-endian numbers read byte by byte: with the sanitizers, the compiler wrongly warns that an
// unaligned read out of a QByteArray may run past its end, and warnings are errors.
std::uint32_t LittleEndian(const QByteArray& b, qsizetype at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(b.at(at + i));
    }
    return value;
}
std::uint32_t U32(const QByteArray& b, qsizetype at) { return LittleEndian(b, at, 4); }
std::uint16_t U16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint16_t>(LittleEndian(b, at, 2));
}

// Walks the RIFF chunks; returns an error text, or nothing when the file is a readable WAVE.
std::optional<std::string> ParseWav(const QByteArray& bytes, Wav& wav) {
    if (bytes.size() < 12) return "shorter than a RIFF header";
    if (bytes.left(4) != "RIFF") return "no RIFF tag";
    if (bytes.mid(8, 4) != "WAVE") return "no WAVE tag";
    wav.riffSize = U32(bytes, 4);
    bool haveFormat = false;
    bool haveData = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const std::uint32_t size = U32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (body + static_cast<qsizetype>(size) > bytes.size())
            return "chunk " + id.toStdString() + " runs past the end of the file";
        if (id == "fmt ") {
            if (size < 16) return "format chunk too short";
            wav.format = U16(bytes, body);
            wav.channels = U16(bytes, body + 2);
            wav.rate = U32(bytes, body + 4);
            wav.byteRate = U32(bytes, body + 8);
            wav.blockAlign = U16(bytes, body + 12);
            wav.bits = U16(bytes, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            wav.dataSize = size;
            wav.samples.resize(size / 2);
            for (std::size_t i = 0; i < wav.samples.size(); ++i)
                wav.samples[i] =
                    static_cast<std::int16_t>(U16(bytes, body + static_cast<qsizetype>(2 * i)));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat) return "no format chunk";
    if (!haveData) return "no data chunk";
    return std::nullopt;
}

Wav LoadCue(const QString& dir, const char* name) {
    const QString path = dir + QLatin1Char('/') + QString::fromLatin1(name);
    const QByteArray bytes = ReadAll(path);
    Wav wav;
    EXPECT_FALSE(bytes.isEmpty()) << qPrintable(path)
                                  << " is missing: build the 'sounds' target first";
    const auto error = ParseWav(bytes, wav);
    EXPECT_FALSE(error.has_value()) << name << ": " << error.value_or("");
    if (!bytes.isEmpty()) {
        EXPECT_EQ(wav.riffSize, static_cast<std::uint32_t>(bytes.size() - 8)) << name;
    }
    return wav;
}

int Peak(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t i = from; i < std::min(to, s.size()); ++i)
        peak = std::max(peak, std::abs(int{s[i]}));
    return peak;
}

TEST(SoundCues, AreSixteenBitMonoPcmAt22050Hz) {
    for (const Cue& cue : kCues) {
        SCOPED_TRACE(cue.name);
        const Wav wav = LoadCue(kBuildDir, cue.name);
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.rate, 22050u);
        EXPECT_EQ(wav.byteRate, 44100u);
        EXPECT_EQ(wav.blockAlign, 2);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_EQ(wav.dataSize % 2, 0u);
    }
}

TEST(SoundCues, LastAboutAsLongAsTheirCue) {
    for (const Cue& cue : kCues) {
        const Wav wav = LoadCue(kBuildDir, cue.name);
        const double seconds = static_cast<double>(wav.samples.size()) / 22050.0;
        EXPECT_GE(seconds, cue.minSeconds) << cue.name;
        EXPECT_LE(seconds, cue.maxSeconds) << cue.name;
    }
}

TEST(SoundCues, AreAudibleAtModerateLevels) {
    for (const Cue& cue : kCues) {
        const Wav wav = LoadCue(kBuildDir, cue.name);
        const int peak = Peak(wav.samples, 0, wav.samples.size());
        double energy = 0;
        for (std::int16_t v : wav.samples) energy += static_cast<double>(v) * v;
        const double rms = wav.samples.empty() ? 0 : std::sqrt(energy / wav.samples.size());
        EXPECT_GT(peak, 32767 / 10) << cue.name << " is close to silent";
        EXPECT_LT(peak, 32767 * 9 / 10) << cue.name << " is too loud";
        EXPECT_GT(rms, 300.0) << cue.name << " has almost no sound in it";
    }
}

// A cue that jumps from silence straight to a loud sample clicks; a faded one rises from zero.
TEST(SoundCues, FadeInAndOutWithoutAClick) {
    const std::size_t edge = 5;  // about a quarter of a millisecond
    for (const Cue& cue : kCues) {
        const Wav wav = LoadCue(kBuildDir, cue.name);
        const std::size_t n = wav.samples.size();
        ASSERT_GT(n, 2 * edge) << cue.name;
        EXPECT_LT(std::abs(int{wav.samples.front()}), 330) << cue.name;
        EXPECT_LT(std::abs(int{wav.samples.back()}), 330) << cue.name;
        EXPECT_LT(Peak(wav.samples, 0, edge), 3277) << cue.name << " starts with a click";
        EXPECT_LT(Peak(wav.samples, n - edge, n), 3277) << cue.name << " ends with a click";
    }
}

const QString kMakeSounds = kBuildDir + QStringLiteral("/tools/sounds/makesounds");

TEST(SoundCues, GeneratorWritesTheSameFilesOnEveryRun) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess run;
    run.start(kMakeSounds, {out.path()});
    ASSERT_TRUE(run.waitForFinished(60000)) << qPrintable(kMakeSounds);
    ASSERT_EQ(run.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    for (const Cue& cue : kCues) {
        const QByteArray fresh = ReadAll(out.filePath(QString::fromLatin1(cue.name)));
        const QByteArray built = ReadAll(kBuildDir + QLatin1Char('/') + cue.name);
        EXPECT_FALSE(fresh.isEmpty()) << cue.name;
        EXPECT_TRUE(fresh == built) << cue.name << " differs between two runs";
    }
}

TEST(SoundCues, GeneratorReportsAFolderItCannotWriteTo) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess run;
    run.start(kMakeSounds, {out.filePath(QStringLiteral("no/such/folder"))});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_NE(run.exitCode(), 0);
    EXPECT_FALSE(run.readAllStandardError().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Pictures

struct Picture {
    QString name;
    int width = 0;
    int height = 0;
};

// The rows of the table in src/assets/README.md: | `file.png` | W×H | ... |, each with its
// "@2x" companion at twice the size.
std::vector<Picture> ListedPictures() {
    const QString text =
        QString::fromUtf8(ReadAll(AssetsDir().filePath(QStringLiteral("README.md"))));
    static const QRegularExpression row(
        QStringLiteral(R"(^\|\s*`([^`]+\.png)`\s*\|\s*(\d+)\s*[×x]\s*(\d+)\s*\|)"),
        QRegularExpression::MultilineOption);
    std::vector<Picture> pictures;
    for (auto it = row.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString name = m.captured(1);
        const int width = m.captured(2).toInt();
        const int height = m.captured(3).toInt();
        pictures.push_back({name, width, height});
        // Each has a companion drawn at twice the size for scaled screens.
        pictures.push_back({name.chopped(4) + QStringLiteral("@2x.png"), 2 * width, 2 * height});
    }
    return pictures;
}

struct PngHeader {
    int width = -1;
    int height = -1;
    int bitDepth = -1;
    int colourType = -1;
};

// Reads the signature and the IHDR chunk that must follow it.
std::optional<PngHeader> ReadPngHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray b = file.read(26);
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (b.size() < 26 || b.left(8) != signature || b.mid(12, 4) != "IHDR") return std::nullopt;
    PngHeader h;
    h.width = static_cast<int>(qFromBigEndian<quint32>(b.constData() + 16));
    h.height = static_cast<int>(qFromBigEndian<quint32>(b.constData() + 20));
    h.bitDepth = static_cast<unsigned char>(b[24]);
    h.colourType = static_cast<unsigned char>(b[25]);
    return h;
}

TEST(Artwork, EveryListedPictureExistsAtItsStatedSize) {
    const auto pictures = ListedPictures();
    ASSERT_GE(pictures.size(), 30u) << "the table in src/assets/README.md was not read";
    for (const Picture& p : pictures) {
        const auto header = ReadPngHeader(AssetsDir().filePath(p.name));
        ASSERT_TRUE(header.has_value()) << qPrintable(p.name) << " is missing or not a PNG";
        EXPECT_EQ(header->width, p.width) << qPrintable(p.name);
        EXPECT_EQ(header->height, p.height) << qPrintable(p.name);
    }
}

// The sizes the windows' layouts fix, whatever the table says.
TEST(Artwork, LayoutPicturesHaveTheSizesTheirWindowsNeed) {
    struct Need {
        std::string name;
        int width, height;
    };
    std::vector<Need> needs = {{"splash.png", 440, 330},       {"mainmenu.png", 640, 480},
                               {"info.png", 530, 398},         {"bar_blue.png", 237, 56},
                               {"bar_red.png", 192, 32},       {"bar_white.png", 192, 32},
                               {"test_statusbar.png", 640, 68}};
    const Need buttons[] = {{"exit", 50, 50},  {"info", 80, 50},    {"skip", 130, 50},
                            {"back", 130, 27}, {"addall", 130, 27}, {"clearall", 130, 27}};
    for (const Need& button : buttons)
        for (const char* look : {"normal", "rolled", "clicked"})
            needs.push_back(
                {"btn_" + button.name + "_" + look + ".png", button.width, button.height});
    for (const char* page : {"topics", "options", "settings"})
        for (const char* state : {"selected", "unselected"})
            needs.push_back({std::string("page_") + page + "_" + state + ".png", 130, 27});
    for (const Need& need : needs) {
        const auto header = ReadPngHeader(AssetsDir().filePath(QString::fromStdString(need.name)));
        ASSERT_TRUE(header.has_value()) << need.name << " is missing";
        EXPECT_EQ(header->width, need.width) << need.name;
        EXPECT_EQ(header->height, need.height) << need.name;
    }
}

// The splash, the main menu and the information window show 24-bit pictures.
TEST(Artwork, WindowBackgroundsAreTwentyFourBitColour) {
    for (const char* name : {"splash.png", "mainmenu.png", "info.png"}) {
        const auto header = ReadPngHeader(AssetsDir().filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(header.has_value()) << name;
        EXPECT_EQ(header->colourType, 2) << name << " is not plain RGB";
        EXPECT_EQ(header->bitDepth, 8) << name;
    }
}

std::string Sorted(const QSet<QString>& names) {
    QStringList list(names.begin(), names.end());
    list.sort();
    return list.join(QLatin1Char(' ')).toStdString();
}

// Each picture is listed once in the table and once in assets.qrc, under its own name, and
// nothing in the folder is left out.
TEST(Artwork, ResourceFileHoldsExactlyTheListedPictures) {
    QSet<QString> listed;
    for (const Picture& p : ListedPictures()) {
        EXPECT_FALSE(listed.contains(p.name)) << qPrintable(p.name) << " is listed twice";
        listed.insert(p.name);
    }

    const QString qrc =
        QString::fromUtf8(ReadAll(AssetsDir().filePath(QStringLiteral("assets.qrc"))));
    static const QRegularExpression entry(
        QStringLiteral(R"re(<file\s+alias="([^"]+)"\s*>([^<]+)</file>)re"));
    QSet<QString> resources;
    for (auto it = entry.globalMatch(qrc); it.hasNext();) {
        const auto m = it.next();
        EXPECT_EQ(m.captured(1), m.captured(2)) << "alias differs from the file name";
        resources.insert(m.captured(2));
    }
    EXPECT_EQ(Sorted(resources), Sorted(listed));

    const QStringList files = AssetsDir().entryList({QStringLiteral("*.png")}, QDir::Files);
    EXPECT_EQ(Sorted(QSet<QString>(files.begin(), files.end())), Sorted(listed));
}

// The icon theme's copies of the program icon: one per size folder, square, at that size, with
// transparency for the rounded corners.
TEST(Artwork, ThemeIconsHaveTheSizeOfTheirFolder) {
    const QDir theme(AssetsDir().filePath(QStringLiteral("hicolor")));
    const QStringList sizes = theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const char* needed : {"16x16", "32x32", "48x48", "128x128", "256x256"}) {
        EXPECT_TRUE(sizes.contains(QLatin1String(needed))) << needed;
    }
    for (const QString& folder : sizes) {
        const int size = folder.section(QLatin1Char('x'), 0, 0).toInt();
        const auto header =
            ReadPngHeader(theme.filePath(folder + QStringLiteral("/apps/quillet.png")));
        ASSERT_TRUE(header.has_value()) << qPrintable(folder);
        EXPECT_EQ(folder, QStringLiteral("%1x%1").arg(size));
        EXPECT_EQ(header->width, size) << qPrintable(folder);
        EXPECT_EQ(header->height, size) << qPrintable(folder);
        EXPECT_EQ(header->colourType, 6) << qPrintable(folder) << " has no alpha channel";
    }
}

}  // namespace
