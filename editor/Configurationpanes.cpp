#include "editor/Configurationpanes.h"

#include "desktop/Updown.h"
#include "document/Configurationtext.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationedits.h"
#include "model/Diagnosticlist.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "model/Motortable.h"
#include "model/Nodedata.h"
#include "model/Serviceblock.h"
#include "resources/Pictures.h"
#include "transfer/Configurationtransfer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr int MotorValueRole = Qt::UserRole;

QList<QIcon> Icons(std::initializer_list<const char*> names)
{
    QList<QIcon> icons;
    for (const char* name : names)
        icons << QIcon(LoadPicture(QString::fromLatin1(name)));
    return icons;
}

} // namespace

C_ConfigurationPanes::C_ConfigurationPanes(QWidget* parent)
    : QWidget(parent)
    , m_TypeImage(new QLabel(this))
    , m_StepCountLabel(new QLabel(this))
    , m_StepCountEdit(NewValueBox(false))
    , m_NumberOfOutputsLabel(new QLabel(this))
    , m_NumberOfOutputsEdit(NewValueBox(false))
{
    // Tab follows the order the controls are made in: the panel's first, then the panes.
    MakeServiceControls();
    m_MotorGrid = new QTableWidget(MotorTable::Modes + 1, MotorTable::TimesPerMode + 1, this);
    m_ProgramsTree = new C_TreeView(this);
    m_CyclesTree = new C_TreeView(this);
    m_DiagnosticTree = new C_TreeView(this);
    m_StepsGrid = new QTableWidget(this);
    m_TypeImageList << LoadPicture(QStringLiteral("FORMAT_STANDARD")) << LoadPicture(QStringLiteral("FORMAT_INVERTER"))
                    << LoadPicture(QStringLiteral("FORMAT_VARNHOLT"));
    const QList<QIcon> nodeImages = Icons({"NODE_CYCLE_REFERENCE", "NODE_PROGRAM", "NODE_CYCLE", "NODE_CATEGORY"});
    m_ProgramsTree->SetImages(nodeImages);
    m_CyclesTree->SetImages(nodeImages);
    m_DiagnosticTree->SetImages(Icons({"DIAG_HEADING", "DIAG_INFORMATION", "DIAG_PROGRESS", "DIAG_ERROR"}));

    ReportServiceEdits();

    m_StepsGrid->hide();
    SetTexts();
    CreateCategoryRoots();
    SetServiceDefaults();
    ClearConfiguration();
}

void C_ConfigurationPanes::MakeServiceControls()
{
    m_ServiceControls.resize(ServiceParameters().size());
    for (const S_ServiceParameter* row : ServiceParametersOnPanel()) {
        S_ServiceControls& c = m_ServiceControls[size_t(row->m_Parameter)];
        if (row->m_Display != ServiceDisplay::Flag)
            c.m_Label = new QLabel(this);
        switch (row->m_Display) {
        case ServiceDisplay::Text: c.m_Box = NewValueBox(false); break;
        case ServiceDisplay::Position:
            c.m_Box = NewValueBox(row->m_Typed);
            c.m_UpDown = NewUpDown(c.m_Box, row->m_Parameter);
            break;
        case ServiceDisplay::ItemIndex: c.m_List = new QComboBox(this); break;
        case ServiceDisplay::Flag: c.m_CheckBox = new QCheckBox(this); break;
        }
    }
}

void C_ConfigurationPanes::ReportServiceEdits()
{
    for (const S_ServiceParameter& row : ServiceParameters()) {
        const S_ServiceControls& c = ServiceControls(row.m_Parameter);
        if (c.m_UpDown != nullptr) {
            C_UpDown* upDown = c.m_UpDown;
            connect(upDown, &C_UpDown::Clicked, this, [this, upDown] { emit ServiceEdited(upDown); });
        } else if (c.m_CheckBox != nullptr) {
            QCheckBox* box = c.m_CheckBox;
            connect(box, &QCheckBox::clicked, this, [this, box] { emit ServiceEdited(box); });
        } else if (c.m_List != nullptr) {
            QComboBox* box = c.m_List;
            connect(box, &QComboBox::currentIndexChanged, this, [this, box] { emit ServiceEdited(box); });
        }
    }
}

