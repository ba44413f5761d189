#pragma once
#include <QByteArray>
#include <QString>

namespace app {

// File names on Linux are bytes, usually but not always UTF-8. These two
// convert without loss: valid UTF-8 becomes its characters, and each byte of
// an invalid sequence becomes one of the code points U+DC80..U+DCFF (unpaired
// surrogates, which no valid name decodes to) and back again. A name that
// isn't UTF-8 is then listed, shown (with replacement marks) and opened like
// any other.
QString FileNameFromBytes(const QByteArray& bytes);
QByteArray FileNameToBytes(const QString& name);

// A folder as the user gave it (path text) joined with a name from a listing:
// the bytes to open.
QByteArray JoinFileName(const QString& folder, const QString& name);

}  // namespace app
