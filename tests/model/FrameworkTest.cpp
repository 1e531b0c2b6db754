// What the three formats share: motor table, program area, step budget, the
// step-area frame and the order of the diagnostic lines.
#include "editor/Treenodes.h"
#include "model/Configurationedits.h"
#include "support/Formatfixture.h"

#include <QLineEdit>

namespace {

class FrameworkTest : public FormatFixture, public ::testing::WithParamInterface<S_TestLayout>
{
protected:
    const S_TestLayout& Layout() const { return GetParam(); }

    // Cycles of the given step counts in category 1, numbered from 1, each step ending after 5 s,
    // and one program running all of them.
    ImageBuilder WithCycles(std::vector<int> steps) const
    {
        ImageBuilder image(Layout());
        std::vector<std::pair<int, int>> cycles;
        int record = 0;
        for (size_t c = 0; c < steps.size(); ++c) {
            for (int s = 1; s <= steps[c]; ++s)
                image.Step(record++, 1, int(c) + 1, s, {{10, 0}, {11, 5}});
            cycles.emplace_back(1, int(c) + 1);
        }
        return image.Program(0, 1, cycles);
    }

    QTreeWidgetItem* Program(int index) const { return m_Panes->m_ProgramsTree->topLevelItem(index); }
};

std::string LayoutName(const ::testing::TestParamInfo<S_TestLayout>& layout)
{
    return layout.param.m_Name;
}

} // namespace

TEST_P(FrameworkTest, MotorTableReadNormalisesTheImage)
{
    ImageBuilder image = WithCycles({1});
    image
        .Motor(0, 1, 10, 0, 20)    // a time of 0 is not set
        .Motor(1, 2, 0, 0, 0)      // no time at all: the mode is not used
        .Motor(2, 255, 5, 5, 5)    // not used: left alone
        .Motor(3, 0, 4, 4, 4)      // no grid row
        .Motor(15, 1, 99, 99, 99); // a mode named again keeps its first times
    const C_EEPROMFormat& format = Load(image);
    const int table = Layout().m_Motors;
    const std::vector<int> expected{1, 10, 255, 20, 255, 255, 255, 255, 255, 5, 5, 5, 0, 4, 4, 4};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(format.Image()[size_t(table) + i], expected[i]) << "byte " << i;
    EXPECT_EQ(m_Panes->MotorCell(1, 1), 10);
    EXPECT_EQ(m_Panes->MotorCell(1, 2), 255);
    EXPECT_EQ(m_Panes->MotorCell(1, 3), 20);
    for (int row = 2; row <= 15; ++row)
        for (int column = 1; column <= 3; ++column)
            EXPECT_EQ(m_Panes->MotorCell(row, column), 255) << row << "/" << column;
}

TEST_P(FrameworkTest, MotorGridWrittenAsEntered)
{
    ImageBuilder image = WithCycles({1});
    image.Motor(15, 255, 3, 255, 3); // the sixteenth entry, which no grid row writes
    Load(image);
    ConfigurationEdit::SetMotorTime(m_Value, 2, 2, 1);
    ConfigurationEdit::SetMotorTime(m_Value, 15, 1, 240);
    ConfigurationEdit::SetMotorTime(m_Value, 15, 3, 0);
    const ImageBuilder saved = Saved(Layout());
    for (int entry = 0; entry < 16; ++entry) {
        std::vector<int> expected{255, 0, 0, 0};
        if (entry == 1)
            expected = {2, 0, 1, 0};
        if (entry == 14)
            expected = {15, 240, 0, 0};
        if (entry == 15)
            expected = {255, 3, 0, 3};
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ(saved.At(Layout().m_Motors + 4 * entry + b), expected[size_t(b)]) << entry << "/" << b;
    }
}

