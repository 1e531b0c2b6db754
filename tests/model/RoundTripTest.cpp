// For many generated valid configurations of each format: loading and saving
// gives back the step area, program area and motor table as generated, and a
// second load and save gives identical bytes.
#include "document/Configurationtext.h"
#include "fuzz/Formatproperty.h"
#include "model/Configuration.h"
#include "support/Formatfixture.h"

#include <random>
#include <set>

namespace {

class Generator
{
public:
    Generator(const S_TestLayout& layout, unsigned seed)
        : m_Layout(layout)
        , m_Random(seed)
    {
    }

    ImageBuilder Configuration()
    {
        const int outputs = Pick(0, 1) ? 24 : 16;
        ImageBuilder image(m_Layout, outputs);
        for (std::uint8_t& byte : image.Image())
            byte = std::uint8_t(Pick(0, 255));
        image.Set(m_Layout.m_Outputs, {outputs});
        MotorTable(image);
        const std::vector<std::pair<std::pair<int, int>, int>> cycles = Cycles(image, outputs);
        Programs(image, cycles);
        return image;
    }

    // A configuration that fails its checks: its first cycle runs to 255 steps
    // (more than a cycle may hold) or a step ends on nothing.
    ImageBuilder Failing()
    {
        ImageBuilder image = Configuration();
        const int outputs = image.Image()[size_t(m_Layout.m_Outputs)] == 24 ? 24 : 16;
        if (Chance(50)) {
            for (int s = 1; s <= 255; ++s)
                Step(image, s - 1, 1, 1, s, outputs);
        } else {
            image.Set(image.RecordOffset(0) + 10, {255, 255, 255, 255, 255, 255});
        }
        return image;
    }

private:
    int Pick(int min, int max) { return std::uniform_int_distribution<int>(min, max)(m_Random); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    bool Speeds() const { return m_Layout.m_RecordSize == 18; }

    void MotorTable(ImageBuilder& image)
    {
        m_Modes.clear();
        for (int mode = 1; mode <= 15; ++mode) {
            if (Chance(40)) {
                image.Motor(mode - 1, 255, 0, 0, 0);
                continue;
            }
            const int times[] = {Pick(0, 240), Pick(0, 240), Pick(1, 240)};
            image.Motor(mode - 1, mode, times[0], times[1], times[2]);
            m_Modes.push_back(mode);
        }
        image.Motor(15, 255, 0, 0, 0);
    }

    void Step(ImageBuilder& image, int record, int category, int cycle, int step, int outputs)
    {
        const bool standard = m_Layout.m_Code == 0xCAFE;
        const int ends = Pick(0, 2);
        const bool level = ends == 0 || Chance(30);
        const bool temperature = ends == 1 || Chance(30);
        const bool time = ends == 2 || Chance(30);
        const bool limit = (standard && (level || temperature)) || Chance(50);
        const bool motor = !m_Modes.empty() && Chance(60);
        const bool speed = Speeds() && (m_Layout.m_Code == 0xCB90 ? motor : Chance(50));
        int functions = Pick(0, 255) | 0x20;
        if (standard)
            functions &= ~0x02;
        const int speedValue = Pick(0, 998) >= 255 ? Pick(256, 999) : Pick(0, 254);
        const int unusedHigh = m_Layout.m_Code == 0xCB90 ? 255 : 0;
        image.Step(record, category, cycle, step,
                   {{3, Pick(0, 255)},
                    {4, functions},
                    {5, outputs == 24 ? Pick(0, 255) : 0},
                    {6, motor ? m_Modes[size_t(Pick(0, int(m_Modes.size()) - 1))] : 255},
                    {7, Chance(50) ? Pick(2, 93) : 255},
                    {8, Chance(50) ? Pick(0, 100) : 255},
                    {9, Pick(0, 255)},
                    {10, time ? Pick(0, 255) : 255},
                    {11, time ? Pick(0, 59) : 255},
                    {12, limit ? Pick(0, 255) : 255},
                    {13, limit ? Pick(0, 59) : 255},
                    {14, temperature ? Pick(2, 93) : 255},
                    {15, level ? Pick(0, 100) : 255}});
        if (Speeds())
            image.Set(image.RecordOffset(record) + 16,
                      speed ? std::initializer_list<int>{speedValue >> 8, speedValue & 0xFF}
                            : std::initializer_list<int>{unusedHigh, 255});
    }

    // Cycles in category order, each with its steps in order; returns (category, number) and step count.
    std::vector<std::pair<std::pair<int, int>, int>> Cycles(ImageBuilder& image, int outputs)
    {
        std::vector<std::pair<std::pair<int, int>, int>> cycles;
        int budget = Pick(1, m_Layout.m_Records - 1);
        int record = 0;
        for (int category = 1; category <= 5 && budget > 0; ++category) {
            std::set<int> numbers;
            for (int c = Pick(0, 4); c > 0 && budget > 0; --c) {
                int number = Pick(1, 255);
                while (!numbers.insert(number).second)
                    number = Pick(1, 255);
                const int steps = std::min(budget, Pick(1, 60));
                for (int s = 1; s <= steps; ++s)
                    Step(image, record++, category, number, s, outputs);
                budget -= steps;
                cycles.push_back({{category, number}, steps});
            }
        }
        if (cycles.empty()) {
            Step(image, record++, 1, 1, 1, outputs);
            cycles.push_back({{1, 1}, 1});
        }
        for (; record < m_Layout.m_Records; ++record)
            image.Set(image.RecordOffset(record), {255});
        return cycles;
    }

    void Programs(ImageBuilder& image, const std::vector<std::pair<std::pair<int, int>, int>>& cycles)
    {
        const int count = Pick(1, 30);
        std::set<int> numbers;
        for (int p = 0; p < count; ++p) {
            int number = Pick(1, 99);
            while (!numbers.insert(number).second)
                number = Pick(1, 99);
            std::vector<std::pair<int, int>> references;
            int total = 0;
            for (int r = Pick(1, 16); r > 0; --r) {
                const auto& cycle = cycles[size_t(Pick(0, int(cycles.size()) - 1))];
                references.push_back(cycle.first);
                total += cycle.second;
            }
            for (int b = 0; b < 34; ++b)
                image.Image()[size_t(m_Layout.m_Programs + 34 * p + b)] = 255;
            image.Program(p, number, references, total % 256);
        }
        for (int b = 34 * count; b < 34 * 30; ++b)
            image.Image()[size_t(m_Layout.m_Programs + b)] = 255;
    }

    S_TestLayout m_Layout;
    std::mt19937 m_Random;
    std::vector<int> m_Modes;
};

class RoundTripTest : public FormatFixture, public ::testing::WithParamInterface<S_TestLayout>
{
};

std::string LayoutName(const ::testing::TestParamInfo<S_TestLayout>& layout)
{
    return layout.param.m_Name;
}

} // namespace

TEST_P(RoundTripTest, SaveLoadSaveKeepsEveryByte)
{
    const S_TestLayout& layout = GetParam();
    const int programs = layout.m_Programs;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        const ImageBuilder generated = Generator(layout, seed).Configuration();
        Load(generated);
        const QByteArray first = Save();
        ASSERT_EQ(first.size(), layout.m_Size + 2) << "seed " << seed << "\n"
                                                   << Lines().join(QLatin1Char('\n')).toStdString();
        const QByteArray image = generated.OldFile();
        EXPECT_EQ(first.mid(2, programs), image.left(programs)) << "step area, seed " << seed;
        EXPECT_EQ(first.mid(2 + programs, 1020 + 64), image.mid(programs, 1020 + 64))
            << "program area and motor table, seed " << seed;

        LoadBytes(first, QStringLiteral("first.KWC"), layout.m_Code);
        EXPECT_EQ(Save(QStringLiteral("second.KWC")), first) << "seed " << seed;
    }
}

