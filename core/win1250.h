#pragma once

#include <QByteArray>
#include <QString>

// Curve and settings files are 8-bit Windows-1250 text (Hungarian letters
// such as ő and ű). The conversion is a fixed table, so it works on every
// Qt build whatever codecs it carries. The five byte values that Windows-1250
// leaves undefined map to the C1 controls of the same number and back, so
// every byte survives a round trip; a character the code page cannot hold is
// written as "?".
QString decodeWin1250(const QByteArray &bytes);
QByteArray encodeWin1250(const QString &text);
