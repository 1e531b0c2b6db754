#include "GlosserFixture.h"
#include "glosser/Searchwindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using GlosserSearchReplaceTest = GlosserWindowTest;

namespace {

QPushButton* Button(TSearchWindow* window, const char* name)
{
    return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

void Type(TSearchWindow* window, const char* field, const QString& text)
{
    window->findChild<QLineEdit*>(QString::fromLatin1(field))->setText(text);
}

} // namespace

TEST_F(GlosserSearchReplaceTest, SearchIsCaseSensitiveRunsDownwardsAndStartsOverWithEachCommand)
{
    SetCell(0, QStringLiteral("xab"));
    SetCell(1, QStringLiteral("ab"));
    SetCell(2, QStringLiteral("AB"));
    auto* find = form->findChild<TSearchWindow*>(QStringLiteral("m_FindDialog"));
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->findChildren<QCheckBox*>().isEmpty());
    EXPECT_TRUE(find->findChildren<QRadioButton*>().isEmpty());

    Trigger("SearchAction");
    EXPECT_TRUE(find->isVisible());
    EXPECT_FALSE(find->isModal());
    EXPECT_FALSE(Button(find, "m_FindNextButton")->isEnabled()) << "nothing to search for yet";
    Type(find, "m_FindEdit", QStringLiteral("ab"));

    const int expectedRows[] = {0, 1};
    for (const int row : expectedRows) {
        Button(find, "m_FindNextButton")->click();
        EXPECT_EQ(grid->currentRow(), row);
        EXPECT_EQ(grid->currentColumn(), 2);
        EXPECT_EQ(form->SearchPosition(), row + 1);
    }
    EXPECT_TRUE(boxes.Shown().empty());
    Button(find, "m_FindNextButton")->click();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("No more instances"));
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("String search"));
    EXPECT_EQ(boxes.Shown()[0].icon, C_MessageBox::Icon::Information);
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(grid->currentRow(), 1) << "the last hit stays selected";

    Trigger("SearchAction");
    EXPECT_EQ(form->SearchPosition(), 0);
    Button(find, "m_FindNextButton")->click();
    EXPECT_EQ(grid->currentRow(), 0);
}

TEST_F(GlosserSearchReplaceTest, ReplaceStaysInTheRowUntilItHoldsNoMoreOccurrences)
{
    FillAll(QStringLiteral("x"));
    SetCell(0, QStringLiteral("aaa"));
    SetCell(3, QStringLiteral("xa"));
    // Were a replacement searched again, a by aa would grow the row for ever.
    SetCell(5, QStringLiteral("a"));
    auto* replace = form->findChild<TSearchWindow*>(QStringLiteral("m_ReplaceDialog"));
    ASSERT_NE(replace, nullptr);
    EXPECT_TRUE(replace->findChildren<QCheckBox*>().isEmpty());
    Trigger("ReplaceAction");
    EXPECT_TRUE(replace->isVisible());
    EXPECT_FALSE(Button(replace, "m_ReplaceButton")->isEnabled());
    EXPECT_FALSE(Button(replace, "m_FindNextButton")->isEnabled());
    Type(replace, "m_FindEdit", QStringLiteral("a"));
    Type(replace, "m_ReplaceEdit", QStringLiteral("b"));

    struct Press
    {
        int row;
        const char* text;
    };
    const Press presses[] = {{0, "baa"}, {0, "bba"}, {0, "bbb"}, {3, "xb"}};
    for (const Press& press : presses) {
        SCOPED_TRACE(press.text);
        Button(replace, "m_ReplaceButton")->click();
        EXPECT_EQ(Cell(press.row), QString::fromLatin1(press.text));
        EXPECT_EQ(grid->currentRow(), press.row);
        EXPECT_EQ(form->SearchPosition(), press.row);
    }
    EXPECT_TRUE(form->IsModified());

    Type(replace, "m_ReplaceEdit", QStringLiteral("aa"));
    Button(replace, "m_ReplaceButton")->click();
    EXPECT_EQ(Cell(5), QStringLiteral("aa"));
    EXPECT_TRUE(boxes.Shown().empty());
    Button(replace, "m_ReplaceButton")->click();
    EXPECT_EQ(Cell(5), QStringLiteral("aa")) << "the replacement is not searched again";
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("No more instances"));
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("String replace"));
    EXPECT_FALSE(replace->isVisible());
}

TEST_F(GlosserSearchReplaceTest, ReplaceAllReplacesEveryOccurrenceFromTheSearchPosition)
{
    SetCell(0, QStringLiteral("abab"));
    SetCell(4, QStringLiteral("xaby"));
    SetCell(277, QStringLiteral("ab"));
    auto* replace = form->findChild<TSearchWindow*>(QStringLiteral("m_ReplaceDialog"));
    Trigger("ReplaceAction");
    Type(replace, "m_FindEdit", QStringLiteral("ab"));
    Type(replace, "m_ReplaceEdit", QStringLiteral("ab!"));
    Button(replace, "m_ReplaceAllButton")->click();
    EXPECT_EQ(Cell(0), QStringLiteral("ab!ab!"));
    EXPECT_EQ(Cell(4), QStringLiteral("xab!y"));
    EXPECT_EQ(Cell(277), QStringLiteral("ab!"));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("String replace"));
    EXPECT_FALSE(replace->isVisible());
}

TEST_F(GlosserSearchReplaceTest, SearchSeesTheTextStillBeingTyped)
{
    form->show();
    grid->setCurrentCell(7, 2);
    grid->editItem(grid->item(7, 2));
    ASSERT_NE(grid->CellEditor(), nullptr);
    grid->CellEditor()->setText(QStringLiteral("typed a"));
    auto* replace = form->findChild<TSearchWindow*>(QStringLiteral("m_ReplaceDialog"));
    Trigger("ReplaceAction");
    Type(replace, "m_FindEdit", QStringLiteral("a"));
    Type(replace, "m_ReplaceEdit", QStringLiteral("b"));
    Button(replace, "m_ReplaceButton")->click();
    EXPECT_EQ(Cell(7), QStringLiteral("typed b"));
    EXPECT_EQ(grid->CellEditor(), nullptr) << "a later commit cannot undo the replacement";
}