QLineEdit* C_ConfigurationPanes::NewValueBox(bool typable)
{
    auto* box = new QLineEdit(this);
    box->setReadOnly(!typable);
    // The window decides when typing counts.
    if (typable)
        box->setValidator(new QIntValidator(0, 9999, box));
    return box;
}

C_UpDown* C_ConfigurationPanes::NewUpDown(QLineEdit* associate, ServiceParameter parameter)
{
    const S_ServiceParameter& row = ServiceParameterOf(parameter);
    auto* upDown = new C_UpDown(this);
    upDown->SetRange(row.m_Minimum, row.m_Maximum);
    upDown->SetAssociate(associate);
    upDown->SetPosition(row.m_PanelDefault);
    return upDown;
}

void C_ConfigurationPanes::SetTexts()
{
    const std::pair<QLabel*, std::int16_t> labels[] = {
        {m_StepCountLabel, Msg::FreeSteps},
        {m_NumberOfOutputsLabel, Msg::NumberOfOutputs},
    };
    for (const auto& [label, id] : labels)
        label->setText(Text(id));
    // The names a screen reader gives the panes and the boxes beside their labels.
    const std::pair<QWidget*, std::int16_t> named[] = {
        {m_ProgramsTree, Msg::ProgramsHeading},        {m_CyclesTree, Msg::CyclesHeading},
        {m_DiagnosticTree, Msg::DiagnosticsPane},      {m_StepsGrid, Msg::StepsPane},
        {m_MotorGrid, Msg::MotorModesHeading},         {m_StepCountEdit, Msg::FreeSteps},
        {m_NumberOfOutputsEdit, Msg::NumberOfOutputs},
    };
    for (const auto& [widget, id] : named)
        widget->setAccessibleName(Text(id));
    for (QTreeWidget* tree : {static_cast<QTreeWidget*>(m_ProgramsTree), static_cast<QTreeWidget*>(m_CyclesTree),
                              static_cast<QTreeWidget*>(m_DiagnosticTree)})
        tree->headerItem()->setText(0, tree->accessibleName());
    for (const S_ServiceParameter& row : ServiceParameters()) {
        const S_ServiceControls& c = ServiceControls(row.m_Parameter);
        if (c.m_Label != nullptr)
            c.m_Label->setText(Text(row.m_Label));
        for (QWidget* control :
             {static_cast<QWidget*>(c.m_Box), static_cast<QWidget*>(c.m_UpDown), static_cast<QWidget*>(c.m_List)})
            if (control != nullptr && c.m_Label != nullptr)
                control->setAccessibleName(Text(row.m_Label));
        if (c.m_CheckBox != nullptr)
            c.m_CheckBox->setText(Text(row.m_Label));
        if (c.m_List != nullptr)
            for (int entry = 0; entry <= row.m_Maximum; ++entry)
                c.m_List->addItem(Text(std::int16_t(row.m_FirstEntry + entry)));
    }

    // The captions are cells of the grid; its hidden headers carry them too, so a
    // screen reader announces a cell's row and column by name, not by number.
    QStringList columns;
    for (int column = 0; column <= MotorTable::TimesPerMode; ++column) {
        columns << Text(std::int16_t(Msg::MotorColumn + column));
        m_MotorGrid->setItem(0, column, new QTableWidgetItem(columns.back()));
    }
    QStringList rows{columns.front()};
    for (int row = 1; row <= MotorTable::Modes; ++row) {
        rows << Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(row);
        m_MotorGrid->setItem(row, 0, new QTableWidgetItem(rows.back()));
    }
    m_MotorGrid->setHorizontalHeaderLabels(columns);
    m_MotorGrid->setVerticalHeaderLabels(rows);
}

void C_ConfigurationPanes::CreateCategoryRoots()
{
    for (int code = 1; code <= NodeKind::CategoryCount; ++code)
        m_CategoryNodes[size_t(code)] = AddNodeWithData(m_CyclesTree, nullptr, CycleImage,
                                                        NodeKind::CategoryRootWord | NodeKind::CategoryBits(code), 0);
}

