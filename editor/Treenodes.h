#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <cstdint>
#include <memory>

#include "model/Nodedata.h"

// A programs-tree or cycles-tree node. It owns its data, so the data goes with
// the node however the node goes (deleted, tree cleared, window destroyed).
class C_DataNode : public QTreeWidgetItem
{
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;

    explicit C_DataNode(std::unique_ptr<C_NodeData> data);

    C_NodeData& Data() const { return *m_Data; }

private:
    std::unique_ptr<C_NodeData> m_Data;
};

// A tree view whose nodes show pictures of its own image list by index.
class C_TreeView : public QTreeWidget
{
public:
    explicit C_TreeView(QWidget* parent = nullptr);

    void SetImages(QList<QIcon> images) { m_Images = std::move(images); }
    QIcon Image(int index) const { return m_Images.value(index); }

private:
    QList<QIcon> m_Images;
};

// The data of a node, or null for a node without data (a diagnostic line).
C_NodeData* NodeData(const QTreeWidgetItem* node);

// Image index of a node: the same index for its normal and selected look.
void SetNodeImage(QTreeWidgetItem* node, int imageIndex);
int NodeImage(const QTreeWidgetItem* node);

C_DataNode* AddNodeWithData(QTreeWidget* tree, QTreeWidgetItem* parent, int imageIndex, std::uint32_t kind,
                            std::int32_t number);
// A node with its label and the picture of tree's image list, in no tree yet: a
// node filled before it joins its tree costs one insertion instead of one change per field.
C_DataNode* NewNodeWithData(const QTreeWidget* tree, int imageIndex, std::uint32_t kind, std::int32_t number);
// A text node with the picture of tree's image list, in no tree yet.
QTreeWidgetItem* NewTextNode(const QTreeWidget* tree, const QString& text, int imageIndex);
QTreeWidgetItem* FindChildByNumber(const QTreeWidgetItem* node, std::int32_t number);
QTreeWidgetItem* FindNodeByCategoryAndNumber(const QTreeWidget* tree, std::uint32_t categoryBits, std::int32_t number);
void DeleteNodeWithChildren(QTreeWidgetItem* node);
QTreeWidgetItem* AddTextNode(QTreeWidgetItem* parent, const QString& text, int imageIndex);
