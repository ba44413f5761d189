#include "app/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <type_traits>

namespace app {
namespace {

// A settings file larger than this is not one we wrote: it is not read.
constexpr qint64 kMaxFileBytes = 1 << 20;

std::optional<int> ReadInt(const QString& text, int min, int max) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value < min || value > max) return std::nullopt;
  return value;
}

std::optional<bool> ReadBool(const QString& text) {
  if (text == QLatin1String("true")) return true;
  if (text == QLatin1String("false")) return false;
  return std::nullopt;
}

std::optional<QColor> ReadColor(const QString& text) {
  const QColor color = QColor::fromString(text.trimmed());
  if (!color.isValid() || !text.trimmed().startsWith(u'#')) return std::nullopt;
  return color;
}

// "x y", the window's top-left corner.
std::optional<QPoint> ReadPoint(const QString& text) {
  const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
  if (parts.size() != 2) return std::nullopt;
  bool okX = false, okY = false;
  const QPoint point(parts[0].toInt(&okX), parts[1].toInt(&okY));
  if (!okX || !okY) return std::nullopt;
  return point;
}

template <class T>
std::optional<T> Read(const QString& text, const TSettingInfo<T>& info) {
  if constexpr (std::is_same_v<T, int>) {
    return ReadInt(text, info.min, info.max);
  } else if constexpr (std::is_enum_v<T>) {
    const std::optional<int> value = ReadInt(text, int(info.min), int(info.max));
    if (!value) return std::nullopt;
    return static_cast<T>(*value);
  } else if constexpr (std::is_same_v<T, bool>) {
    return ReadBool(text);
  } else if constexpr (std::is_same_v<T, QColor>) {
    return ReadColor(text);
  } else if constexpr (std::is_same_v<T, QPoint>) {
    return ReadPoint(text);
  } else {
    static_assert(std::is_same_v<T, QString>);
    if (text.isEmpty()) return std::nullopt;
    return text;
  }
}

template <class T>
QString Write(const T& value) {
  if constexpr (std::is_same_v<T, int>) {
    return QString::number(value);
  } else if constexpr (std::is_enum_v<T>) {
    return QString::number(int(value));
  } else if constexpr (std::is_same_v<T, bool>) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
  } else if constexpr (std::is_same_v<T, QColor>) {
    return value.name(QColor::HexRgb);
  } else if constexpr (std::is_same_v<T, QPoint>) {
    return QStringLiteral("%1 %2").arg(value.x()).arg(value.y());
  } else {
    return value;
  }
}

}  // namespace

QString TSettingsStore::DefaultFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Project22/Project22.ini");
}

TSettingsStore::TLoaded TSettingsStore::Load() const {
  TLoaded loaded;
  const QFileInfo fileInfo(file_);
  if (!fileInfo.exists()) return loaded;  // nothing remembered yet
  if (!fileInfo.isFile() || !QFile(file_).open(QIODevice::ReadOnly)) {
    loaded.Problems << QStringLiteral("cannot read the settings file %1; starting with the defaults").arg(file_);
    return loaded;
  }
  if (fileInfo.size() > kMaxFileBytes) {
    loaded.Problems << QStringLiteral("the settings file %1 is damaged (%2 bytes); starting with the defaults")
                           .arg(file_)
                           .arg(fileInfo.size());
    return loaded;
  }
  const QSettings settings(file_, QSettings::IniFormat);
  if (settings.status() != QSettings::NoError) {
    loaded.Problems << QStringLiteral("the settings file %1 is damaged; starting with the defaults").arg(file_);
    return loaded;
  }
  // The file format forgives almost anything: lines it cannot read simply
  // vanish. Entries we do not know, or none at all in a file with content,
  // show that the file is not what we wrote.
  QStringList unknown = settings.allKeys();
  TStartSettings::ForEachField(
      [&](const auto& info, const auto&) {
        if (info.key) unknown.removeAll(QLatin1String(info.key));
      },
      loaded.Settings);
  if (!unknown.isEmpty() || (settings.allKeys().isEmpty() && fileInfo.size() > 0)) {
    loaded.Problems
        << QStringLiteral("the settings file %1 is damaged; what cannot be read in it is ignored").arg(file_);
  }
  TStartSettings::ForEachField(
      [&](const auto& info, auto& field) {
        if (!info.key || !settings.contains(QLatin1String(info.key))) return;
        const QVariant value = settings.value(QLatin1String(info.key));
        // A value that reads as a list or a type of its own is not one of ours.
        field = value.typeId() == QMetaType::QString ? Read(value.toString(), info) : std::nullopt;
        if (!field) {
          loaded.Problems << QStringLiteral("ignoring the bad value of %1 in the settings file %2")
                                 .arg(QLatin1String(info.key), file_);
        }
      },
      loaded.Settings);
  return loaded;
}

QString TSettingsStore::Save(const TStartSettings& toSave) const {
  QDir().mkpath(QFileInfo(file_).absolutePath());
  QSettings settings(file_, QSettings::IniFormat);
  settings.clear();
  TStartSettings::ForEachField(
      [&](const auto& info, const auto& field) {
        if (info.key && field) settings.setValue(QLatin1String(info.key), Write(*field));
      },
      toSave);
  settings.sync();
  if (settings.status() != QSettings::NoError) return QStringLiteral("cannot write the settings file %1").arg(file_);
  return {};
}

QString TSettingsStore::Reset() const {
  if (QFileInfo::exists(file_) && !QFile::remove(file_)) {
    return QStringLiteral("cannot remove the settings file %1").arg(file_);
  }
  return {};
}

}  // namespace app
