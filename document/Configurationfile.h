#pragma once

#include "document/Configurationtext.h"
#include "model/Fileheader.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class C_Configuration;
class C_DiagnosticSink;
class C_EEPROMFormat;

// A configuration file about to be opened: whether it can be, and by which
// format. Every reading of a configuration file goes through it.
class C_ConfigurationFile
{
public:
    explicit C_ConfigurationFile(const QString& path);

    // An old configuration (extension .KW3 in any case) holds the bare image and
    // does not say its format; any other file starts with its format code.
    static bool IsOld(const QString& path);
    bool IsOld() const { return IsOld(m_Path); }
    // A configuration in the text form (extension .json in any case).
    static bool IsText(const QString& path);
    bool IsText() const { return IsText(m_Path); }

    // The format code of a file that is not old, when it names a format (a text
    // document only when it can be read).
    std::optional<std::uint16_t> FormatCode() const { return m_FormatCode; }
    // Why the file cannot be opened (message, a blank, the path), or empty when
    // it can: a missing file, one that is not old and names no format, or a text
    // document refused (its path, line, column, the value and why).
    QString Refusal() const;

    // Reads an image file's image into the format, or into an image; bytes the file
    // does not supply keep the values the image had.
    void Load(C_EEPROMFormat& format) const;
    void Load(MemoryImage& image) const;
    // The document of a text file that can be read.
    const std::optional<S_TextConfiguration>& Document() const { return m_Text; }
    // Creates the format of the code, reads the file into it and gives the
    // configuration it holds with the lines of reading it, as a configuration
    // window opens a file (a text document names its own format).
    std::unique_ptr<C_EEPROMFormat> Open(std::uint16_t formatCode, C_Configuration& value,
                                         C_DiagnosticSink& lines) const;

private:
    QByteArray ImageBytes(qint64 size) const;

    QString m_Path;
    bool m_Exists;
    std::optional<std::uint16_t> m_FormatCode;
    std::optional<S_TextConfiguration> m_Text;
    S_JsonError m_TextError;
};
