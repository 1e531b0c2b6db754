// kw3tool diff end to end: one generated difference per kind of place, files
// equal as loaded though their bytes differ, other formats, refusals.
#include "support/Imagebuilder.h"
#include "support/TempFolder.h"
#include "support/Toolpath.h"
#include "support/Toolrun.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Program 1 runs cycles 1/1 and 1/2, program 2 runs 1/2; cycle 1/1 has two steps.
ImageBuilder Base(const S_TestLayout& layout = StandardLayout, int outputs = 16)
{
    ImageBuilder image(layout, outputs);
    image.Step(0, 1, 1, 1, {{3, 0x01}, {10, 0}, {11, 5}})
        .Step(1, 1, 1, 2, {{10, 1}, {11, 0}})
        .Step(2, 1, 2, 1, {{10, 0}, {11, 30}})
        .Program(0, 1, {{1, 1}, {1, 2}})
        .Program(1, 2, {{1, 2}})
        .Motor(0, 1, 10, 0, 20);
    return image;
}

// A line matches when it is the pattern, "*" standing for any text.
bool Matches(const QString& pattern, const QString& line)
{
    const QStringList parts = pattern.split(QLatin1Char('*'));
    if (parts.size() == 1)
        return line == pattern;
    if (!line.startsWith(parts.first()) || !line.endsWith(parts.last()))
        return false;
    qsizetype at = parts.first().size();
    for (qsizetype i = 1; i + 1 < parts.size(); ++i) {
        at = line.indexOf(parts[i], at);
        if (at < 0)
            return false;
        at += parts[i].size();
    }
    return at <= line.size() - parts.last().size();
}

class DiffTest : public ::testing::Test
{
protected:
    DiffTest() { m_Language = m_Folder.WriteIdLanguage(); }

    S_ToolRun Diff(const QStringList& arguments) const
    {
        return RunInFolder(QStringLiteral(KW3TOOL), m_Folder,
                           QStringList{QStringLiteral("--language"), m_Language, QStringLiteral("diff")} + arguments);
    }

    QString Write(const QString& name, const ImageBuilder& image) const
    {
        return m_Folder.Write(name, image.ConfigurationFile());
    }

    // Diffs the base configuration against its copy changed by edit.
    void Expect(const char* name, const std::function<void(ImageBuilder&)>& edit, const QStringList& expected,
                const S_TestLayout& layoutB = StandardLayout, int outputsB = 16) const
    {
        ImageBuilder b = Base(layoutB, outputsB);
        edit(b);
        const S_ToolRun run = Diff({Write(QStringLiteral("a.KWC"), Base()), Write(QStringLiteral("b.KWC"), b)});
        EXPECT_EQ(run.m_Exit, expected.isEmpty() ? 0 : 1) << name << run.m_Err.toStdString();
        EXPECT_EQ(run.m_Err, QString()) << name;
        ASSERT_EQ(run.Lines().size(), expected.size()) << name << "\n"
                                                       << run.Lines().join(QLatin1Char('\n')).toStdString();
        for (qsizetype i = 0; i < expected.size(); ++i)
            EXPECT_TRUE(Matches(expected[i], run.Lines()[i])) << name << ": " << run.Lines()[i].toStdString();
    }

    TempFolder m_Folder;
    QString m_Language;
};

const QString Cycle12 = QStringLiteral(R"({"category": 1, "number": 2, "linked": true})");

} // namespace

TEST_F(DiffTest, OneLinePerPlaceInTheOrderOfTheConfiguration)
{
    const auto none = [](ImageBuilder&) {};
    Expect("same", none, {});
    Expect("service",
           [](ImageBuilder& b) {
               b.Set(7496, {0x34, 0x12}).Set(7510, {0});
           },
           {"service totalWashes: 65535 -> 4660", "service advanceEnable: true -> false"});
    Expect("motor", [](ImageBuilder& b) { b.Motor(0, 1, 10, 0, 25); }, {"motor 1 column 3: 20 -> 25"});
    Expect("program cycle list",
           [](ImageBuilder& b) {
               b.Program(1, 2, {{1, 2}, {1, 1}});
           },
           {"program 2: [" + Cycle12 + "] -> [" + Cycle12 + R"(, {"category": 1, "number": 1, "linked": true}])"});
    Expect("program in B only",
           [](ImageBuilder& b) {
               b.Program(2, 7, {{3, 1}});
           },
           {R"(program 7: - -> [{"category": 3, "number": 1, "linked": false}])"});
    // Gone from B, cycle 1/2 unlinks both programs' references to it.
    Expect("cycle in A only", [](ImageBuilder& b) { b.Set(b.RecordOffset(2), {255}); },
           {"program 1: *" + Cycle12 + "] -> *\"linked\": false}]", "program 2: [" + Cycle12 + "] -> [*false}]",
            "cycle 1/2: [[0, *]] -> -"});
    Expect("cycle in B only",
           [](ImageBuilder& b) {
               b.Step(3, 2, 4, 1, {{10, 0}, {11, 9}});
           },
           {"cycle 2/4: - -> [[0, *, 9, *]]"});
    Expect("step field",
           [](ImageBuilder& b) {
               b.Step(1, 1, 1, 2, {{10, 1}, {11, 7}, {3, 0x02}});
           },
           {"cycle 1/1 step 2 <199>: 0 -> 2", "cycle 1/1 step 2 <224>: 60 -> 67"});
    Expect("step in B only",
           [](ImageBuilder& b) {
               b.Step(3, 1, 2, 2, {{10, 0}, {11, 1}});
           },
           {"cycle 1/2 step 2: - -> [0, *]"});
    Expect("all at once, in order",
           [](ImageBuilder& b) {
               b.Step(3, 1, 2, 2, {{10, 0}, {11, 1}}).Step(4, 2, 4, 1).Step(0, 1, 1, 1, {{3, 0x01}, {10, 0}, {11, 6}});
               b.Program(2, 3, {{1, 1}}).Motor(0, 1, 11, 0, 20).Set(7496, {0, 0});
           },
           {"service totalWashes: *", "motor 1 column 1: *", "program 3: *", "cycle 1/1 step 1 <224>: 5 -> 6",
            "cycle 1/2 step 2: *", "cycle 2/4: *"});
}

