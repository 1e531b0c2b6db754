// The Compare window: differences of two open windows or a window and a file,
// selecting one selects it in the windows.
#include "editor/Compareform.h"
#include "desktop/Filechooser.h"
#include "editor/Mdichild.h"
#include "editor/Rowproperties.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "model/Eepromformat.h"
#include "settings/Context.h"
#include "support/Imagebuilder.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CompareFormTest : public ::testing::Test
{
protected:
    std::unique_ptr<TFormMDIChild> Open(const QString& name, const ImageBuilder& image)
    {
        auto window = std::make_unique<TFormMDIChild>(m_Context);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        const QString path = m_Folder.Write(name, image.ConfigurationFile());
        window->SetPath(path);
        window->LoadConfiguration(path, image.Layout().m_Code);
        window->resize(1200, 800);
        window->show();
        return window;
    }

    static QStringList Lines(const TCompareForm& form)
    {
        QStringList lines;
        for (const S_Difference& difference : form.Differences())
            lines << difference.Line();
        return lines;
    }

    TempFolder m_Folder;
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
    C_Context m_Context;
    ScriptedMessageBoxes m_Boxes;
};

} // namespace

TEST_F(CompareFormTest, SelectingADifferenceSelectsItsPlaceInBothWindows)
{
    ImageBuilder a(StandardLayout, 16);
    a.Step(0, 1, 1, 1, {{10, 0}, {11, 5}}).Step(1, 1, 1, 2, {{10, 1}, {11, 0}}).Program(0, 1, {{1, 1}});
    // B has 24 outputs, so its time row lies lower, and a second program.
    ImageBuilder b(StandardLayout, 24);
    b.Step(0, 1, 1, 1, {{10, 0}, {11, 5}}).Step(1, 1, 1, 2, {{10, 1}, {11, 9}}).Program(0, 1, {{1, 1}});
    b.Program(1, 2, {{1, 1}});
    std::unique_ptr<TFormMDIChild> windowA = Open(QStringLiteral("a.KWC"), a);
    std::unique_ptr<TFormMDIChild> windowB = Open(QStringLiteral("b.KWC"), b);

    auto* form = new TCompareForm(*windowA, {windowA.get(), windowB.get()});
    const QPointer<TCompareForm> alive(form);
    ASSERT_EQ(form->m_OthersBox->count(), 1);
    const QStringList expected{QStringLiteral("format: Standard, 16 outputs -> Standard, 24 outputs"),
                               QStringLiteral(R"(program 2: - -> [{"category": 1, "number": 1, "linked": true}])"),
                               QStringLiteral("cycle 1/1 step 2 ") + windowA->Format()->Rows()[19].m_Caption +
                                   QStringLiteral(": 60 -> 69")};
    ASSERT_EQ(Lines(*form), expected);
    ASSERT_EQ(form->m_Table->rowCount(), 3);
    EXPECT_EQ(form->m_Table->item(2, 2)->text(), QStringLiteral("69"));

    form->m_Table->setCurrentCell(2, 0);
    const int timeA = windowA->Format()->RowOf(StepRole::Time);
    const int timeB = windowB->Format()->RowOf(StepRole::Time);
    ASSERT_EQ(timeA, 19);
    ASSERT_EQ(timeB, timeA + 8);
    for (const auto& [window, row] : {std::pair{windowA.get(), timeA}, std::pair{windowB.get(), timeB}}) {
        EXPECT_EQ(window->m_CyclesTree->currentItem(), window->m_CategoryNodes[1]->child(0));
        EXPECT_EQ(window->DisplayedCycle(), window->m_CategoryNodes[1]->child(0));
        EXPECT_EQ(window->m_StepsGrid->currentRow(), row + 1);
        EXPECT_EQ(window->m_StepsGrid->currentColumn(), 2);
    }
    form->m_Table->setCurrentCell(1, 0);
    EXPECT_EQ(NodeData(windowB->m_ProgramsTree->currentItem())->m_Number, 2);

    // The same differences with B read from its file; a file that is not there is refused.
    C_FileChooser::SetHandler([&windowB](const C_FileChooser::Request&) { return windowB->Path(); });
    EXPECT_TRUE(form->CompareWithChosenFile());
    EXPECT_EQ(Lines(*form), expected);
    C_FileChooser::SetHandler([this](const C_FileChooser::Request&) { return m_Folder.Path(QStringLiteral("x.KWC")); });
    EXPECT_FALSE(form->CompareWithChosenFile());
    EXPECT_EQ(m_Boxes.Shown().size(), 1u);
    C_FileChooser::SetHandler({});

    // Window B going leaves no entry for it; window A going closes the form.
    windowB.reset();
    EXPECT_EQ(form->m_OthersBox->count(), 0);
    EXPECT_FALSE(form->m_CompareButton->isEnabled());
    windowA.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST_F(CompareFormTest, TakeThisCopiesFromBIntoAAsOneUndoStepAndTheListFollows)
{
    ImageBuilder a(StandardLayout, 16);
    a.Step(0, 1, 1, 1, {{10, 0}, {11, 5}}).Step(1, 1, 1, 2, {{10, 1}, {11, 0}}).Program(0, 1, {{1, 1}});
    // B, of 24 outputs: another time in step 2, and a program 2 running a cycle A lacks.
    ImageBuilder b(StandardLayout, 24);
    b.Step(0, 1, 1, 1, {{10, 0}, {11, 5}}).Step(1, 1, 1, 2, {{10, 1}, {11, 9}}).Step(2, 1, 2, 1, {{10, 0}, {11, 3}});
    b.Program(0, 1, {{1, 1}}).Program(1, 2, {{1, 2}});
    std::unique_ptr<TFormMDIChild> windowA = Open(QStringLiteral("a.KWC"), a);
    std::unique_ptr<TFormMDIChild> windowB = Open(QStringLiteral("b.KWC"), b);
    auto* form = new TCompareForm(*windowA, {windowA.get(), windowB.get()});
    const QStringList before = Lines(*form);
    ASSERT_EQ(before.size(), 4) << before.join(QLatin1Char('\n')).toStdString();

    // The format cannot be taken; the step field can.
    form->m_Table->setCurrentCell(0, 0);
    EXPECT_FALSE(form->m_TakeButton->isEnabled());
    const int field = int(before.indexOf(QRegularExpression(QStringLiteral("^cycle 1/1 step 2 .*: 60 -> 69$"))));
    ASSERT_GE(field, 0);
    // Places and cycle lists in the words of the language.
    const QString prewash = Text(158);
    EXPECT_TRUE(form->m_Table->item(field, 0)->text().startsWith(prewash + QStringLiteral(" 1, "))) << field;
    EXPECT_EQ(form->m_Table->item(1, 2)->text(), prewash + QStringLiteral(" 2"));
    form->m_Table->setCurrentCell(field, 0);
    ASSERT_TRUE(form->m_TakeButton->isEnabled());
    form->m_TakeButton->click();
    EXPECT_EQ(windowA->History().count(), 1);
    EXPECT_EQ(Lines(*form).size(), 3);
    EXPECT_FALSE(Lines(*form).join(QLatin1Char('\n')).contains(QStringLiteral("60 -> 69")));

    // Program 2 brings the cycle it runs, under its own number; B's window keeps its value.
    const int program = int(Lines(*form).indexOf(QRegularExpression(QStringLiteral("^program 2: .*"))));
    ASSERT_GE(program, 0) << Lines(*form).join(QLatin1Char('\n')).toStdString();
    const C_Configuration valueB = windowB->Current();
    EXPECT_TRUE(form->TakeDifference(program));
    EXPECT_EQ(windowA->History().count(), 2);
    EXPECT_EQ(Lines(*form), QStringList{before.first()});
    EXPECT_EQ(windowA->Current().m_Programs.size(), 2u);
    ASSERT_TRUE(windowA->Current().FindCycle(1, 2));
    EXPECT_TRUE(windowA->Current().m_Programs[1].m_References[0].m_Linked);
    EXPECT_EQ(windowB->Current(), valueB);
    EXPECT_TRUE(m_Boxes.Shown().empty());

    // Undo takes each back, and the list shows their differences again.
    windowA->History().undo();
    windowA->History().undo();
    EXPECT_EQ(Lines(*form), before);
    EXPECT_FALSE(windowA->Current().FindCycle(1, 2));
}