TEST_P(FrameworkTest, ProgramsReadAndLinked)
{
    ImageBuilder image = WithCycles({2});
    image.Program(0, 5, {{1, 1}, {2, 3}, {7, 1}}).Program(1, 255, {{1, 1}}).Program(2, 7, {{1, 1}});
    Load(image);
    ASSERT_EQ(m_Panes->m_ProgramsTree->topLevelItemCount(), 2);
    const QTreeWidgetItem* five = Program(0);
    EXPECT_EQ(five->text(0), QStringLiteral("<145> 5"));
    ASSERT_EQ(five->childCount(), 3);
    EXPECT_EQ(NodeData(five->child(0))->m_Link, FindChildByNumber(m_Panes->m_CategoryNodes[1], 1));
    EXPECT_EQ(NodeData(five->child(1))->m_Link, nullptr);
    EXPECT_EQ(NodeData(five->child(1))->m_Kind, 0x202u | 0x4000u);
    EXPECT_EQ(NodeData(five->child(2))->m_Link, nullptr);
    EXPECT_EQ(Program(1)->childCount(), 1);
    EXPECT_TRUE(Lines().contains(QStringLiteral("  [i] <145> 7")));

    // A reference without its cycle cannot be written.
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_EQ(Errors(), QStringList{QStringLiteral("<176>")});
}

TEST_P(FrameworkTest, ProgramAreaWritten)
{
    // 300 steps in all: byte 1 keeps them modulo 256.
    ImageBuilder image = WithCycles({200, 100});
    image.Program(1, 9, {{1, 2}});
    image.Set(Layout().m_Programs + 34 + 4, {255, 7, 1, 1}); // stale bytes past the end of the pairs
    Load(image);
    const ImageBuilder saved = Saved(Layout());
    const int area = Layout().m_Programs;
    const std::vector<int> first{1, 44, 1, 1, 1, 2};
    const std::vector<int> second{9, 100, 1, 2};
    for (int b = 0; b < 34; ++b) {
        EXPECT_EQ(saved.At(area + b), b < 6 ? first[size_t(b)] : 255) << b;
        EXPECT_EQ(saved.At(area + 34 + b), b < 4 ? second[size_t(b)] : 255) << b;
    }
    for (int b = 2 * 34; b < 30 * 34; ++b)
        EXPECT_EQ(saved.At(area + b), 255) << b;
    EXPECT_TRUE(Lines().contains(QStringLiteral("    [i] <177> <158> 2")));
}

TEST_P(FrameworkTest, ProgramChecks)
{
    Load(WithCycles({1}));
    ConfigurationEdit::RemoveProgram(m_Value, 0);
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_EQ(Errors(), QStringList{QStringLiteral("<174>")});

    ConfigurationEdit::AddProgram(m_Value, 3);
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_TRUE(Lines().contains(QStringLiteral("    [!] <175>")));

    // 31 programs do not fit the 30 records.
    Load(WithCycles({1}));
    const C_Configuration::S_Reference cycle{0x202 | 0x2000, 1, true};
    for (int number = 2; number <= 31; ++number)
        ConfigurationEdit::AddProgram(m_Value, number, {cycle});
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_TRUE(Lines().contains(QStringLiteral("  [!] <45>")));
    ConfigurationEdit::RemoveProgram(m_Value, 30);
    EXPECT_FALSE(Save().isEmpty());

    // More than 16 cycles in a program would run into the next record.
    for (int k = 0; k < 16; ++k)
        m_Value.m_Programs[29].m_References.push_back(cycle);
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_EQ(Errors(), QStringList{QStringLiteral("<143> <145> 30")});
}

TEST_P(FrameworkTest, StepBudgetKeepsOneRecordFree)
{
    const int usable = Layout().m_Records - 1;
    Load(WithCycles({200, usable - 200}));
    EXPECT_EQ(m_Panes->m_StepCountEdit->text(), QStringLiteral("1"));
    EXPECT_FALSE(Save().isEmpty());

    C_Configuration::Steps& steps = EditSteps(1, 1);
    steps.insert(steps.begin(), steps.front());
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_EQ(Lines().last(), QStringLiteral("[!] <186>"));

    // An image holding a step in every record loads them all; the budget stops short.
    C_EEPROMFormat& full = Load(WithCycles({200, usable - 199}));
    EXPECT_EQ(int(StepsOf(1, 2).size()), usable - 199);
    EXPECT_EQ(full.ReserveSteps(0), 1);
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_EQ(Errors(), QStringList{QStringLiteral("<186>")});
}

