#pragma once

#include "model/Configuration.h"
#include "model/Configurationfile.h"
#include "model/Configurationpanes.h"
#include "model/Eepromformat.h"

#include <QMap>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>

// Standard output holds only what a command produces; the tool's own warnings
// and errors go to standard error, one line each.
void WriteOutput(const QString& text);
void WriteError(const QString& text);
// A refusal that names its place as FILE:LINE:COL, as compilers do, without the tool's name.
void WritePlacedError(const QString& text);
// Bytes on standard output as they are.
void WriteBytes(const QByteArray& bytes);

// A configuration opened headless into its panes, as Kw3Win's Open opens a
// configuration file and its Import an old one.
class C_ToolConfiguration
{
public:
    // Opens the first of a command's file arguments; the arguments are the files
    // and --format F, the format of an old file (ignored for any other). Null, with
    // the reason on standard error, on bad usage or a file that cannot be opened.
    static std::unique_ptr<C_ToolConfiguration> Open(const QStringList& arguments, int fileCount, QStringList& files);
    // The same, taking the command's further options and flags too; their values land in options.
    static std::unique_ptr<C_ToolConfiguration> Open(const QStringList& arguments, int fileCount, QStringList& files,
                                                     const QStringList& moreOptions, QMap<QString, QString>& options,
                                                     const QStringList& flags = QStringList());
    // A new configuration of the format, as Kw3Win's New makes it.
    static std::unique_ptr<C_ToolConfiguration> New(std::uint16_t formatCode, int outputs);

    C_ConfigurationPanes& Panes() { return m_Panes; }
    C_EEPROMFormat& Format() { return *m_Format; }
    C_Configuration Value() const { return C_Configuration::Read(*m_Format, m_Panes); }

    // What Kw3Win's Save does: an empty diagnostic tree, then SaveFile; the lines
    // printed and the exit status (checks failed, or the file not writable). A
    // target ending in .json (any case) gets the text form, one ending in .KW3 the
    // bare image, and - the text form on standard output (the lines then go to
    // standard error); each only when the checks pass.
    int Save(const QString& target);

    // Every diagnostic line in tree order: two blanks per level, the icon's tag, a blank, the text.
    void PrintDiagnostics(std::FILE* stream = stdout) const;

private:
    static std::unique_ptr<C_ToolConfiguration> Open(const QString& path, const std::optional<QString>& formatName);

    C_ConfigurationPanes m_Panes;
    std::unique_ptr<C_EEPROMFormat> m_Format;
};
