#include "model/Utilities.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Cyclecontent.h"
#include "model/Fileheader.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QTreeWidget>

namespace {

// The image index travels with the node; the tree's own icon column shows it.
constexpr int ImageIndexRole = Qt::UserRole + 1;

std::int16_t CategoryNameId(std::uint32_t categoryBits)
{
    switch (categoryBits) {
    case 0: return 157;
    case 0x2000: return 158;
    case 0x4000: return 159;
    case 0x8000: return 160;
    case 0x10000: return 161;
    case 0x20000: return 162;
    default: return 49;
    }
}

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

// Top-left corner of a text placed as the drawing helpers place it.
QPoint TextOrigin(const QPainter& canvas, const QRect& rect, const QString& text, bool centred)
{
    const QFontMetrics metrics(canvas.font());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const int left = rect.left();
    const int right = rect.left() + rect.width();
    const int top = rect.top();
    const int bottom = rect.top() + rect.height();
    const int x = centred ? left + (right - left) / 2 - w / 2 : left;
    const int y = top + (bottom - top) / 2 - h / 2;
    return {x, y};
}

void DrawTextAt(QPainter& canvas, const QPoint& topLeft, const QString& text)
{
    const QFontMetrics metrics(canvas.font());
    canvas.drawText(topLeft.x(), topLeft.y() + metrics.ascent(), text);
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

QString NodeLabel(const C_NodeData& data)
{
    if (data.m_Kind & NodeKind::Program)
        return ProgramLabel(data.m_Number);
    if (data.m_Kind & NodeKind::Group)
        return CategoryLabel(data.m_Kind);
    if (data.m_Kind & NodeKind::CycleReference)
        return CycleName(data.m_Kind, data.m_Number);
    return CycleLabel(data.m_Kind, data.m_Number, data.m_Content ? int(data.m_Content->StepCount()) - 1 : 0);
}

QString ProgramLabel(std::int32_t number)
{
    return Text(Msg::Program) + QLatin1Char(' ') + QString::number(number);
}

QString CategoryLabel(std::uint32_t kind)
{
    const int code = NodeKind::CategoryCode(kind);
    return (code != 0 ? CycleCategoryName(NodeKind::CategoryBits(code)) : Text(Msg::Warning)) + QLatin1Char(' ');
}

QString CycleName(std::uint32_t kind, std::int32_t number)
{
    return CategoryLabel(kind) + QString::number(number);
}

QString CycleLabel(std::uint32_t kind, std::int32_t number, int steps)
{
    return CycleName(kind, number) + QStringLiteral(" (") + QString::number(steps) + Text(Msg::StepsSuffix);
}

QString CycleCategoryName(std::uint32_t categoryBits)
{
    return Text(CategoryNameId(categoryBits));
}

QString FormatStepTime(std::uint32_t seconds)
{
    const std::uint32_t minutes = seconds / 60;
    const std::uint32_t rest = seconds % 60;
    return QString::number(minutes) + (rest < 10 ? QStringLiteral(":0") : QStringLiteral(":")) + QString::number(rest);
}

QString FormatName(std::uint16_t code)
{
    switch (code) {
    case FormatCode::Standard: return Text(Msg::StandardFormat);
    case FormatCode::Inverter: return Text(Msg::InverterFormat);
    case FormatCode::Varnholt: return Text(Msg::VarnholtFormat);
    default: return QString::number(code);
    }
}

QString FormatWithOutputs(std::uint16_t code, int outputs)
{
    return FormatName(code) + QStringLiteral(", ") + QString::number(outputs) + QLatin1Char(' ') +
           Text(Msg::OutputsWord);
}

void DrawTextCentred(QPainter& canvas, const QRect& rect, const QString& text)
{
    DrawTextAt(canvas, TextOrigin(canvas, rect, text, true), text);
}

void DrawTextLeft(QPainter& canvas, const QRect& rect, const QString& text)
{
    DrawTextAt(canvas, TextOrigin(canvas, rect, text, false), text);
}
