// Copy to clipboard and Paste from clipboard between two windows of other output counts,
// a drag, and the library.
#include "document/Fragmentlibrary.h"
#include "editor/Libraryform.h"
#include "editor/Librarysave.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "support/Sampleconfiguration.h"
#include "support/Windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUndoStack>

TEST_F(WindowTest, AProgramPastedIntoFewerOutputsSaysWhatItLeavesOutAndIsOneUndoStep)
{
    TFormMDIChild wide(m_Context);
    wide.BindFormat(C_EEPROMFormat::Create(FormatCode::Standard, 24));
    FillSampleConfiguration(wide, {3, 4}, 2);
    FillSampleConfiguration(Window(), {2}, 1);
    const auto copyFrom = [](TFormMDIChild& window, QWidget* pane) {
        QApplication::setActiveWindow(&window);
        pane->setFocus();
        window.m_CopyToClipboardAction->trigger();
    };
    const auto pasteInto = [this](QWidget* pane) {
        QApplication::setActiveWindow(&Window());
        pane->setFocus();
        Window().m_PasteFromClipboardAction->trigger();
    };

    wide.m_ProgramsTree->setCurrentItem(wide.m_ProgramsTree->topLevelItem(1));
    copyFrom(wide, wide.m_ProgramsTree);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied->hasFormat(QStringLiteral("application/x-kw3win-fragment+json")));
    EXPECT_TRUE(copied->text().contains(QStringLiteral("\"number\": 2")));

    // Cancelled at the preview: nothing changes.
    const C_Configuration before = Window().Configuration();
    m_Boxes.Queue(C_MessageBox::Answer::Cancel);
    pasteInto(Window().m_ProgramsTree);
    ASSERT_EQ(m_Boxes.Shown().size(), 1u);
    EXPECT_TRUE(m_Boxes.Shown()[0].text.contains(Text(Msg::PasteNoField) + QStringLiteral(" output17")))
        << m_Boxes.Shown()[0].text.toStdString();
    EXPECT_TRUE(Window().Configuration() == before);

    m_Boxes.Queue(C_MessageBox::Answer::Ok);
    pasteInto(Window().m_ProgramsTree);
    const C_Configuration pasted = Window().Configuration();
    ASSERT_EQ(pasted.m_Programs.size(), 2u);
    EXPECT_EQ(pasted.m_Programs[1].m_Number, 2);
    EXPECT_EQ(pasted.m_Programs[1].m_References.size(), 2u) << "the program runs both its cycles";
    EXPECT_EQ(pasted.m_Cycles.size(), 3u);
    EXPECT_EQ(Window().m_ProgramsTree->currentItem(), Window().m_ProgramsTree->topLevelItem(1));
    Window().History().undo();
    EXPECT_TRUE(Window().Configuration() == before);
    Window().History().redo();

    // A step goes before the cursor of the cycle shown; text that is not a fragment changes nothing.
    wide.m_CyclesTree->setCurrentItem(wide.m_CategoryNodes[1]->child(0));
    wide.m_StepsGrid->setCurrentCell(1, 2);
    copyFrom(wide, wide.m_StepsGrid);
    Window().m_CyclesTree->setCurrentItem(Window().m_CategoryNodes[1]->child(0));
    SetStepCursor(1, 1);
    m_Boxes.Clear();
    m_Boxes.Queue(C_MessageBox::Answer::Ok);
    pasteInto(Window().m_StepsGrid);
    const C_Configuration::Steps& steps = *Window().Current().m_Cycles[0].m_Steps;
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[1], (*pasted.m_Cycles[0].m_Steps)[0]);
    const C_Configuration withStep = Window().Configuration();
    QApplication::clipboard()->setText(QStringLiteral("wash 60 min"));
    m_Boxes.Clear();
    pasteInto(Window().m_ProgramsTree);
    ASSERT_EQ(m_Boxes.Shown().size(), 1u);
    EXPECT_TRUE(m_Boxes.Shown()[0].text.startsWith(Text(Msg::ClipboardNoFragment)));
    EXPECT_TRUE(Window().Configuration() == withStep);

    // A program pasted where its cycles are already: asked, it runs them and adds no steps.
    Window().m_ProgramsTree->setCurrentItem(Window().m_ProgramsTree->topLevelItem(0));
    copyFrom(Window(), Window().m_ProgramsTree);
    m_Boxes.Clear();
    m_Boxes.Queue(C_MessageBox::Answer::Yes);
    pasteInto(Window().m_ProgramsTree);
    ASSERT_EQ(m_Boxes.Shown().size(), 1u);
    EXPECT_EQ(m_Boxes.Shown()[0].text, Text(Msg::PasteReuseQuestion));
    EXPECT_EQ(Window().Configuration().m_Programs.size(), 3u);
    EXPECT_EQ(Window().Configuration().m_FreeSteps, withStep.m_FreeSteps);
}

