// Timings of a full standard configuration: 399 steps, 30 programs, 24 outputs.
#include "document/Configurationfile.h"
#include "document/Configurationtext.h"
#include "editor/Configurationpanes.h"
#include "language/Language.h"
#include "model/Cyclecontent.h"
#include "model/Eepromformat.h"
#include "model/Formatstandard.h"
#include "model/Steprows.h"
#include "support/Imagebuilder.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Steps = 399;
constexpr int CyclesPerCategory = 4;

ImageBuilder FullStandardConfiguration()
{
    ImageBuilder image(StandardLayout, 24);
    const int cycles = 5 * CyclesPerCategory;
    for (int i = 0; i < Steps; ++i) {
        const int cycle = i * cycles / Steps;
        const int first = (cycle * Steps + cycles - 1) / cycles;
        image.Step(i, cycle / CyclesPerCategory + 1, cycle % CyclesPerCategory + 1, i - first + 1,
                   {{3, i & 0xFF}, {4, 0x20 | (i & 0x1D)}, {5, 0xA5}, {6, 1 + i % 15}, {10, i % 7}, {11, 30}});
    }
    for (int p = 0; p < 30; ++p) {
        std::vector<std::pair<int, int>> references;
        for (int k = 0; k < 16; ++k)
            references.emplace_back((p + k) % 5 + 1, k % CyclesPerCategory + 1);
        image.Program(p, p + 1, references);
    }
    for (int mode = 1; mode <= 15; ++mode)
        image.Motor(mode - 1, mode, mode, 2 * mode, 0);
    return image;
}

class Files
{
public:
    Files()
    {
        QFile file(m_Folder.filePath(QStringLiteral("full.KWC")));
        const QByteArray bytes = FullStandardConfiguration().ConfigurationFile();
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QString Input() const { return m_Folder.filePath(QStringLiteral("full.KWC")); }
    QString Output() const { return m_Folder.filePath(QStringLiteral("out.KWC")); }

private:
    QTemporaryDir m_Folder;
};

const Files& BenchFiles()
{
    static const Files files;
    return files;
}

void LoadAndShow(benchmark::State& state)
{
    for (auto _ : state) {
        C_ConfigurationPanes panes;
        std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(FormatCode::Standard, 0);
        C_ConfigurationFile(BenchFiles().Input()).Load(*format);
        panes.ShowFormat(*format);
        if (format->ReserveSteps(0) != 400 - Steps)
            state.SkipWithError("the configuration does not hold every step");
    }
}

void LoadShowAndBuild(benchmark::State& state)
{
    for (auto _ : state) {
        C_ConfigurationPanes panes;
        std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(FormatCode::Standard, 0);
        C_ConfigurationFile(BenchFiles().Input()).Load(*format);
        const C_Configuration value = panes.ShowFormat(*format);
        C_DiagnosticList lines;
        if (!format->Build(value, lines))
            state.SkipWithError("the configuration does not build");
    }
}

// Build, write beside the target, flush to disk and rename, as Save does.
void Save(benchmark::State& state)
{
    C_ConfigurationPanes panes;
    std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(FormatCode::Standard, 0);
    C_ConfigurationFile(BenchFiles().Input()).Load(*format);
    const C_Configuration value = panes.ShowFormat(*format);
    C_DiagnosticList lines;
    for (auto _ : state)
        if (!format->SaveFile(value, BenchFiles().Output(), lines))
            state.SkipWithError("the configuration does not save");
}

void DecodeAndEncode(benchmark::State& state)
{
    const std::vector<S_StepRow> rows = StepRowTable(C_FormatStandard::RowCaptions());
    const C_StepRecordCodec codec(rows, 255);
    std::vector<std::uint8_t> image = FullStandardConfiguration().Image();
    std::vector<C_Step> steps(Steps);
    for (auto _ : state) {
        for (int i = 0; i < Steps; ++i)
            codec.Decode(image.data() + 16 * i, steps[size_t(i)]);
        for (int i = 0; i < Steps; ++i)
            codec.Encode(steps[size_t(i)], image.data() + 16 * i);
        benchmark::DoNotOptimize(image.data());
    }
}

// The text form of the full configuration: writing it (values and kept bytes), reading
// it (parse and check), and reading it into new panes as Open does.
struct S_Shown
{
    S_Shown()
    {
        format = C_EEPROMFormat::Create(FormatCode::Standard, 0);
        C_ConfigurationFile(BenchFiles().Input()).Load(*format);
        value = panes.ShowFormat(*format);
    }
    C_ConfigurationPanes panes;
    std::unique_ptr<C_EEPROMFormat> format;
    C_Configuration value;
};

void WriteText(benchmark::State& state)
{
    S_Shown shown;
    QByteArray text;
    for (auto _ : state)
        text = ConfigurationTextOf(*shown.format, shown.value);
    state.counters["bytes"] = double(text.size());
    state.counters["lines"] = double(text.count('\n'));
}

void ReadText(benchmark::State& state)
{
    S_Shown shown;
    const QByteArray text = ConfigurationTextOf(*shown.format, shown.value);
    S_JsonError error;
    for (auto _ : state)
        if (!ReadConfigurationText(text, error))
            state.SkipWithError("the text is refused");
}

void ReadAndShowText(benchmark::State& state)
{
    S_Shown shown;
    const QByteArray text = ConfigurationTextOf(*shown.format, shown.value);
    S_JsonError error;
    for (auto _ : state) {
        C_ConfigurationPanes panes;
        C_Configuration value;
        const std::unique_ptr<C_EEPROMFormat> format =
            ShowTextConfiguration(*ReadConfigurationText(text, error), panes, value);
        if (format->FreeSteps() != 400 - Steps)
            state.SkipWithError("the text does not hold every step");
    }
}

BENCHMARK(LoadAndShow)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteText)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadText)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndShowText)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadShowAndBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeAndEncode)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    QFile ids(folder.filePath(QStringLiteral("Ids.lng")));
    if (ids.open(QIODevice::WriteOnly))
        for (int i = 0; i < 278; ++i)
            ids.write("<" + QByteArray::number(i) + ">\n");
    ids.close();
    const C_LanguageManager language(ids.fileName());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
