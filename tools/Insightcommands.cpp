// kw3tool summary and timeline: how long the programs and cycles run, and their pictures.
#include "model/Programtime.h"
#include "print/Timeline.h"
#include "tools/Printcommand.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString CycleName(int category, int number)
{
    return QString::number(category) + QLatin1Char('/') + QString::number(number);
}

} // namespace

int RunSummary(const QStringList& arguments)
{
    QStringList files;
    const std::unique_ptr<C_ToolConfiguration> opened = C_ToolConfiguration::Open(arguments, 1, files);
    if (opened == nullptr)
        return ExitCode::Refused;
    const C_Configuration& configuration = opened->Value();
    const C_ProgramTiming timing(opened->RowLayout());

    std::vector<const C_Configuration::S_Program*> programs;
    for (const C_Configuration::S_Program& program : configuration.m_Programs)
        programs.push_back(&program);
    std::stable_sort(programs.begin(), programs.end(),
                     [](const auto* a, const auto* b) { return a->m_Number < b->m_Number; });
    QString out;
    for (const C_Configuration::S_Program* program : programs) {
        out += QStringLiteral("program %1: %2").arg(program->m_Number).arg(DurationText(timing.Program(configuration, *program)));
        QStringList unlinked;
        for (const S_ProgramCycle& part : C_ProgramTiming::CyclesOf(configuration, *program))
            if (part.m_Cycle == nullptr)
                unlinked << CycleName(part.m_Reference->Category(), part.m_Reference->m_Number);
        if (!unlinked.isEmpty())
            out += QStringLiteral(" (unlinked ") + unlinked.join(QStringLiteral(", ")) + QLatin1Char(')');
        out += QLatin1Char('\n');
    }

    std::vector<const C_Configuration::S_Cycle*> cycles;
    for (const C_Configuration::S_Cycle& cycle : configuration.m_Cycles)
        cycles.push_back(&cycle);
    std::stable_sort(cycles.begin(), cycles.end(), [](const auto* a, const auto* b) {
        return std::make_pair(a->Category(), a->m_Number) < std::make_pair(b->Category(), b->m_Number);
    });
    for (const C_Configuration::S_Cycle* cycle : cycles)
        out += QStringLiteral("cycle %1: %2\n")
                   .arg(CycleName(cycle->Category(), cycle->m_Number), DurationText(timing.Cycle(*cycle)));
    // A configuration without programs and cycles prints nothing.
    if (!out.isEmpty()) {
        out.chop(1);
        WriteOutput(out);
    }
    return ExitCode::Success;
}

int RunTimeline(const QStringList& arguments)
{
    QStringList files;
    QMap<QString, QString> options;
    const std::unique_ptr<C_ToolConfiguration> opened = C_ToolConfiguration::Open(
        arguments, 2, files, {QStringLiteral("program"), QStringLiteral("cycle"), QStringLiteral("width")}, options);
    if (opened == nullptr)
        return ExitCode::Refused;
    const std::optional<S_NamedPart> part = NamedPart(opened->Value(), options, files[0]);
    if (!part)
        return ExitCode::Refused;
    if (!IsTimelineFileName(files[1])) {
        WriteError(QStringLiteral("%1: a timeline is written as .svg, .png or .pdf").arg(files[1]));
        return ExitCode::Refused;
    }
    bool widthRead = true;
    const int width = options.value(QStringLiteral("width"), QStringLiteral("1600")).toInt(&widthRead);
    if (!widthRead || width < 200 || width > 20000) {
        WriteError(QStringLiteral("--width is a number of pixels from 200 to 20000"));
        return ExitCode::Refused;
    }
    const S_TimelineSource source{
        opened->Value(), opened->Rows(), opened->RowLayout(),
        {part->m_Program ? S_TimelineSubject::Kind::Program : S_TimelineSubject::Kind::Cycle, int(part->m_Index)}};
    // A PDF's creation date: the file's own time unless SOURCE_DATE_EPOCH names one.
    const std::optional<QDateTime> stamp = StampTime(QFileInfo(files[0]).lastModified().toUTC());
    if (!stamp)
        return ExitCode::Refused;
    QString error;
    if (!ExportTimeline(files[1], source, width, *stamp, error)) {
        WriteError(QStringLiteral("cannot write %1: %2").arg(files[1], error));
        return ExitCode::Refused;
    }
    return ExitCode::Success;
}