// A cycle dropped from another window on a category pastes there, as one undo step;
// a drag that comes from the window itself is the link gesture's, not a paste.
TEST_F(WindowTest, ACycleDroppedFromAnotherWindowIsPastedIntoTheCategoryUnderIt)
{
    TFormMDIChild other(m_Context);
    other.BindFormat(C_EEPROMFormat::Create(FormatCode::Standard, 16));
    FillSampleConfiguration(other, {3}, 1);
    FillSampleConfiguration(Window(), {2}, 1);
    const C_Configuration before = Window().Configuration();
    QMimeData mime;
    mime.setData(QStringLiteral("application/x-kw3win-fragment+json"),
                 FragmentText(CycleFragment(other.Configuration(), 0)));
    QWidget* viewport = Window().m_CyclesTree->viewport();
    const QPoint rinse = Window().m_CyclesTree->visualItemRect(Window().m_CategoryNodes[3]).center();
    const auto drop = [&](const QByteArray& from) {
        mime.setData(QStringLiteral("application/x-kw3win-window"), from);
        QDragEnterEvent enter(rinse, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDropEvent dropped(QPointF(rinse), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &dropped);
        QCoreApplication::processEvents();
        return enter.isAccepted();
    };
    EXPECT_FALSE(drop(QByteArray::number(quintptr(&Window()))));
    EXPECT_TRUE(Window().Configuration() == before);
    EXPECT_TRUE(drop(QByteArray::number(quintptr(&other))));
    const C_Configuration after = Window().Configuration();
    ASSERT_EQ(after.m_Cycles.size(), 2u);
    EXPECT_EQ(after.m_Cycles[1].Category(), 3);
    EXPECT_EQ(after.m_Cycles[1].m_Steps->size(), 3u);
    Window().History().undo();
    EXPECT_TRUE(Window().Configuration() == before);
}

// A program kept in the library lists with its format and running time beside
// damaged files, is found by its description and inserts into another format.
TEST_F(WindowTest, TheLibraryListsDamagedFilesAndInsertsWhatTheSearchFinds)
{
    FillSampleConfiguration(Window(), {3, 4}, 2);
    Window().m_ProgramsTree->setCurrentItem(Window().m_ProgramsTree->topLevelItem(1));
    Window().m_ProgramsTree->setFocus();
    QApplication::setActiveWindow(&Window());
    TLibrarySaveDialog::SetHandler([](const S_LibraryNaming& proposal) {
        EXPECT_EQ(proposal.m_Name, ProgramLabel(2));
        return S_LibraryNaming{QStringLiteral(" Delicate/40 "), QStringLiteral("Gentle\nfor wool")};
    });
    Window().m_SaveToLibraryAction->trigger();
    TLibrarySaveDialog::SetHandler({});
    const C_FragmentLibrary library(C_FragmentLibrary::DefaultFolder());
    ASSERT_TRUE(QFileInfo::exists(library.PathFor(QStringLiteral("Delicate/40"))));
    EXPECT_TRUE(library.PathFor(QStringLiteral("Delicate/40")).endsWith(QStringLiteral("/Delicate-40.json")));
    m_Folder.Write(QStringLiteral("data/kw3win/library/broken.json"), R"({"kw3winConfiguration": 1, "format")");
    m_Folder.Write(QStringLiteral("data/kw3win/library/newer.json"),
                   R"({"kw3winConfiguration": 9, "format": "standard", "outputs": 16})");

    TFormMDIChild target(m_Context);
    target.BindFormat(C_EEPROMFormat::Create(FormatCode::Inverter, 16));
    FillSampleConfiguration(target, {2}, 1);
    TLibraryForm form(library, [&target] { return &target; });
    ASSERT_EQ(form.Entries().size(), 3u);
    EXPECT_TRUE(form.Entries()[0].m_Damage.startsWith(QStringLiteral("broken.json:1:")));
    EXPECT_TRUE(form.Entries()[2].m_Damage.contains(QStringLiteral("version 9")));
    EXPECT_TRUE(form.m_List->topLevelItem(2)->text(3).startsWith(Text(Msg::LibraryDamaged)));
    const QTreeWidgetItem* kept = form.m_List->topLevelItem(1);
    EXPECT_EQ(kept->text(0), QStringLiteral("Delicate/40"));
    EXPECT_EQ(kept->text(1), FormatWithOutputs(FormatCode::Standard, 16));
    const C_Configuration& source = Window().Current();
    EXPECT_EQ(kept->text(2),
              DurationText(C_ProgramTiming(Window().Format()->RowLayout()).Program(source, source.m_Programs[1])));

    form.m_List->setCurrentItem(form.m_List->topLevelItem(0));
    EXPECT_FALSE(form.m_InsertButton->isEnabled());
    form.m_Search->setText(QStringLiteral("WOOL"));
    EXPECT_TRUE(form.m_List->topLevelItem(0)->isHidden());
    EXPECT_FALSE(kept->isHidden());
    ASSERT_TRUE(form.m_InsertButton->isEnabled());
    const C_Configuration before = target.Configuration();
    form.m_InsertButton->click();
    EXPECT_TRUE(m_Boxes.Shown().empty());
    EXPECT_EQ(target.History().count(), 1);
    EXPECT_EQ(target.Configuration().m_Programs.size(), 2u);
    target.History().undo();
    EXPECT_TRUE(target.Configuration() == before);
}
