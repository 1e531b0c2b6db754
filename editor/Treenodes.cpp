#include "editor/Treenodes.h"

#include "model/Labels.h"

#include <QHeaderView>

namespace {

// The image index travels with the node; the tree's own icon column shows it.
constexpr int ImageIndexRole = Qt::UserRole + 1;

QTreeWidgetItem* FindInSubtree(QTreeWidgetItem* node, std::uint32_t categoryBits, std::int32_t number)
{
    if (const C_NodeData* data = NodeData(node);
        data != nullptr && data->m_Number == number && (data->m_Kind & NodeKind::CategoryMask) == categoryBits)
        return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QTreeWidgetItem* found = FindInSubtree(node->child(i), categoryBits, number))
            return found;
    return nullptr;
}

void SetImageOf(const QTreeWidget* tree, QTreeWidgetItem* node, int imageIndex)
{
    node->setData(0, ImageIndexRole, imageIndex);
    if (const auto* view = dynamic_cast<const C_TreeView*>(tree))
        node->setIcon(0, view->Image(imageIndex));
}

} // namespace

C_DataNode::C_DataNode(std::unique_ptr<C_NodeData> data)
    : QTreeWidgetItem(Type)
    , m_Data(std::move(data))
{
}

C_TreeView::C_TreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A long node text widens the column and brings a scroll bar instead of being cut off.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

C_NodeData* NodeData(const QTreeWidgetItem* node)
{
    if (node == nullptr || node->type() != C_DataNode::Type)
        return nullptr;
    return &static_cast<const C_DataNode*>(node)->Data();
}

void SetNodeImage(QTreeWidgetItem* node, int imageIndex)
{
    SetImageOf(node->treeWidget(), node, imageIndex);
}

int NodeImage(const QTreeWidgetItem* node)
{
    return node->data(0, ImageIndexRole).toInt();
}

C_DataNode* NewNodeWithData(const QTreeWidget* tree, int imageIndex, std::uint32_t kind, std::int32_t number)
{
    auto* node = new C_DataNode(std::make_unique<C_NodeData>(kind, number));
    node->setText(0, NodeLabel(node->Data()));
    SetImageOf(tree, node, imageIndex);
    return node;
}

C_DataNode* AddNodeWithData(QTreeWidget* tree, QTreeWidgetItem* parent, int imageIndex, std::uint32_t kind,
                            std::int32_t number)
{
    C_DataNode* node = NewNodeWithData(parent != nullptr ? parent->treeWidget() : tree, imageIndex, kind, number);
    if (parent != nullptr)
        parent->addChild(node);
    else
        tree->addTopLevelItem(node);
    return node;
}

QTreeWidgetItem* NewTextNode(const QTreeWidget* tree, const QString& text, int imageIndex)
{
    auto* node = new QTreeWidgetItem(QStringList{text});
    SetImageOf(tree, node, imageIndex);
    return node;
}

QTreeWidgetItem* FindChildByNumber(const QTreeWidgetItem* node, std::int32_t number)
{
    if (node == nullptr)
        return nullptr;
    for (int i = 0; i < node->childCount(); ++i) {
        const C_NodeData* data = NodeData(node->child(i));
        if (data != nullptr && data->m_Number == number)
            return node->child(i);
    }
    return nullptr;
}

QTreeWidgetItem* FindNodeByCategoryAndNumber(const QTreeWidget* tree, std::uint32_t categoryBits, std::int32_t number)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* found = FindInSubtree(tree->topLevelItem(i), categoryBits, number))
            return found;
    return nullptr;
}

void DeleteNodeWithChildren(QTreeWidgetItem* node)
{
    // Each node owns its data, so deleting the node frees the data of the whole subtree once.
    delete node;
}

QTreeWidgetItem* AddTextNode(QTreeWidgetItem* parent, const QString& text, int imageIndex)
{
    if (parent == nullptr)
        return nullptr;
    QTreeWidgetItem* node = NewTextNode(parent->treeWidget(), text, imageIndex);
    parent->addChild(node);
    parent->setExpanded(true);
    return node;
}