// The value holds everything a save writes or keeps: in a new format that takes
// its image it saves the same bytes, and the file it saved reads back equal.
TEST_P(RoundTripTest, TheConfigurationValueSavesAsTheFileItCameFrom)
{
    const S_TestLayout& layout = GetParam();
    for (unsigned seed = 1; seed <= 4; ++seed) {
        Load(Generator(layout, seed).Configuration());
        const QByteArray first = Save();
        const C_Configuration value = m_Value;

        NewPanes();
        m_Format = C_EEPROMFormat::Create(value.m_FormatCode, value.m_Outputs);
        m_Format->LoadImage(
            QByteArray(reinterpret_cast<const char*>(value.m_Image->data()), qsizetype(value.m_Image->size())));
        m_Format->ReserveSteps(m_Format->FreeSteps() - value.m_FreeSteps);
        m_Value = value;
        EXPECT_EQ(Save(QStringLiteral("again.KWC")), first) << "seed " << seed;
        LoadBytes(first, QStringLiteral("first.KWC"), layout.m_Code);
        EXPECT_TRUE(m_Value == value) << "seed " << seed;
    }
}

// The text form of random images (every byte random first, so the kept bytes are
// many): read back and shown in new panes, it saves the bytes the image saves, and
// it writes itself again unchanged.
TEST_P(RoundTripTest, TheTextFormSavesAsTheImageItCameFrom)
{
    const S_TestLayout& layout = GetParam();
    for (unsigned seed = 11; seed <= 16; ++seed) {
        Load(Generator(layout, seed).Configuration());
        const QByteArray text = ConfigurationTextOf(*m_Format, m_Value);
        const C_Configuration value = m_Value;
        const QByteArray first = Save();
        ASSERT_FALSE(first.isEmpty()) << "seed " << seed;

        S_JsonError error;
        const std::optional<S_TextConfiguration> read = ReadConfigurationText(text, error);
        ASSERT_TRUE(read) << error.Line(QStringLiteral("text")).toStdString();
        LoadText(*read);
        EXPECT_TRUE(m_Value == value) << "seed " << seed;
        EXPECT_EQ(ConfigurationTextOf(*m_Format, m_Value), text) << "seed " << seed;
        EXPECT_EQ(Save(QStringLiteral("from-text.KWC")), first) << "seed " << seed;
    }
}