void C_ConfigurationPanes::SetServiceDefaults()
{
    for (QLineEdit* box : {m_StepCountEdit, m_NumberOfOutputsEdit})
        box->setText(QStringLiteral("0"));
    for (const S_ServiceParameter& parameter : ServiceParameters())
        ShowService(parameter.m_Parameter, parameter.m_PanelDefault);
}

QTreeWidgetItem* C_ConfigurationPanes::AddDiagnostic(QTreeWidgetItem* parent, const QString& text, int icon)
{
    QTreeWidgetItem* line = NewTextNode(m_DiagnosticTree, text, icon);
    if (parent == nullptr) {
        m_DiagnosticTree->addTopLevelItem(line);
        return line;
    }
    parent->addChild(line);
    parent->setExpanded(true);
    return line;
}

void C_ConfigurationPanes::ClearConfiguration()
{
    m_ProgramsTree->clear();
    for (QTreeWidgetItem* root : m_CategoryNodes)
        if (root != nullptr)
            qDeleteAll(root->takeChildren());
    for (int row = 1; row <= MotorTable::Modes; ++row)
        for (int column = 1; column <= MotorTable::TimesPerMode; ++column)
            SetMotorCell(row, column, MotorTable::Unset);
}

int C_ConfigurationPanes::MotorCell(int row, int column) const
{
    const QTableWidgetItem* cell = m_MotorGrid->item(row, column);
    return cell != nullptr ? cell->data(MotorValueRole).toInt() : MotorTable::Unset;
}

void C_ConfigurationPanes::SetMotorCell(int row, int column, int value)
{
    QTableWidgetItem* cell = m_MotorGrid->item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_MotorGrid->setItem(row, column, cell);
    }
    cell->setData(MotorValueRole, value);
    cell->setData(Qt::AccessibleTextRole, Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(row) +
                                              QStringLiteral(", ") + Text(std::int16_t(Msg::MotorColumn + column)));
    cell->setData(Qt::AccessibleDescriptionRole,
                  value == MotorTable::Unset ? Text(Msg::NotUsed) : QString::number(value));
}

C_PaneLines::C_PaneLines(C_ConfigurationPanes& panes)
    : m_Panes(panes)
{
}

int C_PaneLines::Add(int parent, const QString& text, int icon)
{
    return Adopt(m_Panes.AddDiagnostic(parent == Top ? nullptr : m_Lines[size_t(parent)], text, icon));
}

int C_PaneLines::Adopt(QTreeWidgetItem* line)
{
    m_Lines.push_back(line);
    return int(m_Lines.size()) - 1;
}

void C_ConfigurationPanes::ReadService(const C_EEPROMFormat& format, C_Configuration& value) const
{
    const std::vector<S_ServiceParameter>& parameters = ServiceParameters();
    value.m_Service.resize(parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i) {
        const S_ServiceField* field = FindServiceField(format.FormatDescription().m_Service, parameters[i].m_Parameter);
        if (field == nullptr || field->m_Stored)
            value.m_Service[i] = ShownService(parameters[i].m_Parameter);
    }
}

namespace {

using NodeKey = std::pair<std::uint32_t, std::int32_t>;

NodeKey KeyOf(const QTreeWidgetItem* node)
{
    return {NodeData(node)->m_Kind, NodeData(node)->m_Number};
}

bool SameSteps(const C_CycleContent& content, const C_Configuration::Steps& steps)
{
    if (size_t(content.StepCount()) != steps.size() + 1)
        return false;
    for (size_t k = 0; k < steps.size(); ++k)
        if (content.GetStep(int(k))->m_Values != steps[k])
            return false;
    return true;
}

} // namespace

