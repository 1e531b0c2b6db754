#pragma once

#include <QByteArray>
#include <QString>

// Properties the fuzz targets and the regression replay check against arbitrary
// bytes. Each returns what went wrong, or an empty text. folder: a writable folder
// for the files a property needs.

// The image codec, part by part and without files: the first byte chooses the
// format, the part (service block, motor table, program area, step records) and
// the outputs; the rest is that part's bytes. Decoding, encoding and decoding again
// must agree.
QString CheckCodecProperty(const QByteArray& input, const QString& folder);

// Kw3Win's language file reader: the texts are the file's lines, every id outside
// them reads "Error", Glosser reads the same texts, and saving them reads back alike.
QString CheckLanguageProperty(const QByteArray& input, const QString& folder);

// Glosser's language file loading: at most its 278 messages, each storable, and a
// save of what was loaded loads the same messages again.
QString CheckGlosserFileProperty(const QByteArray& input, const QString& folder);

// The settings store reading a hostile file: what it reads, written back at exit,
// is read again unchanged, and the rewritten file reads without a problem.
QString CheckSettingsProperty(const QByteArray& input, const QString& folder);

// The text form's reader: a refusal names a place and a reason; a document it
// accepts shows, and its text, written again, reads and writes back unchanged.
QString CheckTextProperty(const QByteArray& input, const QString& folder);

// kw3tool's argument parsing (NUL-separated arguments): the global options and each
// command's options; what was parsed, written out again, parses the same.
QString CheckArgumentsProperty(const QByteArray& input, const QString& folder);
