// The three jobs on a recording printer: pages, their numbers and what they show.
#include "model/Configurationedits.h"
#include "model/Diagnosticlist.h"
#include "model/Imagebytes.h"
#include "model/Labels.h"
#include "model/Nodedata.h"
#include "print/Layoutadapter.h"
#include "print/Layoutmotor.h"
#include "print/Layoutprograms.h"
#include "support/Printfixture.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>

#include <functional>

namespace {

constexpr S_PrintParts Service{true, false, false};
constexpr S_PrintParts Programs{false, true, false};
constexpr S_PrintParts Cycles{false, false, true};
constexpr S_PrintParts AllParts{true, true, true};

const QDateTime SeventhOfDecember(QDate(2026, 12, 7), QTime(9, 5, 3));

struct S_JobCase
{
    const char* m_Name;
    std::vector<int> m_CycleSteps;
    std::vector<int> m_ProgramCycles;
    S_PrintParts m_Parts;
    QStringList m_Pages;
};

class PrintJobsTest : public PrintFixture
{
protected:
    QStringList Print(const S_PrintParts& parts, std::int32_t firstPage = 1)
    {
        m_Target = std::make_unique<C_RecordingTarget>();
        std::int32_t counter = firstPage;
        EXPECT_EQ(RunPrintJobs(*m_Target, Source(), parts, SeventhOfDecember, counter), QString());
        QStringList pages;
        for (const auto& page : m_Target->m_Pages)
            pages << Summary(*page);
        EXPECT_EQ(counter, firstPage + pages.size());
        return pages;
    }

    const S_RecordedPage& Page(size_t index) const { return *m_Target->m_Pages.at(index); }

    std::unique_ptr<C_RecordingTarget> m_Target;
};

// The top-left corner of a recorded text's box.
QPoint TopLeft(const S_RecordedPage::S_Text& text)
{
    return {int(text.m_Baseline.x()), int(text.m_Baseline.y()) - QFontMetrics(text.m_Font).ascent()};
}

} // namespace

TEST_F(PrintJobsTest, PagesAndTheirNumbers)
{
    const std::vector<int> twoEach(9, 2);
    const S_JobCase cases[] = {
        {"cycles of 10 and 30 steps", {10, 30}, {}, Cycles, {"<35>L1:1-10", "<35>L2:1-25", "<35>L3:26-30"}},
        {"25 steps", {25}, {}, Cycles, {"<35>L1:1-25"}},
        {"26 steps", {26}, {}, Cycles, {"<35>L1:1-25", "<35>L2:26-26"}},
        {"a cycle without steps", {0}, {}, Cycles, {"<35>L1:-"}},
        {"no cycles at all", {}, {}, Cycles, {"<35>L1:-"}},
        {"all three parts", {3}, {1, 1}, AllParts, {"<33>P1", "<34>P2", "<35>L3:1-3"}},
        {"nine programs with cycles", {}, twoEach, Programs, {"<34>P1", "<34>P2"}},
        {"nine programs without cycles", {}, std::vector<int>(9, 0), Programs, {"<34>P1", "<34>P2"}},
        // The eighth program's cycles do not start a page of their own.
        {"eight programs with cycles", {}, std::vector<int>(8, 2), Programs, {"<34>P1"}},
        {"no programs", {}, {}, Programs, {"<34>P1"}},
        {"nothing ticked", {5}, {1}, {}, {}},
    };
    for (const S_JobCase& c : cases) {
        SCOPED_TRACE(c.m_Name);
        m_Value.m_Programs.clear();
        m_Value.m_Cycles.clear();
        for (size_t i = 0; i < c.m_CycleSteps.size(); ++i)
            AddCycle(2, int(i) + 1, c.m_CycleSteps[i]);
        for (size_t i = 0; i < c.m_ProgramCycles.size(); ++i)
            AddProgram(int(i) + 1, c.m_ProgramCycles[i]);
        EXPECT_EQ(Print(c.m_Parts), c.m_Pages);
    }
}

TEST_F(PrintJobsTest, EachPartIsADocumentAndNumbersRunOn)
{
    AddCycle(1, 1, 30);
    AddProgram(1, 1);
    EXPECT_EQ(Print(AllParts, 5), (QStringList{"<33>P5", "<34>P6", "<35>L7:1-25", "<35>L8:26-30"}));
    EXPECT_EQ(m_Target->m_Documents, (QStringList{"<33>", "<34>", "<35>"}));

    // Steps counted over begin, break and end: the first refusal stops the jobs.
    const std::pair<int, const char*> refusals[] = {{1, "<33>"}, {2, "<33>"}, {3, "<34>"}, {6, "<35>"}, {7, "<35>"}};
    for (const auto& [step, title] : refusals) {
        C_RecordingTarget target;
        target.m_RefuseStep = step;
        std::int32_t counter = 1;
        EXPECT_EQ(RunPrintJobs(target, Source(), AllParts, SeventhOfDecember, counter), QLatin1String(title)) << step;
    }
}

