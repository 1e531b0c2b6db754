// Timings of the configuration window on a full standard configuration (399 steps,
// 30 programs, 24 outputs): load, show and paint it; repaint a 254-step cycle's
// grid; its recovery copy; and the memory of a main window holding four such configurations.
#include "app/Mainform.h"
#include "document/Recoveryfolder.h"
#include "editor/Changecommand.h"
#include "editor/Configurationpanes.h"
#include "editor/Mdichild.h"
#include "editor/Timelineview.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "model/Eepromformat.h"
#include "model/Fileheader.h"
#include "model/Programtime.h"
#include "settings/Context.h"
#include "support/Sampleconfiguration.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// Writes a configuration of the given cycles (step counts) with 30 programs.
QString WriteConfiguration(const QTemporaryDir& folder, const QString& name, const std::vector<int>& cycles)
{
    const auto format = C_EEPROMFormat::Create(FormatCode::Standard, 24);
    const QString path = folder.filePath(name);
    if (!SaveSample(*format, cycles, 30, path))
        std::fprintf(stderr, "the bench configuration %s does not save\n", qPrintable(name));
    return path;
}

struct S_Files
{
    QTemporaryDir m_Folder;
    // 399 steps in cycles of 25 to 60 steps.
    QString m_Full = WriteConfiguration(m_Folder, QStringLiteral("full.KWC"), {60, 55, 50, 45, 40, 35, 30, 25, 59});
    QString m_LongCycle = WriteConfiguration(m_Folder, QStringLiteral("long.KWC"), {254, 145});
};

const S_Files& Files()
{
    static const S_Files files;
    return files;
}

C_Context& Settings()
{
    static C_Context context(C_Context::Persistence::ReadOnly);
    return context;
}

void LoadShowAndPaint(benchmark::State& state)
{
    for (auto _ : state) {
        TFormMDIChild window(Settings());
        window.SetPath(Files().m_Full);
        window.LoadConfiguration(Files().m_Full, FormatCode::Standard);
        window.m_CyclesTree->setCurrentItem(window.m_CategoryNodes[1]->child(0));
        window.resize(1280, 900);
        benchmark::DoNotOptimize(window.grab());
        if (window.Format()->ReserveSteps(0) != 1)
            state.SkipWithError("the configuration does not hold 399 steps");
    }
}

void RepaintLongCycle(benchmark::State& state)
{
    TFormMDIChild window(Settings());
    window.SetPath(Files().m_LongCycle);
    window.LoadConfiguration(Files().m_LongCycle, FormatCode::Standard);
    window.m_CyclesTree->setCurrentItem(window.m_CategoryNodes[1]->child(0));
    window.resize(1280, 900);
    window.show();
    if (window.m_StepsGrid->columnCount() != 256)
        state.SkipWithError("the cycle does not hold 254 steps");
    for (auto _ : state)
        benchmark::DoNotOptimize(window.m_StepsGrid->grab());
}

