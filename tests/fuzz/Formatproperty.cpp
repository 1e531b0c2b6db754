#include "fuzz/Formatproperty.h"

#include "model/Configurationfile.h"
#include "model/Configurationpanes.h"
#include "model/Eepromformat.h"
#include "model/Utilities.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace {

constexpr std::uint16_t Codes[] = {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt};

QByteArray Saved(int formatIndex, const QString& in, const QString& out)
{
    std::unique_ptr<C_EEPROMFormat> format =
        C_EEPROMFormat::Create(Codes[formatIndex], ClearedPanes(formatIndex), 0);
    C_ConfigurationFile(in).Load(*format);
    format->ShowInPanes();
    QFile::remove(out);
    if (!format->SaveFile(out))
        return {};
    QFile file(out);
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? file.readAll() : QByteArray(1, 'x');
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

    const QByteArray first = Saved(format, in, dir.filePath(QStringLiteral("first.KWC")));
    if (first.isEmpty())
        return {};
    const QByteArray second = Saved(format, dir.filePath(QStringLiteral("first.KWC")), dir.filePath(QStringLiteral("second.KWC")));
    if (second != first)
        return QStringLiteral("a saved configuration saves differently after loading it again");
    return {};
}
