// kw3tool summary and timeline: how long the programs and cycles run, and their pictures.
#include "model/Programtime.h"
#include "print/Timeline.h"
#include "tools/Printcommand.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

QString CycleName(int category, int number)
{
    return QString::number(category) + QLatin1Char('/') + QString::number(number);
}

// The index of the program with the number, or -1.
int FindProgram(const C_Configuration& configuration, int number)
{
    for (size_t i = 0; i < configuration.m_Programs.size(); ++i)
        if (configuration.m_Programs[i].m_Number == number)
            return int(i);
    return -1;
}

// The index of the cycle named "C/N", or -1.
int FindCycle(const C_Configuration& configuration, const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^([1-5])/([0-9]{1,3})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return -1;
    for (size_t i = 0; i < configuration.m_Cycles.size(); ++i)
        if (configuration.m_Cycles[i].Category() == match.captured(1).toInt() &&
            configuration.m_Cycles[i].m_Number == match.captured(2).toInt())
            return int(i);
    return -1;
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
    const bool program = options.contains(QStringLiteral("program"));
    if (program == options.contains(QStringLiteral("cycle"))) {
        WriteError(QStringLiteral("name either --program N or --cycle C/N"));
        return ExitCode::Refused;
    }
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
    const C_Configuration& configuration = opened->Value();
    const QString name = options.value(program ? QStringLiteral("program") : QStringLiteral("cycle"));
    bool numberRead = true;
    const int index = program ? FindProgram(configuration, name.toInt(&numberRead)) : FindCycle(configuration, name);
    if (index < 0 || !numberRead) {
        WriteError(QStringLiteral("%1 has no %2 %3").arg(files[0], program ? QStringLiteral("program") : QStringLiteral("cycle"), name));
        return ExitCode::Refused;
    }
    const S_TimelineSource source{
        configuration, opened->Rows(), opened->RowLayout(),
        {program ? S_TimelineSubject::Kind::Program : S_TimelineSubject::Kind::Cycle, index}};
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