void C_ConfigurationPanes::MatchChildren(QTreeWidgetItem* parent, const std::vector<NodeKey>& wanted,
                                         const std::function<QTreeWidgetItem*(size_t)>& make,
                                         const std::function<void(QTreeWidgetItem*, size_t)>& show)
{
    // Every node whose kind and number stay is kept, with its selection and its
    // expansion; where the lists differ a node is inserted, taken away or renumbered.
    const auto later = [&](size_t j, const NodeKey& key) {
        return std::find(wanted.begin() + std::ptrdiff_t(j) + 1, wanted.end(), key) != wanted.end();
    };
    const auto laterNode = [&](int i, const NodeKey& key) {
        for (int k = i + 1; k < parent->childCount(); ++k)
            if (KeyOf(parent->child(k)) == key)
                return true;
        return false;
    };
    const auto remove = [&](int i) {
        QTreeWidgetItem* node = parent->child(i);
        NodeGoing(node);
        delete node;
    };
    int i = 0;
    for (size_t j = 0; j < wanted.size();) {
        if (i < parent->childCount() && KeyOf(parent->child(i)) != wanted[j]) {
            const NodeKey here = KeyOf(parent->child(i));
            const bool hereStays = later(j, here);
            const bool wantedComes = laterNode(i, wanted[j]);
            if (!hereStays && wantedComes) {
                remove(i);
                continue;
            }
            if (hereStays || here.first != wanted[j].first) {
                if (!hereStays)
                    remove(i);
                parent->insertChild(i, make(j));
            } else {
                NodeData(parent->child(i))->m_Number = wanted[j].second;
            }
        } else if (i == parent->childCount()) {
            parent->addChild(make(j));
        }
        show(parent->child(i), j);
        ++i;
        ++j;
    }
    while (parent->childCount() > i)
        remove(i);
}

void C_ConfigurationPanes::ShowConfiguration(const C_Configuration& value)
{
    for (int code = 1; code <= NodeKind::CategoryCount; ++code) {
        std::vector<const C_Configuration::S_Cycle*> cycles;
        std::vector<NodeKey> keys;
        for (const C_Configuration::S_Cycle& cycle : value.m_Cycles)
            if (cycle.Category() == code) {
                cycles.push_back(&cycle);
                keys.emplace_back(cycle.m_Kind, cycle.m_Number);
            }
        MatchChildren(
            m_CategoryNodes[size_t(code)], keys,
            [&](size_t j) { return NewNodeWithData(m_CyclesTree, CycleImage, keys[j].first, keys[j].second); },
            [&](QTreeWidgetItem* node, size_t j) {
                C_CycleContent& content = *NodeData(node)->m_Content;
                if (!SameSteps(content, *cycles[j]->m_Steps))
                    content = ConfigurationEdit::ContentOf(*cycles[j]->m_Steps);
                node->setText(0, NodeLabel(*NodeData(node)));
            });
    }

    std::vector<NodeKey> programs;
    for (const C_Configuration::S_Program& program : value.m_Programs)
        programs.emplace_back(NodeKind::ProgramWord, program.m_Number);
    MatchChildren(
        m_ProgramsTree->invisibleRootItem(), programs,
        [&](size_t j) {
            QTreeWidgetItem* node =
                NewNodeWithData(m_ProgramsTree, ProgramImage, NodeKind::ProgramWord, programs[j].second);
            // A program shown anew opens.
            node->setExpanded(true);
            return node;
        },
        [&](QTreeWidgetItem* program, size_t j) {
            const std::vector<C_Configuration::S_Reference>& references = value.m_Programs[j].m_References;
            std::vector<NodeKey> keys;
            for (const C_Configuration::S_Reference& reference : references)
                keys.emplace_back(reference.m_Kind, reference.m_Number);
            MatchChildren(
                program, keys,
                [&](size_t k) { return NewNodeWithData(m_ProgramsTree, CycleImage, keys[k].first, keys[k].second); },
                [&](QTreeWidgetItem* node, size_t k) {
                    const C_Configuration::S_Reference& reference = references[k];
                    NodeData(node)->m_Link =
                        reference.m_Linked && reference.Category() != 0
                            ? FindChildByNumber(m_CategoryNodes[size_t(reference.Category())], reference.m_Number)
                            : nullptr;
                    node->setText(0, NodeLabel(*NodeData(node)));
                });
            program->setText(0, NodeLabel(*NodeData(program)));
        });

    for (size_t mode = 0; mode < value.m_Motors.size(); ++mode)
        for (size_t column = 0; column < value.m_Motors[mode].size(); ++column)
            SetMotorCell(int(mode + 1), int(column + 1), value.m_Motors[mode][column]);
    const std::vector<S_ServiceParameter>& parameters = ServiceParameters();
    for (size_t i = 0; i < parameters.size() && i < value.m_Service.size(); ++i)
        // A box the format leaves empty stays empty.
        if (ShownService(parameters[i].m_Parameter) != value.m_Service[i])
            ShowService(parameters[i].m_Parameter, value.m_Service[i]);
}