TEST_F(PrintJobsTest, ServicePageShowsThePanel)
{
    // The counters are the image's, as the panel shows them.
    MemoryImage image = m_Format->Image();
    WriteLittle16(image.data() + 7496, 4660);
    m_Format->LoadImage(QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size())));
    C_DiagnosticList lines;
    m_Value = m_Format->Decode(lines);
    ConfigurationEdit::SetService(m_Value, ServiceParameter::AdvanceEnable, 1);
    ConfigurationEdit::SetService(m_Value, ServiceParameter::MachineEnable, 0);
    ConfigurationEdit::SetMotorTime(m_Value, 1, 1, 255);
    ConfigurationEdit::SetMotorTime(m_Value, 1, 2, 0);
    ConfigurationEdit::SetMotorTime(m_Value, 1, 3, 12);
    Print(Service);
    const S_RecordedPage& page = Page(0);

    for (const char* text :
         {"KW3 Win 2", "config.KWC", "<36> 7.12.2026", "9:05:03", "<37>", "<114>  16", "<94>  4660", "<101>  <38>",
          "<102>  <39>", "<99>  100", "<40>", "<141> 1: <138> <41>, <139> 0, <140> 12", "1"})
        EXPECT_TRUE(page.Has(QLatin1String(text))) << text << "\n" << page.Texts().join(QLatin1Char('|')).toStdString();
    // Maintenance request and hysteresis stay off the paper.
    for (const QString& text : page.Texts())
        EXPECT_FALSE(text.startsWith(QLatin1String("<115>")) || text.startsWith(QLatin1String("<277>")));
    EXPECT_EQ(page.Texts().count(), 2 + 2 + 1 + 13 + 1 + 15 + 1);

    C_RecordingDevice device(A4At300);
    QPainter canvas(&device);
    const C_LayoutAdapter adapter(TMotorLayoutForm::Form, canvas);
    ASSERT_EQ(page.m_Pictures.size(), 1u);
    EXPECT_EQ(page.m_Pictures[0], QRectF(adapter.ControlRect(TMotorLayoutForm::m_OrvexImage)));
    EXPECT_EQ(TopLeft(*page.Find(QStringLiteral("1"))),
              adapter.ControlRect(TMotorLayoutForm::m_PageNumberLabel).topLeft());

    // The time stands at its label in the date's font; a longer date pushes it along.
    const auto* date = page.Find(QStringLiteral("<36> 7.12.2026"));
    const auto* time = page.Find(QStringLiteral("9:05:03"));
    ASSERT_TRUE(date != nullptr && time != nullptr);
    EXPECT_EQ(time->m_Font, date->m_Font);
    EXPECT_EQ(TopLeft(*time), adapter.ControlRect(TMotorLayoutForm::m_PrintTimeLabel).topLeft());

    const C_LanguageManager english(SourceFile(QStringLiteral("resources/English.lng")));
    Print(Service);
    const auto* longDate = Page(0).Find(Text(36) + QStringLiteral(" 7.12.2026"));
    const auto* pushed = Page(0).Find(QStringLiteral("9:05:03"));
    ASSERT_TRUE(longDate != nullptr && pushed != nullptr);
    EXPECT_EQ(TopLeft(*pushed).y(), TopLeft(*longDate).y());
    EXPECT_GE(TopLeft(*pushed).x(),
              TopLeft(*longDate).x() + QFontMetrics(longDate->m_Font).horizontalAdvance(longDate->m_Text));
}

TEST_F(PrintJobsTest, DateAndTimeFormats)
{
    const std::tuple<QDateTime, const char*, const char*> cases[] = {
        {SeventhOfDecember, "7.12.2026", "9:05:03"},
        {QDateTime(QDate(2027, 1, 31), QTime(0, 0, 9)), "31.01.2027", "0:00:09"},
        {QDateTime(QDate(1999, 10, 5), QTime(23, 59, 59)), "5.10.1999", "23:59:59"},
    };
    for (const auto& [time, date, clock] : cases) {
        EXPECT_EQ(PrintDate(time), QLatin1String(date));
        EXPECT_EQ(PrintTime(time), QLatin1String(clock));
    }
}

