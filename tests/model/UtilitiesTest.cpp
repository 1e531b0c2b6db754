#include "editor/Treenodes.h"
#include "language/Language.h"
#include "model/Cyclecontent.h"
#include "model/Labels.h"
#include "print/Celltext.h"
#include "support/TempFolder.h"

#include <QImage>
#include <QPainter>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// A language file whose every line names its id, so labels show which texts they used.
class UtilitiesTest : public ::testing::Test
{
protected:
    UtilitiesTest()
        : m_Language(m_Folder.WriteIdLanguage())
    {
    }

    TempFolder m_Folder;
    C_LanguageManager m_Language;
};

// Counts the node data objects alive, to prove each is freed exactly once.
int LiveCycleSteps(QTreeWidget& tree)
{
    int steps = 0;
    QTreeWidgetItemIterator it(&tree);
    for (; *it != nullptr; ++it)
        if (C_NodeData* data = NodeData(*it); data != nullptr && data->m_Content)
            steps += data->m_Content->StepCount();
    return steps;
}

} // namespace

TEST_F(UtilitiesTest, NodeLabels)
{
    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::ProgramWord, 3)), QStringLiteral("<145> 3"));
    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::CycleReferenceWord | 0x4000, 12)), QStringLiteral("<159> 12"));

    C_NodeData cycle(NodeKind::CycleWord | 0x4000, 12);
    EXPECT_EQ(NodeLabel(cycle), QStringLiteral("<159> 12 (0<156>"));
    for (int i = 0; i < 7; ++i)
        cycle.m_Content->InsertStep(0);
    EXPECT_EQ(NodeLabel(cycle), QStringLiteral("<159> 12 (7<156>"));

    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::CycleWord, 4)), QStringLiteral("<49> 4 (0<156>"));
    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::CategoryRootWord | 0x20000, 0)), QStringLiteral("<162> "));
    // The first category bit in order decides when several are set.
    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::CycleReferenceWord | 0x8000 | 0x4000, 1)), QStringLiteral("<159> 1"));
}

TEST_F(UtilitiesTest, CategoryNames)
{
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "<157>"},       {0x2000, "<158>"},  {0x4000, "<159>"}, {0x8000, "<160>"},
        {0x10000, "<161>"}, {0x20000, "<162>"}, {0x6000, "<49>"},  {0x40000, "<49>"},
    };
    for (const auto& [bits, name] : cases)
        EXPECT_EQ(CycleCategoryName(bits), QString::fromLatin1(name)) << bits;
}

TEST_F(UtilitiesTest, StepTimes)
{
    EXPECT_EQ(FormatStepTime(0), QStringLiteral("0:00"));
    EXPECT_EQ(FormatStepTime(9), QStringLiteral("0:09"));
    EXPECT_EQ(FormatStepTime(60), QStringLiteral("1:00"));
    EXPECT_EQ(FormatStepTime(125), QStringLiteral("2:05"));
    EXPECT_EQ(FormatStepTime(15555), QStringLiteral("259:15"));
    EXPECT_EQ(FormatStepTime(0xFFFFFFFFu), QStringLiteral("71582788:15"));
}