// A configuration that fails its checks reads back as well (the fuzz property's
// check: the same value and text, and no Save either way), each step in its
// fields, so that one changed step field is one changed line.
TEST_P(RoundTripTest, TheTextFormOfAFailingConfigurationReadsBackAndNamesEachStepField)
{
    const S_TestLayout& layout = GetParam();
    const QByteArray chosen(1, char(layout.m_Code == 0xCAFE ? 0 : layout.m_Code == 0xCB90 ? 1 : 2));
    for (unsigned seed = 21; seed <= 24; ++seed) {
        ImageBuilder image = Generator(layout, seed).Failing();
        const int secondLevel = image.RecordOffset(0) + 8;
        QByteArray texts[2];
        for (const int level : {40, 41}) {
            image.Set(secondLevel, {level});
            EXPECT_EQ(CheckFormatProperty(chosen + '\0' + image.ConfigurationFile(), m_Folder.Path(QString())),
                      QString());
            Load(image);
            EXPECT_TRUE(Save().isEmpty()) << "seed " << seed;
            texts[level - 40] = ConfigurationTextOf(*m_Format, m_Value);
        }
        // The lines between what both texts start and end with, as a diff shows them.
        const QList<QByteArray> before = texts[0].split('\n');
        const QList<QByteArray> after = texts[1].split('\n');
        qsizetype same = 0;
        while (same < before.size() && before[same] == after[same])
            ++same;
        qsizetype end = 0;
        while (end < before.size() - same && before[before.size() - 1 - end] == after[after.size() - 1 - end])
            ++end;
        EXPECT_EQ(before.size() - same - end, 1) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTripTest, ::testing::Values(StandardLayout, InverterLayout, VarnholtLayout),
                         LayoutName);
