#pragma once

#include "comm/Portsettings.h"
#include "model/Configuration.h"
#include "model/Diagnosticlist.h"
#include "model/Formatdescription.h"
#include "model/Steprow.h"

#include <QMap>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

class C_EEPROMFormat;

// The program or cycle a command names with --program N or --cycle C/N: whether a
// program, and its place in the value.
struct S_NamedPart
{
    bool m_Program;
    std::size_t m_Index;
};
// None, with the reason on standard error, when the options name neither, both or
// one that file does not hold.
std::optional<S_NamedPart> NamedPart(const C_Configuration& value, const QMap<QString, QString>& options,
                                     const QString& file);

// Standard output holds only what a command produces; the tool's own warnings
// and errors go to standard error, one line each.
void WriteOutput(const QString& text);
void WriteError(const QString& text);
// A refusal that names its place as FILE:LINE:COL, as compilers do, without the tool's name.
void WritePlacedError(const QString& text);
// Bytes on standard output as they are.
void WriteBytes(const QByteArray& bytes);

// A configuration opened as Kw3Win's Open opens a configuration file and its
// Import an old one, held as its value and its format; no window takes part. Its
// diagnostic lines are the ones Kw3Win's window would show.
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

    ~C_ToolConfiguration();
    C_ToolConfiguration(const C_ToolConfiguration&) = delete;
    C_ToolConfiguration& operator=(const C_ToolConfiguration&) = delete;

    const C_Configuration& Value() const { return m_Value; }
    // The configuration after an edit, as the window commits one: its lines start anew.
    void Replace(C_Configuration value);
    const S_FormatDescription& Description() const;
    // The format's rows for the configuration's outputs, and where they lie in a step record.
    const std::vector<C_StepRow>& Rows() const;
    const std::vector<S_StepRow>& RowLayout() const;

    // The checks of a build, their lines added to the others; true when they pass.
    bool Check();
    // What Kw3Win's Save does: new lines, then the checks and the file; the lines
    // printed and the exit status (checks failed, or the file not writable). A
    // target ending in .json (any case) gets the text form, one ending in .KW3 the
    // bare image, and - the text form on standard output (the lines then go to
    // standard error); each only when the checks pass.
    int Save(const QString& target);
    // The text form, in any state.
    QByteArray Text() const;
    // Kw3Win's Download: the checks, then the transfer; true when both went well.
    bool Download(const S_LinkSettings& link, const QString& backupFolder, bool verify);
    // Kw3Win's Upload: the configuration received replaces this one when it all arrived.
    bool Upload(const S_LinkSettings& link);

    // Every diagnostic line in order: two blanks per level, the icon's tag, a blank, the text.
    void PrintDiagnostics(std::FILE* stream = stdout) const;

private:
    C_ToolConfiguration();
    static std::unique_ptr<C_ToolConfiguration> Open(const QString& path, const std::optional<QString>& formatName);

    std::unique_ptr<C_EEPROMFormat> m_Format;
    C_Configuration m_Value;
    C_DiagnosticList m_Lines;
};