TEST_F(UtilitiesTest, TreeNodesAreFoundInDisplayOrder)
{
    QTreeWidget tree;
    QTreeWidgetItem* root1 = AddNodeWithData(&tree, nullptr, 3, NodeKind::CategoryRootWord | 0x2000, 0);
    QTreeWidgetItem* root2 = AddNodeWithData(&tree, nullptr, 3, NodeKind::CategoryRootWord | 0x4000, 0);
    QTreeWidgetItem* first = AddNodeWithData(&tree, root1, 2, NodeKind::CycleWord | 0x2000, 5);
    QTreeWidgetItem* twin = AddNodeWithData(&tree, root1, 2, NodeKind::CycleWord | 0x2000, 5);
    QTreeWidgetItem* other = AddNodeWithData(&tree, root2, 2, NodeKind::CycleWord | 0x4000, 5);

    EXPECT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(first->text(0), QStringLiteral("<158> 5 (0<156>"));
    EXPECT_EQ(NodeImage(first), 2);
    EXPECT_EQ(FindChildByNumber(root1, 5), first);
    EXPECT_NE(FindChildByNumber(root1, 5), twin);
    EXPECT_EQ(FindChildByNumber(root1, 6), nullptr);
    EXPECT_EQ(FindNodeByCategoryAndNumber(&tree, 0x2000, 5), first);
    EXPECT_EQ(FindNodeByCategoryAndNumber(&tree, 0x4000, 5), other);
    EXPECT_EQ(FindNodeByCategoryAndNumber(&tree, 0x8000, 5), nullptr);
    // Roots carry number 0, so a cycle number never finds a root.
    EXPECT_EQ(FindNodeByCategoryAndNumber(&tree, 0x2000, 0), root1);
    EXPECT_EQ(FindNodeByCategoryAndNumber(&tree, 0x4000, 1), nullptr);
}

TEST_F(UtilitiesTest, NodeDataGoesWithItsNodeHoweverTheNodeGoes)
{
    // Under the sanitizer build a leak or a double free fails this test.
    auto tree = std::make_unique<QTreeWidget>();
    QTreeWidgetItem* root = AddNodeWithData(tree.get(), nullptr, 3, NodeKind::CategoryRootWord | 0x2000, 0);
    for (int n = 1; n <= 3; ++n) {
        QTreeWidgetItem* cycle = AddNodeWithData(tree.get(), root, 2, NodeKind::CycleWord | 0x2000, n);
        NodeData(cycle)->m_Content->InsertStep(0);
    }
    EXPECT_EQ(LiveCycleSteps(*tree), 6);

    DeleteNodeWithChildren(FindChildByNumber(root, 2));
    EXPECT_EQ(root->childCount(), 2);
    EXPECT_EQ(LiveCycleSteps(*tree), 4);

    QTreeWidgetItem* program = AddNodeWithData(tree.get(), nullptr, 1, NodeKind::ProgramWord, 1);
    AddNodeWithData(tree.get(), program, 0, NodeKind::CycleReferenceWord | 0x2000, 1);
    DeleteNodeWithChildren(program);
    EXPECT_EQ(tree->topLevelItemCount(), 1);

    tree->clear();
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    AddNodeWithData(tree.get(), nullptr, 3, NodeKind::CategoryRootWord | 0x4000, 0);
    tree.reset(); // the window goes with its tree
}

TEST_F(UtilitiesTest, TextNodesHangUnderTheirParent)
{
    QTreeWidget tree;
    auto* heading = new QTreeWidgetItem(&tree, QStringList{QStringLiteral("heading")});
    EXPECT_EQ(AddTextNode(nullptr, QStringLiteral("lost"), 1), nullptr);
    QTreeWidgetItem* line = AddTextNode(heading, QStringLiteral("line"), 3);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->parent(), heading);
    EXPECT_EQ(line->text(0), QStringLiteral("line"));
    EXPECT_EQ(NodeImage(line), 3);
    EXPECT_EQ(NodeData(line), nullptr);
    EXPECT_TRUE(heading->isExpanded());
}

TEST_F(UtilitiesTest, TextIsDrawnCentredOrAtTheLeftEdge)
{
    QImage image(200, 60, QImage::Format_RGB32);
    const auto inkColumns = [&image]() {
        int first = image.width(), last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::make_pair(first, last);
    };
    const auto draw = [&image](bool centred) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(QFont(QStringLiteral("Liberation Sans"), 12));
        const QRect rect(20, 10, 160, 40);
        centred ? DrawTextCentred(painter, rect, QStringLiteral("MMMM"))
                : DrawTextLeft(painter, rect, QStringLiteral("MMMM"));
    };

    draw(true);
    const auto [left, right] = inkColumns();
    ASSERT_LT(left, right);
    EXPECT_NEAR((left + right) / 2.0, 100.0, 3.0);

    draw(false);
    EXPECT_NEAR(inkColumns().first, 20, 3);
}
