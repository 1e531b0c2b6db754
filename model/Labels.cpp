#include "model/Labels.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Cyclecontent.h"
#include "model/Fileheader.h"
#include "model/Nodedata.h"

namespace {

std::int16_t CategoryNameId(std::uint32_t categoryBits)
{
    switch (categoryBits) {
    case 0: return 157;
    case 0x2000: return 158;
    case 0x4000: return 159;
    case 0x8000: return 160;
    case 0x10000: return 161;
    case 0x20000: return 162;
    default: return 49;
    }
}

} // namespace

QString NodeLabel(const C_NodeData& data)
{
    if (data.m_Kind & NodeKind::Program)
        return ProgramLabel(data.m_Number);
    if (data.m_Kind & NodeKind::Group)
        return CategoryLabel(data.m_Kind);
    if (data.m_Kind & NodeKind::CycleReference)
        return CycleName(data.m_Kind, data.m_Number);
    return CycleLabel(data.m_Kind, data.m_Number, data.m_Content ? int(data.m_Content->StepCount()) - 1 : 0);
}

QString ProgramLabel(std::int32_t number)
{
    return Text(Msg::Program) + QLatin1Char(' ') + QString::number(number);
}

QString CategoryLabel(std::uint32_t kind)
{
    const int code = NodeKind::CategoryCode(kind);
    return (code != 0 ? CycleCategoryName(NodeKind::CategoryBits(code)) : Text(Msg::Warning)) + QLatin1Char(' ');
}

QString CycleName(std::uint32_t kind, std::int32_t number)
{
    return CategoryLabel(kind) + QString::number(number);
}

QString CycleLabel(std::uint32_t kind, std::int32_t number, int steps)
{
    return CycleName(kind, number) + QStringLiteral(" (") + QString::number(steps) + Text(Msg::StepsSuffix);
}

QString CycleCategoryName(std::uint32_t categoryBits)
{
    return Text(CategoryNameId(categoryBits));
}

QString FormatStepTime(std::uint32_t seconds)
{
    const std::uint32_t minutes = seconds / 60;
    const std::uint32_t rest = seconds % 60;
    return QString::number(minutes) + (rest < 10 ? QStringLiteral(":0") : QStringLiteral(":")) + QString::number(rest);
}

QString FormatName(std::uint16_t code)
{
    switch (code) {
    case FormatCode::Standard: return Text(Msg::StandardFormat);
    case FormatCode::Inverter: return Text(Msg::InverterFormat);
    case FormatCode::Varnholt: return Text(Msg::VarnholtFormat);
    default: return QString::number(code);
    }
}

QString FormatWithOutputs(std::uint16_t code, int outputs)
{
    return FormatName(code) + QStringLiteral(", ") + QString::number(outputs) + QLatin1Char(' ') +
           Text(Msg::OutputsWord);
}

QString TextLine(std::int16_t id, const QString& about)
{
    return Text(id) + QLatin1Char(' ') + about;
}
