#pragma once

#include <QString>

// The shell hands igctool bytes, and Qt reads them as UTF-8: a file name
// that is not UTF-8 (lat\xe9.igc from a Latin-1 system) would come out as
// another name. The bytes of the command line are kept so that such a file
// is opened as given.
void keepRawArguments(int argc, char **argv);

// Whether an argument (or an option's value) stood for bytes that are not
// UTF-8, so that no name Qt can pass on reaches that file.
bool isLostName(const QString &argument);

// A path the file an argument names can be read under: the argument
// itself, or for a lost name, that of a descriptor opened on its bytes.
QString readablePath(const QString &argument);