TEST_F(PrintJobsTest, ProgramsStandInTheirColumns)
{
    for (int number = 1; number <= 9; ++number)
        AddProgram(number, number == 1 ? 2 : 0);
    Print(Programs);
    ASSERT_EQ(m_Target->m_Pages.size(), 2u);

    // A4 at 300 dpi: column 1 at MapX(20), MapY(48); its indent at MapX(30), 12 rows high.
    const int columnLeft = 115, top = 271, indentLeft = 173, pitch = 338 - 271;
    const S_RecordedPage& first = Page(0);
    EXPECT_EQ(TopLeft(*first.Find(QStringLiteral("<145> 1"))), QPoint(columnLeft, top));
    const QStringList cycles{QStringLiteral("<158> 1"), QStringLiteral("<158> 2")};
    for (int j = 1; j <= 2; ++j)
        EXPECT_EQ(TopLeft(first.m_Texts[size_t(first.Texts().indexOf(cycles[j - 1]))]),
                  QPoint(indentLeft, top + j * pitch));
    ASSERT_EQ(first.m_Lines.size(), 4u);
    const int middle = top + 2 * pitch + pitch / 2;
    EXPECT_EQ(first.m_Lines[2], QLineF(indentLeft, middle, columnLeft, middle));
    EXPECT_EQ(first.m_Lines[3], QLineF(columnLeft, middle, columnLeft, top + 2 * pitch - pitch / 2));
    // The first connector starts below the program's text.
    EXPECT_GE(first.m_Lines[1].y2(), top + QFontMetrics(first.m_Texts[2].m_Font).height());

    // The ninth program alone in column 1 of the second page.
    EXPECT_EQ(TopLeft(*Page(1).Find(QStringLiteral("<145> 9"))), QPoint(columnLeft, top));
    EXPECT_EQ(Page(1).Texts(), (QStringList{"<42>", "KW3 Win 2", "<145> 9", "2"}));
}

TEST_F(PrintJobsTest, CyclesPageShowsTheRowsAndSteps)
{
    const std::size_t cycle = AddCycle(3, 4, 2);
    const auto& rows = m_Format->Rows();
    const auto rowOf = [&](RowClass kind) {
        for (size_t r = 0; r < rows.size(); ++r)
            if (rows[r].m_Class == kind)
                return r;
        ADD_FAILURE() << "no such row";
        return size_t(0);
    };
    C_Configuration::Steps steps = *m_Value.m_Cycles[cycle].m_Steps;
    steps[1][rowOf(RowClass::Out)] = 1;
    steps[1][rowOf(RowClass::Time)] = 125;
    steps[1][rowOf(RowClass::Motor)] = 3;
    steps[1][rowOf(RowClass::Number)] = 70;
    ConfigurationEdit::SetSteps(m_Value, cycle, std::move(steps));
    Print(Cycles);
    const S_RecordedPage& page = Page(0);

    QStringList expected{"KW3 Win 2", "<43>", CycleLabel(NodeKind::CycleWord | NodeKind::CategoryBits(3), 4, 2), "<44> 1"};
    for (const auto& row : rows)
        expected << row.GetCaption();
    expected << "1"
             << "2"
             << "ON"
             << "2:05"
             << "70"
             << "<141> 3";
    QStringList texts = page.Texts();
    std::sort(texts.begin() + 4 + qsizetype(rows.size()), texts.end());
    std::sort(expected.begin() + 4 + qsizetype(rows.size()), expected.end());
    EXPECT_EQ(texts, expected);

    // The frame first; then a caption cell per row and a cell per row and step, the
    // separator rows of the steps filled with silver.
    ASSERT_FALSE(page.m_Rects.empty());
    EXPECT_EQ(page.m_Rects[0].m_Pen, QColor(Qt::black));
    const auto silver = std::count_if(page.m_Rects.begin(), page.m_Rects.end(),
                                      [](const auto& r) { return r.m_Brush == QColor(192, 192, 192); });
    const auto separators =
        std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r.m_Class == RowClass::Separator; });
    EXPECT_EQ(silver, 2 * separators);
    const auto grayFrames = std::count_if(page.m_Rects.begin(), page.m_Rects.end(), [](const auto& r) {
        return r.m_Pen == QColor(128, 128, 128) && r.m_Brush == QColor(Qt::white);
    });
    EXPECT_GE(grayFrames, qsizetype(rows.size() + 2 * (rows.size() + 1)));
    // Captions in 8 points, steps in 6 points (300 dpi).
    EXPECT_EQ(page.Find(rows[0].GetCaption())->m_Font.pixelSize(), 33);
    EXPECT_EQ(page.Find(QStringLiteral("2:05"))->m_Font.pixelSize(), 25);
}
