#pragma once
#include <QByteArray>
#include <QString>

namespace numora {

// The single-byte Arabic code page of layout files. Every byte decodes to a
// character; characters the code page lacks are written as "?".
QString fromWindows1256(const QByteArray &bytes);
QByteArray toWindows1256(const QString &text);

// Why layout files cannot be read or written correctly here: Qt was built
// without the code page, or its table does not give 256 distinct characters.
// Empty when the code page is usable; the program refuses to start and the
// layout writers refuse to write otherwise.
QString windows1256Problem();

} // namespace numora
