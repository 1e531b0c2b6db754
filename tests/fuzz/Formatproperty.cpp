#include "fuzz/Formatproperty.h"

#include "document/Configurationfile.h"
#include "document/Configurationtext.h"
#include "editor/Configurationpanes.h"
#include "editor/Treenodes.h"
#include "model/Configuration.h"
#include "model/Eepromformat.h"

#include <QDir>
#include <QFile>

#include <memory>
#include <set>

namespace {

constexpr std::uint16_t Codes[] = {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt};

QByteArray SavedBytes(C_ConfigurationPanes& panes, C_EEPROMFormat& format, const C_Configuration& value,
                      const QString& out)
{
    QFile::remove(out);
    C_PaneLines lines(panes);
    if (!format.SaveFile(value, out, lines))
        return {};
    QFile file(out);
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? file.readAll() : QByteArray(1, 'x');
}

QByteArray Saved(int formatIndex, const QString& in, const QString& out)
{
    C_ConfigurationPanes& panes = ClearedPanes(formatIndex);
    std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(Codes[formatIndex], 0);
    C_ConfigurationFile(in).Load(*format);
    const C_Configuration value = panes.ShowFormat(*format);
    return SavedBytes(panes, *format, value, out);
}

// The editor numbers programs 1 to 99, each once; an image may hold others, which
// its text form names and the reader refuses.
bool ProgramsOutsideTheEditor(const C_Configuration& value)
{
    std::set<int> numbers;
    for (const C_Configuration::S_Program& program : value.m_Programs)
        if (program.m_Number < 1 || program.m_Number > 99 || !numbers.insert(program.m_Number).second)
            return true;
    return false;
}

// The image's text form, read back and shown, is the same configuration: the same
// value, the same text, and the bytes (or the refusal) of a Save of the image.
QString CheckTextOfImage(int formatIndex, const QString& in, const QString& folder)
{
    const QDir dir(folder);
    C_ConfigurationPanes& panes = ClearedPanes(formatIndex);
    std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(Codes[formatIndex], 0);
    C_ConfigurationFile(in).Load(*format);
    const C_Configuration value = panes.ShowFormat(*format);
    const QByteArray text = ConfigurationTextOf(*format, value);
    const QByteArray saved = SavedBytes(panes, *format, value, dir.filePath(QStringLiteral("image.KWC")));

    S_JsonError error;
    const std::optional<S_TextConfiguration> read = ReadConfigurationText(text, error);
    if (!read)
        return ProgramsOutsideTheEditor(value)
                   ? QString()
                   : QStringLiteral("the image's text is refused: ") + error.Line(QStringLiteral("text"));
    C_ConfigurationPanes& shown = ClearedPanes(formatIndex);
    C_Configuration fromText;
    format = ShowTextConfiguration(*read, shown, fromText);
    if (!(fromText == value))
        return QStringLiteral("the image's text reads as another configuration");
    if (ConfigurationTextOf(*format, fromText) != text)
        return QStringLiteral("the image's text writes back differently");
    if (SavedBytes(shown, *format, fromText, dir.filePath(QStringLiteral("text.KWC"))) != saved)
        return QStringLiteral("the image's text saves other bytes than the image");
    return {};
}

} // namespace

// Never destroyed, so that no widget outlives the application object.
C_ConfigurationPanes& ClearedPanes(int format)
{
    static C_ConfigurationPanes* const panes[] = {new C_ConfigurationPanes, new C_ConfigurationPanes,
                                                  new C_ConfigurationPanes};
    panes[format]->ClearConfiguration();
    panes[format]->m_DiagnosticTree->clear();
    return *panes[format];
}

QString CheckFormatProperty(const QByteArray& input, const QString& folder)
{
    if (input.size() < 2)
        return {};
    const int format = std::uint8_t(input[0]) % 3;
    const QDir dir(folder);
    const QString in = dir.filePath(input[1] & 1 ? QStringLiteral("input.KW3") : QStringLiteral("input.KWC"));
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(input.mid(2)) != input.size() - 2)
        return QStringLiteral("cannot write the input file");
    file.close();

    if (const QString problem = CheckTextOfImage(format, in, folder); !problem.isEmpty())
        return problem;
    const QByteArray first = Saved(format, in, dir.filePath(QStringLiteral("first.KWC")));
    if (first.isEmpty())
        return {};
    const QByteArray second =
        Saved(format, dir.filePath(QStringLiteral("first.KWC")), dir.filePath(QStringLiteral("second.KWC")));
    if (second != first)
        return QStringLiteral("a saved configuration saves differently after loading it again");
    return {};
}
