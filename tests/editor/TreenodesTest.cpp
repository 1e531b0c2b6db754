#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "support/Idlanguagetest.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TreeNodesTest : public IdLanguageTest
{
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

TEST_F(TreeNodesTest, TreeNodesAreFoundInDisplayOrder)
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

TEST_F(TreeNodesTest, NodeDataGoesWithItsNodeHoweverTheNodeGoes)
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

TEST_F(TreeNodesTest, TextNodesHangUnderTheirParent)
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
