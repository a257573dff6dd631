#pragma once
// File names as the system holds them: bytes, which need not be valid UTF-8
// (an old GBK name, a stray byte). Qt turns each byte it cannot decode into
// U+FFFD, so such a name would come back as another file's name. Here every
// such byte is kept as one character of its own, U+DC80 to U+DCFF (a lone
// low surrogate, which no decoded text holds), and turned back into the same
// byte on the way to the system; valid UTF-8 reads and writes as Qt's
// QFile::decodeName and QFile::encodeName do.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace plotdesk::toolkit {

QString fileNameFromBytes(const QByteArray& bytes);
QByteArray fileNameBytes(const QString& name);

// The program's arguments (argv as the application object left it, without
// Qt's own options), read so that a file name among them keeps its bytes.
QStringList argumentsFromBytes(int argc, char** argv);

}  // namespace plotdesk::toolkit
