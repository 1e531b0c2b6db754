#include "document/Configurationtext.h"
#include "editor/Configurationpanes.h"
#include "fuzz/Formatproperty.h"
#include "fuzz/Fuzzproperties.h"
#include "model/Eepromformat.h"

namespace {

int PanesOf(std::uint16_t formatCode)
{
    return formatCode == FormatCode::Standard ? 0 : formatCode == FormatCode::Inverter ? 1 : 2;
}

// The text of the document once shown, or empty with the problem.
QByteArray Shown(const S_TextConfiguration& document)
{
    C_ConfigurationPanes& panes = ClearedPanes(PanesOf(document.m_FormatCode));
    C_Configuration value;
    const std::unique_ptr<C_EEPROMFormat> format = ShowTextConfiguration(document, panes, value);
    return ConfigurationTextOf(*format, value);
}

// A fragment read back writes itself again unchanged.
QString CheckFragment(const QByteArray& input)
{
    S_JsonError error;
    const std::optional<S_Fragment> fragment = ReadFragmentText(input, error);
    if (!fragment)
        return QString();
    const QByteArray text = FragmentText(*fragment);
    const std::optional<S_Fragment> again = ReadFragmentText(text, error);
    return again && FragmentText(*again) == text ? QString() : QStringLiteral("a fragment writes back differently");
}

} // namespace

QString CheckTextProperty(const QByteArray& input, const QString&)
{
    if (const QString problem = CheckFragment(input); !problem.isEmpty())
        return problem;
    S_JsonError error;
    const std::optional<S_TextConfiguration> document = ReadConfigurationText(input, error);
    if (!document)
        return error.m_Reason.isEmpty() || error.m_Line < 1 || error.m_Column < 1
                   ? QStringLiteral("a refusal without its place or reason")
                   : QString();
    const QByteArray first = Shown(*document);
    const std::optional<S_TextConfiguration> again = ReadConfigurationText(first, error);
    if (!again)
        return QStringLiteral("the written text is refused: ") + error.Line(QStringLiteral("text"));
    if (Shown(*again) != first)
        return QStringLiteral("the written text writes back differently");
    return {};
}
