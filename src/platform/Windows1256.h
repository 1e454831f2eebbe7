#pragma once
#include <QByteArray>
#include <QString>

namespace numora {

// The single-byte Arabic code page of layout files. Every byte decodes to a
// character; characters the code page lacks are written as "?".
QString fromWindows1256(const QByteArray &bytes);
QByteArray toWindows1256(const QString &text);

} // namespace numora
