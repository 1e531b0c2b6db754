// The print dialog: the warning without a configuration, printing into a PDF file
// and the preview.
#include "dialogs/Printitems.h"
#include "support/Printfixture.h"
#include "support/ScriptedMessageBoxes.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>

namespace {

class PrintItemsTest : public PrintFixture
{
protected:
    PrintItemsTest()
    {
        AddCycle(1, 1, 30);
        AddProgram(1, 1);
    }

    // The dialog printing into the file, with the parts ticked.
    void Tick(TPrintItemsForm& dialog, const S_PrintParts& parts, const QString& file)
    {
        dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
        dialog.Printer().setOutputFileName(file);
        dialog.m_ServiceAndMotorCheckBox->setChecked(parts.m_ServiceAndMotor);
        dialog.m_ProgramsCheckBox->setChecked(parts.m_Programs);
        dialog.m_CyclesCheckBox->setChecked(parts.m_Cycles);
    }
};

} // namespace

TEST_F(PrintItemsTest, WarnsWithoutAConfiguration)
{
    ScriptedMessageBoxes boxes;
    PrintConfiguration(nullptr, nullptr, m_Format.get(), QString());
    PrintConfiguration(nullptr, &m_Value, nullptr, QString());
    ASSERT_EQ(boxes.Shown().size(), 2u);
    for (const C_MessageBox::Request& box : boxes.Shown()) {
        EXPECT_EQ(box.text, QStringLiteral("<91>"));
        EXPECT_EQ(box.caption, QStringLiteral("<92>"));
        EXPECT_EQ(box.icon, C_MessageBox::Icon::Warning);
        EXPECT_EQ(box.buttons, C_MessageBox::Buttons::Ok);
    }
}

TEST_F(PrintItemsTest, PrintsIntoOnePdfAndNumbersOn)
{
    ScriptedMessageBoxes boxes;
    TPrintItemsForm dialog(nullptr, Source());
    const QString first = m_Folder.Path(QStringLiteral("first.pdf"));
    Tick(dialog, {false, true, true}, first);
    dialog.m_OKButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(PdfOrientations(first), QStringLiteral("PLL"));
    EXPECT_TRUE(PdfText(first, 3).contains(QLatin1String("<44> 3")));
    EXPECT_EQ(dialog.PageCounter(), 4);

    // Printing again from the same dialog goes on from page 4.
    const QString second = m_Folder.Path(QStringLiteral("second.pdf"));
    Tick(dialog, {true, false, false}, second);
    dialog.StartPrinting();
    EXPECT_EQ(PdfOrientations(second), QStringLiteral("P"));
    EXPECT_TRUE(PdfText(second, 1).split(QLatin1Char('\n')).contains(QStringLiteral("4")));
    EXPECT_EQ(dialog.PageCounter(), 5);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(PrintItemsTest, RefusedFileIsReported)
{
    ScriptedMessageBoxes boxes;
    TPrintItemsForm dialog(nullptr, Source());
    const QString file = m_Folder.Path(QStringLiteral("no/such/folder/out.pdf"));
    Tick(dialog, {true, false, false}, file);
    dialog.StartPrinting();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("<92>"));
    EXPECT_EQ(boxes.Shown()[0].icon, C_MessageBox::Icon::Error);
    EXPECT_TRUE(boxes.Shown()[0].text.contains(QLatin1String("<33>")));
    EXPECT_TRUE(boxes.Shown()[0].text.contains(file));

    // Nothing ticked prints nothing and says nothing.
    boxes.Clear();
    const QString untouched = m_Folder.Path(QStringLiteral("none.pdf"));
    Tick(dialog, {}, untouched);
    dialog.StartPrinting();
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_FALSE(QFileInfo::exists(untouched));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(PrintItemsTest, PreviewShowsThePagesItWillPrint)
{
    TPrintItemsForm dialog(nullptr, Source());
    Tick(dialog, {}, m_Folder.Path(QStringLiteral("never.pdf")));
    QPrintPreviewWidget preview(&dialog.Printer());
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &dialog, &TPrintItemsForm::PaintRequested);
    const std::tuple<S_PrintParts, int, QPageLayout::Orientation> cases[] = {
        {{false, false, true}, 2, QPageLayout::Landscape},
        {{true, true, true}, 4, QPageLayout::Portrait},
        {{true, false, false}, 1, QPageLayout::Portrait},
    };
    for (const auto& [parts, pages, sheets] : cases) {
        Tick(dialog, parts, m_Folder.Path(QStringLiteral("never.pdf")));
        preview.updatePreview();
        EXPECT_EQ(preview.pageCount(), pages);
        EXPECT_EQ(dialog.Printer().pageLayout().orientation(), sheets);
    }
    EXPECT_EQ(dialog.PageCounter(), 1);
    EXPECT_FALSE(QFileInfo::exists(m_Folder.Path(QStringLiteral("never.pdf"))));

    // Among portrait sheets the landscape pages lie turned, whole, on the paper.
    const QString turned = m_Folder.Path(QStringLiteral("turned.pdf"));
    {
        QPdfWriter writer(turned);
        C_PagedTarget target(writer, C_PagedTarget::Documents::OneForAll);
        target.KeepSheets(QPageLayout::Portrait);
        std::int32_t counter = 1;
        EXPECT_EQ(RunPrintJobs(target, Source(), {true, true, true}, QDateTime::currentDateTime(), counter), QString());
    }
    EXPECT_EQ(PdfOrientations(turned), QStringLiteral("PPPP"));
    for (const char* text : {"KW3 Win 2", "<44> 4", "30"})
        EXPECT_TRUE(PdfText(turned, 4).contains(QLatin1String(text))) << text;
}
