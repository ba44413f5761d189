#include "app/file_name_bytes.h"

#include <QFile>

namespace app {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + a byte of 0x80..0xFF

// Length of the valid UTF-8 sequence at `at` and its code point; 0 when the
// bytes there are not one (overlong forms, encoded surrogates and code
// points past U+10FFFF included).
int DecodeUtf8(const QByteArray& bytes, qsizetype at, char32_t& codePoint) {
  const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  int length;
  char32_t minimum;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  for (int i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

QString FileNameFromBytes(const QByteArray& bytes) {
  QString name;
  name.reserve(bytes.size());
  for (qsizetype at = 0; at < bytes.size();) {
    char32_t codePoint = 0;
    const int length = DecodeUtf8(bytes, at, codePoint);
    if (length == 0) {
      name += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[at])));
      ++at;
      continue;
    }
    name += QString::fromUcs4(&codePoint, 1);
    at += length;
  }
  return name;
}

QByteArray FileNameToBytes(const QString& name) {
  QByteArray bytes;
  bytes.reserve(name.size());
  for (qsizetype at = 0; at < name.size(); ++at) {
    const char16_t unit = name[at].unicode();
    const bool escapedByte = unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
    if (escapedByte) {
      bytes += char(unit - kEscapeBase);
    } else if (QChar::isHighSurrogate(unit) && at + 1 < name.size() && name[at + 1].isLowSurrogate()) {
      bytes += name.mid(at, 2).toUtf8();
      ++at;
    } else {
      bytes += QString(QChar(unit)).toUtf8();
    }
  }
  return bytes;
}

QByteArray JoinFileName(const QString& folder, const QString& name) {
  QByteArray path = QFile::encodeName(folder);
  if (!path.endsWith('/')) path += '/';
  return path + FileNameToBytes(name);
}

}  // namespace app
