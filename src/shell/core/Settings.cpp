#include "shell/core/Settings.h"

#include "shell/core/TestModes.h"

#include <QFile>
#include <QSaveFile>

// Values are handled as UTF-8 bytes; no wide-character conversion is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <string>

namespace quillet {
namespace {

// Multi-key, so that a repeated key is kept on writing and the first of its
// values is the one read, as the platform's own profile routines do. Key-only
// lines are kept too, so that a write never drops a line it does not understand.
struct Ini : CSimpleIniA {
    Ini() : CSimpleIniA(/*a_bIsUtf8=*/true, /*a_bMultiKey=*/true, /*a_bMultiLine=*/false) {
        SetSpaces(false);
        SetAllowKeyOnly(true);
    }
};

enum class LoadResult { Loaded, Missing, Unreadable };

LoadResult Load(CSimpleIniA& ini, const QString& file) {
    QFile f(file);
    if (!f.exists()) return LoadResult::Missing;
    if (!f.open(QIODevice::ReadOnly)) return LoadResult::Unreadable;
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) return LoadResult::Unreadable;
    if (ini.LoadData(data.constData(), static_cast<size_t>(data.size())) < 0) {
        return LoadResult::Unreadable;
    }
    return LoadResult::Loaded;
}

}  // namespace

QString ReadSetting(const QString& file, const QString& section, const QString& key,
                    const QString& fallback) {
    Ini ini;
    if (Load(ini, file) != LoadResult::Loaded) return fallback;
    const char* raw = ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), "");
    QString value = QString::fromUtf8(raw ? raw : "").trimmed().left(kMaxSettingLength);
    return value.isEmpty() ? fallback : value;
}

bool WriteSetting(const QString& file, const QString& section, const QString& key,
                  const QString& value) {
    Ini ini;
    if (Load(ini, file) == LoadResult::Unreadable) return false;
    const QByteArray s = section.toUtf8();
    QByteArray k = key.toUtf8();
    // An existing key keeps the spelling it has in the file.
    CSimpleIniA::TNamesDepend keys;
    if (ini.GetAllKeys(s.constData(), keys)) {
        for (const auto& entry : keys) {
            if (QString::fromUtf8(entry.pItem).compare(key, Qt::CaseInsensitive) == 0) {
                k = entry.pItem;
                break;
            }
        }
    }
    const QByteArray v = value.toUtf8();
    // Replaces the key's value (every copy of it, if it was repeated).
    if (ini.SetValue(s.constData(), k.constData(), v.constData(), nullptr, true) < 0) return false;

    std::string out;
    if (ini.Save(out) < 0) return false;
    QSaveFile save(file);
    if (!save.open(QIODevice::WriteOnly)) return false;
    save.write(out.data(), static_cast<qint64>(out.size()));
    return save.commit();
}

namespace settings {
namespace {
bool IsOn(const QString& value, const char* on) { return value.toUpper() == QLatin1String(on); }
}  // namespace

bool ReadBlackBackgroundOn(const QString& file) {
    return IsOn(ReadSetting(file, kBlackBackgroundSection, kOnOrOffKey, "On"), "ON");
}
bool ReadSoundOn(const QString& file) {
    return IsOn(ReadSetting(file, kSoundSection, kOnOrOffKey, "On"), "ON");
}
bool ReadShuffleOn(const QString& file) {
    return IsOn(ReadSetting(file, kShuffleSection, kOnOrOffKey, "Off"), "ON");
}
bool ReadFiguresOn(const QString& file) {
    return IsOn(ReadSetting(file, kFiguresSection, kFiguresKey, "Yes"), "YES");
}
int ReadTestMode(const QString& file) {
    bool ok = false;
    const int mode = ReadSetting(file, kTestModeSection, kTestModeKey, "1").toShort(&ok);
    return ok ? NormalizedTestMode(mode) : kModeEachOnce;
}

QString SectionKey(int sectionId) { return QStringLiteral("Ask") + QString::number(sectionId); }

bool ReadSectionChosen(const QString& file, int sectionId) {
    return ReadSetting(file, kSectionsSection, SectionKey(sectionId), "No") == QLatin1String("Yes");
}

QString OnOff(bool on) { return on ? QStringLiteral("ON") : QStringLiteral("OFF"); }
QString YesNo(bool yes) { return yes ? QStringLiteral("YES") : QStringLiteral("NO"); }

}  // namespace settings
}  // namespace quillet
