#include "fuzz/Formatproperty.h"

#include "editor/Configurationpanes.h"
#include "model/Eepromformat.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace {

constexpr std::uint16_t Codes[] = {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt};

QByteArray Saved(std::uint16_t code, const QString& in, const QString& out)
{
    C_ConfigurationPanes panes;
    std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(code, panes, 0);
    format->LoadFile(in);
    format->ShowInPanes();
    QFile::remove(out);
    if (!format->SaveFile(out))
        return {};
    QFile file(out);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(1, 'x');
}

} // namespace

QString CheckFormatProperty(const QByteArray& input, const QString& folder)
{
    if (input.size() < 2)
        return {};
    const std::uint16_t code = Codes[std::uint8_t(input[0]) % 3];
    const QDir dir(folder);
    const QString in = dir.filePath(input[1] & 1 ? QStringLiteral("input.KW3") : QStringLiteral("input.KWC"));
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly) || file.write(input.mid(2)) != input.size() - 2)
        return QStringLiteral("cannot write the input file");
    file.close();

    const QByteArray first = Saved(code, in, dir.filePath(QStringLiteral("first.KWC")));
    if (first.isEmpty())
        return {};
    const QByteArray second = Saved(code, dir.filePath(QStringLiteral("first.KWC")), dir.filePath(QStringLiteral("second.KWC")));
    if (second != first)
        return QStringLiteral("a saved configuration saves differently after loading it again");
    return {};
}