TEST_F(DiffTest, BytesTheReaderIgnoresDoNotCount)
{
    // Programs and cycles in other records, the steps count of a program, what
    // follows a program's last cycle, the extra outputs of a 16-output step and a
    // step record out of sequence.
    ImageBuilder b(StandardLayout, 16);
    b.Step(0, 1, 2, 1, {{10, 0}, {11, 30}, {5, 0xFF}})
        .Step(1, 1, 1, 1, {{3, 0x01}, {10, 0}, {11, 5}})
        .Step(2, 1, 1, 2, {{10, 1}, {11, 0}})
        .Step(3, 1, 1, 7)
        .Program(4, 2, {{1, 2}}, 30)
        .Program(9, 1, {{1, 1}, {1, 2}, {255, 3}, {1, 9}}, 3)
        .Motor(0, 1, 10, 0, 20);
    ASSERT_NE(b.Image(), Base().Image());
    const S_ToolRun run = Diff({Write(QStringLiteral("a.KWC"), Base()), Write(QStringLiteral("b.KWC"), b)});
    EXPECT_EQ(run.m_Exit, 0) << run.m_Err.toStdString();
    EXPECT_EQ(run.Lines(), QStringList()) << run.Lines().join(QLatin1Char('\n')).toStdString();

    // --format serves every old file.
    m_Folder.Write(QStringLiteral("a.KW3"), Base().OldFile());
    m_Folder.Write(QStringLiteral("b.kw3"), b.OldFile());
    EXPECT_EQ(Diff({m_Folder.Path(QStringLiteral("a.KW3")), m_Folder.Path(QStringLiteral("b.kw3")),
                    QStringLiteral("--format=standard")})
                  .m_Exit,
              0);
}

TEST_F(DiffTest, OtherFormatsSaySoFirstAndMatchFieldsByCaption)
{
    // With 24 outputs the time row stands eight rows further down.
    Expect(
        "outputs",
        [](ImageBuilder& b) {
            b.Step(1, 1, 1, 2, {{10, 1}, {11, 7}});
        },
        {"format: standard, 16 outputs -> standard, 24 outputs", "cycle 1/1 step 2 <224>: 60 -> 67"}, StandardLayout,
        24);
    // The inverter has a fourth output in byte 4 and other captions for the three before it.
    Expect(
        "format",
        [](ImageBuilder& b) {
            b.Step(1, 1, 1, 2, {{10, 1}, {11, 7}, {4, 0x04}});
        },
        {"format: standard, 16 outputs -> inverter, 16 outputs", "cycle 1/1 step 2 <224>: 60 -> 67"}, InverterLayout);
}

TEST_F(DiffTest, Refusals)
{
    const QString a = Write(QStringLiteral("a.KWC"), Base());
    const QString old = m_Folder.Write(QStringLiteral("o.KW3"), Base().OldFile());
    const QString unknown = m_Folder.Write(QStringLiteral("u.KWC"), QByteArray("\x12\x34rest", 6));
    const QString missing = m_Folder.Path(QStringLiteral("missing.KWC"));
    const QStringList cases[] = {
        {a},
        {a, a, a},
        {a, a, QStringLiteral("--outputs=16")},
        {missing, a},
        {a, missing},
        {a, unknown},
        {a, old},
        {old, a, QStringLiteral("--format"), QStringLiteral("deluxe")},
    };
    for (const QStringList& arguments : cases) {
        const S_ToolRun run = Diff(arguments);
        EXPECT_EQ(run.m_Exit, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.Lines(), QStringList()) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.m_Err.count(QLatin1Char('\n')), 1) << run.m_Err.toStdString();
    }
}
