#pragma once

#include <QByteArray>
#include <QString>

// Feeds arbitrary bytes through a format as Kw3Win's Open or Import would: load,
// show, build. The first byte chooses the format, the second whether the rest is
// read as a configuration file or an old one. Its text form, read back, is the
// same configuration and saves as it does; when it saves, a second load and save
// must give the same bytes. Returns what went wrong, or an
// empty text. folder: a writable folder for the files.
QString CheckFormatProperty(const QByteArray& input, const QString& folder);

class C_ConfigurationPanes;

// One set of panes per format (0 standard, 1 inverter, 2 Varnholt), built once and
// cleared before each use, as an upload shows an image in them: building the
// widgets anew took nine tenths of the time.
C_ConfigurationPanes& ClearedPanes(int format);