void C_ConfigurationPanes::ShowRead(const C_EEPROMFormat& format, const C_Configuration& value)
{
    LockServiceControls(format.FormatDescription().m_Service);
    ShowConfiguration(value);
    ShowFormatPicture(format.FormatDescription());
    for (int i = 0; i < m_ProgramsTree->topLevelItemCount(); ++i)
        m_ProgramsTree->topLevelItem(i)->setExpanded(true);
    for (QTreeWidgetItem* root : m_CategoryNodes)
        if (root != nullptr && root->childCount() > 0)
            root->setExpanded(true);
    m_StepCountEdit->setText(QString::number(format.FreeSteps()));
    m_NumberOfOutputsEdit->setText(QString::number(format.GetOutputs()));
}

C_Configuration C_ConfigurationPanes::ShowFormat(C_EEPROMFormat& format)
{
    C_PaneLines lines(*this);
    C_Configuration value = format.Decode(lines);
    ShowRead(format, value);
    return value;
}

void C_ConfigurationPanes::ShowFormatPicture(const S_FormatDescription& description)
{
    m_TypeImage->setPixmap(m_TypeImageList.value(description.m_TypePicture));
    // A hint is a short text for the tip and a long one for the status line.
    const QString& hint = Text(description.m_TypeHint);
    m_TypeImage->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
    m_TypeImage->setStatusTip(hint.section(QLatin1Char('|'), -1));
}

int C_ConfigurationPanes::ShownService(ServiceParameter parameter) const
{
    const S_ServiceControls& c = ServiceControls(parameter);
    switch (ServiceParameterOf(parameter).m_Display) {
    case ServiceDisplay::Text: return c.m_Box->text().toInt();
    case ServiceDisplay::Position: return c.m_UpDown->Position();
    case ServiceDisplay::ItemIndex: return c.m_List->currentIndex();
    case ServiceDisplay::Flag: return c.m_CheckBox->isChecked() ? 1 : 0;
    }
    return 0;
}

void C_ConfigurationPanes::ShowService(ServiceParameter parameter, int value)
{
    const S_ServiceControls& c = ServiceControls(parameter);
    switch (ServiceParameterOf(parameter).m_Display) {
    case ServiceDisplay::Text: c.m_Box->setText(QString::number(value)); return;
    case ServiceDisplay::Position: c.m_UpDown->SetPosition(value); return;
    // A value with no entry leaves no entry chosen, and is stored back as it was.
    case ServiceDisplay::ItemIndex: c.m_List->setCurrentIndex(value); return;
    case ServiceDisplay::Flag: c.m_CheckBox->setChecked(value != 0); return;
    }
}

void C_ConfigurationPanes::LockServiceControls(const std::vector<S_ServiceField>& fields)
{
    for (const S_ServiceField& field : fields) {
        if (!field.m_Locked)
            continue;
        const S_ServiceControls& c = ServiceControls(field.m_Parameter);
        for (QWidget* control :
             {static_cast<QWidget*>(c.m_Label), static_cast<QWidget*>(c.m_Box), static_cast<QWidget*>(c.m_UpDown)})
            if (control != nullptr)
                control->setEnabled(false);
    }
}

QTreeWidgetItem* C_ConfigurationPanes::AddTransferHeading(const C_EEPROMFormat& format, TransferDirection direction)
{
    C_PaneLines lines(*this);
    return lines.Item(TransferHeading(lines, format.FormatDescription(), direction));
}

std::unique_ptr<C_EEPROMFormat> ShowTextConfiguration(const S_TextConfiguration& document, C_ConfigurationPanes& panes,
                                                      C_Configuration& value)
{
    C_PaneLines lines(panes);
    std::unique_ptr<C_EEPROMFormat> format = TextFormat(document, value, lines);
    panes.ShowRead(*format, value);
    return format;
}