// One step inserted into a cycle of the full configuration, undone and redone.
void UndoAndRedo(benchmark::State& state)
{
    TFormMDIChild window(Settings());
    window.SetPath(Files().m_Full);
    window.LoadConfiguration(Files().m_Full, FormatCode::Standard);
    // The full configuration leaves one free step, which a reservation keeps: room for one more.
    C_Configuration room = window.Configuration();
    room.m_FreeSteps += 1;
    window.Change(QString(), std::move(room));
    window.m_CyclesTree->setCurrentItem(window.m_CategoryNodes[2]->child(0));
    window.m_InsertStepAction->trigger();
    for (auto _ : state) {
        window.History().undo();
        window.History().redo();
    }
    state.counters["per step"] =
        benchmark::Counter(double(state.iterations()) * 2, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Running times of every program and cycle of the full configuration.
void Durations(benchmark::State& state)
{
    TFormMDIChild window(Settings());
    window.LoadConfiguration(Files().m_Full, FormatCode::Standard);
    const C_Configuration& configuration = window.Current();
    for (auto _ : state) {
        const C_ProgramTiming timing(window.Format()->RowLayout());
        S_Duration all;
        for (const C_Configuration::S_Program& program : configuration.m_Programs)
            all += timing.Program(configuration, program);
        for (const C_Configuration::S_Cycle& cycle : configuration.m_Cycles)
            all += timing.Cycle(cycle);
        benchmark::DoNotOptimize(all);
    }
}

// The index of the program with the most steps.
int LongestProgram(const C_Configuration& configuration)
{
    int longest = 0;
    size_t most = 0;
    for (size_t p = 0; p < configuration.m_Programs.size(); ++p) {
        size_t steps = 0;
        for (const S_ProgramCycle& part : C_ProgramTiming::CyclesOf(configuration, configuration.m_Programs[p]))
            steps += part.m_Cycle != nullptr ? part.m_Cycle->m_Steps->size() : 0;
        if (steps > most) {
            most = steps;
            longest = int(p);
        }
    }
    return longest;
}

// The longest program's timeline laid out and painted at 1600 pixels.
void PaintLongestTimeline(benchmark::State& state)
{
    TFormMDIChild window(Settings());
    window.LoadConfiguration(Files().m_Full, FormatCode::Standard);
    const S_TimelineSource source{window.Current(),
                                  window.Format()->Rows(),
                                  window.Format()->RowLayout(),
                                  {S_TimelineSubject::Kind::Program, LongestProgram(window.Current())}};
    for (auto _ : state) {
        const C_TimelineLayout layout(source, 1600);
        QImage picture(1600, int(layout.Height()) + 1, QImage::Format_RGB32);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        layout.Paint(painter);
        state.counters["steps"] = double(layout.Steps().size());
    }
}

// The timeline window after an edit of the configuration it shows: laid out again and repainted.
void TimelineAfterAnEdit(benchmark::State& state)
{
    TFormMDIChild window(Settings());
    window.LoadConfiguration(Files().m_Full, FormatCode::Standard);
    window.m_ProgramsTree->setCurrentItem(window.m_ProgramsTree->topLevelItem(LongestProgram(window.Current())));
    C_TimelineView view;
    view.resize(1600, 400);
    view.Follow(&window);
    for (auto _ : state) {
        emit window.ConfigurationChanged();
        benchmark::DoNotOptimize(view.grab());
    }
}

// A recovery copy of the full configuration after an edit: what the window's thread
// takes (the value and the bytes a Save keeps), then what the writing thread does.
void RecoverySnapshot(benchmark::State& state)
{
    TFormMDIChild window(Settings());
    window.LoadConfiguration(Files().m_Full, FormatCode::Standard);
    window.m_ProgramsTree->setCurrentItem(window.m_ProgramsTree->topLevelItem(0));
    window.m_NewProgramAction->trigger();
    for (auto _ : state)
        benchmark::DoNotOptimize(window.RecoverySnapshot());
}

void RecoveryCopyWritten(benchmark::State& state)
{
    TFormMDIChild window(Settings());
    window.LoadConfiguration(Files().m_Full, FormatCode::Standard);
    const S_RecoverySnapshot snapshot = window.RecoverySnapshot();
    const QString file = Files().m_Folder.filePath(QStringLiteral("copy.recovery"));
    QString reason;
    for (auto _ : state)
        if (!ReplaceFile(file, RecoveryCopyText(snapshot), reason))
            state.SkipWithError(qPrintable(reason));
    state.counters["bytes"] = double(QFileInfo(file).size());
}

// What a start with no copies adds: the folder and its lock, a look for copies of runs that are gone.
void StartWithoutCopies(benchmark::State& state)
{
    const QString folder = Files().m_Folder.filePath(QStringLiteral("recovery"));
    for (auto _ : state) {
        C_RecoveryFolder recovery(folder);
        if (!recovery.ClaimCopiesOfGoneProcesses().empty())
            state.SkipWithError("the folder holds copies");
        recovery.Release();
    }
}

BENCHMARK(RecoverySnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(RecoveryCopyWritten)->Unit(benchmark::kMillisecond);
BENCHMARK(StartWithoutCopies)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadShowAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(Durations)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintLongestTimeline)->Unit(benchmark::kMillisecond);
BENCHMARK(TimelineAfterAnEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(RepaintLongCycle)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoAndRedo)->Unit(benchmark::kMillisecond);

long PeakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The memory a full history holds: 100 field changes spread over the cycles of the full configuration.
void ReportHistoryMemory()
{
    TFormMDIChild window(Settings());
    window.SetPath(Files().m_Full);
    window.LoadConfiguration(Files().m_Full, FormatCode::Standard);
    for (int change = 0; change < TFormMDIChild::HistoryLimit; ++change) {
        const int category = 1 + change % 5;
        window.m_CyclesTree->setCurrentItem(window.m_CategoryNodes[size_t(category)]->child(0));
        window.m_StepsGrid->setCurrentCell(2 + change % 8, 1 + change % 20);
        window.m_EditCellAction->trigger();
    }
    std::set<const void*> counted;
    size_t bytes = 0;
    for (int i = 0; i < window.History().count(); ++i) {
        const auto* command = static_cast<const C_ChangeCommand*>(window.History().command(i));
        bytes += command->Before().Bytes(counted) + command->After().Bytes(counted);
    }
    std::printf("History of %d changes on the full configuration: %.2f MB\n", window.History().count(),
                double(bytes) / (1024.0 * 1024.0));
}

void ReportFourConfigurations()
{
    TMainForm frame(Settings());
    frame.resize(1280, 900);
    frame.show();
    for (int i = 0; i < 4; ++i) {
        const QString copy = Files().m_Folder.filePath(QStringLiteral("copy%1.KWC").arg(i));
        QFile::copy(Files().m_Full, copy);
        frame.OpenConfigurationFile(copy);
    }
    QApplication::processEvents();
    benchmark::DoNotOptimize(frame.grab());
    std::printf("Peak resident memory with four full configurations open: %.1f MB\n",
                double(PeakResidentKilobytes()) / 1024.0);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const C_LanguageManager language(QStringLiteral(KW3_ENGLISH));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReportHistoryMemory();
    ReportFourConfigurations();
    return 0;
}