TEST_P(FrameworkTest, ReserveStepsArithmetic)
{
    C_EEPROMFormat& format = Create(Layout(), 16);
    const int records = Layout().m_Records;
    EXPECT_EQ(format.ReserveSteps(0), records);
    EXPECT_EQ(format.ReserveSteps(records - 1), 1);
    EXPECT_EQ(format.ReserveSteps(1), -1);
    EXPECT_EQ(format.ReserveSteps(0), 1);
    EXPECT_EQ(format.ReserveSteps(-10), 11);
    // Giving back more than was taken leaves the whole area free, no more.
    EXPECT_EQ(format.ReserveSteps(-records), records);
}

TEST_P(FrameworkTest, ReaderSkipsRecordsItCannotPlace)
{
    ImageBuilder image(Layout());
    image.Step(0, 1, 1, 1)
        .Step(1, 1, 1, 3) // a gap
        .Step(2, 1, 1, 2)
        .Step(3, 0, 2, 1) // no category
        .Step(4, 6, 2, 1) // no such category
        .Step(5, 2, 4, 0) // step 0
        .Step(6, 2, 4, 2) // a cycle cannot start at step 2
        .Step(7, 1, 1, 2) // step 2 again
        .Step(8, 5, 9, 1);
    Load(image);
    EXPECT_EQ(StepsOf(1, 1).size(), 2u);
    EXPECT_EQ(StepsOf(5, 9).size(), 1u);
    EXPECT_EQ(m_Panes->m_CategoryNodes[2]->childCount(), 0);
    EXPECT_EQ(m_Format->ReserveSteps(0), Layout().m_Records - 3);
    EXPECT_EQ(FindChildByNumber(m_Panes->m_CategoryNodes[1], 1)->text(0), QStringLiteral("<158> 1 (2<156>"));
}

TEST_P(FrameworkTest, CyclesThatCannotBeWritten)
{
    Load(WithCycles({1}));
    ConfigurationEdit::AddCycle(m_Value, 2, 3);
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_EQ(Errors(), QStringList{QStringLiteral("<159> 3 (0<156><184>")});

    // A cycle number must fit its byte (renamed with the program's reference to it).
    Load(WithCycles({1}));
    ConfigurationEdit::RenumberCycle(m_Value, CycleIndex(1, 1), 256);
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_EQ(Errors(), QStringList{QStringLiteral("<158> 256 (1<156><46>")});

    // 255 steps: the step number would read as not used.
    Load(WithCycles({255}));
    EXPECT_EQ(int(StepsOf(1, 1).size()), Layout().m_Code == 0xCB90 ? 254 : 255);
    C_Configuration::Steps& steps = EditSteps(1, 1);
    steps.insert(steps.begin(), steps.front());
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors().first().endsWith(QLatin1String("<46>")));
}

TEST_P(FrameworkTest, DiagnosticLinesInTheirOrder)
{
    ImageBuilder image = WithCycles({2});
    image.Step(2, 1, 2, 1, {{3, 1}});
    image.Program(0, 1, {{1, 1}, {1, 2}});
    Load(image);
    const QString created = Layout().m_Code == 0xCAFE ? QStringLiteral("[i] <227>|") : QString();
    EXPECT_EQ(Lines().join(QLatin1Char('|')),
              QStringLiteral("[=] <197>|") + created + created + QStringLiteral("[=] <196>|  [i] <145> 1"));
    EXPECT_TRUE(Save().isEmpty());
    const QString service = Layout().m_Code == 0xCAFE ? QStringLiteral("[=] <191>|") : QString();
    EXPECT_EQ(Lines().join(QLatin1Char('|')),
              QStringLiteral("[=] <181> ") + m_Folder.Path(QStringLiteral("out.KWC")) + QStringLiteral("|") + service +
                  QStringLiteral("[=] <178>|[=] <173>|  [i] <145> 1|    [i] <177> <158> 1|    [i] <177> <158> 2|"
                                 "[=] <183>|  [i] <158> 1 (2<156>|    [i] 2<185>|  [i] <158> 2 (1<156>|"
                                 "    [i] 1<185>|    [!] <187> 1<188>"));
}

INSTANTIATE_TEST_SUITE_P(Formats, FrameworkTest, ::testing::Values(StandardLayout, InverterLayout, VarnholtLayout),
                         LayoutName);
