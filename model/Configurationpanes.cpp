#include "model/Configurationpanes.h"

#include "desktop/Updown.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Diagnosticlist.h"
#include "model/Nodedata.h"
#include "model/Serviceblock.h"
#include "model/Utilities.h"
#include "resources/Pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

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
    , m_TotalWashesLabel(new QLabel(this))
    , m_TotalWashesEdit(NewValueBox(false))
    , m_PartialWashesLabel(new QLabel(this))
    , m_PartialWashesEdit(NewValueBox(false))
    , m_WorkingHoursLabel(new QLabel(this))
    , m_WorkingHoursEdit(NewValueBox(false))
    , m_LanguageLabel(new QLabel(this))
    , m_LanguageComboBox(new QComboBox(this))
    , m_TemperatureTypeLabel(new QLabel(this))
    , m_TemperatureComboBox(new QComboBox(this))
    , m_MaximumLevelLabel(new QLabel(this))
    , m_MaximumLevelEdit(NewValueBox(false))
    , m_MaximumLevelUpDown(NewUpDown(m_MaximumLevelEdit, ServiceParameter::MaximumLevel))
    , m_MinimumLevelLabel(new QLabel(this))
    , m_MinimumLevelEdit(NewValueBox(false))
    , m_MinimumLevelUpDown(NewUpDown(m_MinimumLevelEdit, ServiceParameter::MinimumLevel))
    , m_AdvanceEnableCheckbox(new QCheckBox(this))
    , m_MachineEnableCheckbox(new QCheckBox(this))
    , m_SlowingDownTimeLabel(new QLabel(this))
    , m_SlowingDownTimeEdit(NewValueBox(false))
    , m_SlowingDownTimeUpDown(NewUpDown(m_SlowingDownTimeEdit, ServiceParameter::SlowingDownTime))
    , m_MaximumSpeedLabel(new QLabel(this))
    , m_MaximumSpeedEdit(NewValueBox(false))
    , m_MaximumSpeedUpDown(NewUpDown(m_MaximumSpeedEdit, ServiceParameter::MaximumSpeed))
    , m_SpinLevelLabel(new QLabel(this))
    , m_SpinLevelEdit(NewValueBox(false))
    , m_SpinLevelUpDown(NewUpDown(m_SpinLevelEdit, ServiceParameter::SpinLevel))
    , m_MaintenanceRequestLabel(new QLabel(this))
    , m_MaintenanceRequestEdit(NewValueBox(false))
    , m_MaintenanceRequestUpDown(NewUpDown(m_MaintenanceRequestEdit, ServiceParameter::MaintenanceRequest))
    , m_TemperatureHysteresisLabel(new QLabel(this))
    , m_TemperatureHysteresisEdit(NewValueBox(true))
    , m_TemperatureHysteresisUpDown(NewUpDown(m_TemperatureHysteresisEdit, ServiceParameter::TemperatureHysteresis))
    , m_MotorGrid(new QTableWidget(MotorModes + 1, MotorTimes + 1, this))
    , m_ProgramsTree(new C_TreeView(this))
    , m_CyclesTree(new C_TreeView(this))
    , m_DiagnosticTree(new C_TreeView(this))
    , m_StepsGrid(new QTableWidget(this))
{
    m_TypeImageList << LoadPicture(QStringLiteral("FORMAT_STANDARD")) << LoadPicture(QStringLiteral("FORMAT_INVERTER"))
                    << LoadPicture(QStringLiteral("FORMAT_VARNHOLT"));
    const QList<QIcon> nodeImages = Icons({"NODE_CYCLE_REFERENCE", "NODE_PROGRAM", "NODE_CYCLE", "NODE_CATEGORY"});
    m_ProgramsTree->SetImages(nodeImages);
    m_CyclesTree->SetImages(nodeImages);
    m_DiagnosticTree->SetImages(Icons({"DIAG_HEADING", "DIAG_INFORMATION", "DIAG_PROGRESS", "DIAG_ERROR"}));

    // Typed, as the only box of the panel that can be; the window decides when typing counts.
    m_TemperatureHysteresisEdit->setValidator(new QIntValidator(0, 9999, m_TemperatureHysteresisEdit));
    ReportServiceEdits();

    m_StepsGrid->hide();
    SetTexts();
    CreateCategoryRoots();
    SetServiceDefaults();
    ClearConfiguration();
}

void C_ConfigurationPanes::ReportServiceEdits()
{
    for (C_UpDown* upDown : {m_MaximumLevelUpDown, m_MinimumLevelUpDown, m_SlowingDownTimeUpDown, m_MaximumSpeedUpDown,
                             m_SpinLevelUpDown, m_MaintenanceRequestUpDown, m_TemperatureHysteresisUpDown})
        connect(upDown, &C_UpDown::Clicked, this, [this, upDown] { emit ServiceEdited(upDown); });
    for (QCheckBox* box : {m_AdvanceEnableCheckbox, m_MachineEnableCheckbox})
        connect(box, &QCheckBox::clicked, this, [this, box] { emit ServiceEdited(box); });
    for (QComboBox* box : {m_LanguageComboBox, m_TemperatureComboBox})
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] { emit ServiceEdited(box); });
}

QLineEdit* C_ConfigurationPanes::NewValueBox(bool typable)
{
    auto* box = new QLineEdit(this);
    box->setReadOnly(!typable);
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
        {m_TotalWashesLabel, Msg::TotalWashes},
        {m_PartialWashesLabel, Msg::PartialWashes},
        {m_WorkingHoursLabel, Msg::WorkingHours},
        {m_LanguageLabel, Msg::DisplayLanguage},
        {m_TemperatureTypeLabel, Msg::TemperatureUnit},
        {m_MaximumLevelLabel, Msg::MaximumLevel},
        {m_MinimumLevelLabel, Msg::MinimumLevel},
        {m_SlowingDownTimeLabel, Msg::SlowingDownTime},
        {m_MaximumSpeedLabel, Msg::MaximumSpeed},
        {m_SpinLevelLabel, Msg::SpinLevel},
        {m_MaintenanceRequestLabel, Msg::MaintenanceRequest},
        {m_TemperatureHysteresisLabel, Msg::TemperatureHysteresis},
    };
    for (const auto& [label, id] : labels)
        label->setText(Text(id));
    m_AdvanceEnableCheckbox->setText(Text(Msg::AdvanceEnable));
    m_MachineEnableCheckbox->setText(Text(Msg::MachineEnable));
    for (std::int16_t id = Msg::LanguageGerman; id <= Msg::LanguageSpanish; ++id)
        m_LanguageComboBox->addItem(Text(id));
    m_TemperatureComboBox->addItem(Text(Msg::Celsius));
    m_TemperatureComboBox->addItem(Text(Msg::Fahrenheit));

    for (int column = 0; column <= MotorTimes; ++column)
        m_MotorGrid->setItem(0, column, new QTableWidgetItem(Text(std::int16_t(Msg::MotorColumn + column))));
    for (int row = 1; row <= MotorModes; ++row)
        m_MotorGrid->setItem(row, 0,
                             new QTableWidgetItem(Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(row)));
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
        ShowValue(parameter.m_Parameter, *this, parameter.m_PanelDefault);
}

void C_ConfigurationPanes::AddDiagnostics(const C_DiagnosticList& list)
{
    C_PaneLines lines(*this);
    for (const S_DiagnosticLine& line : list.Lines())
        lines.Add(line.m_Parent, line.m_Text, line.m_Icon);
}

QTreeWidgetItem* C_ConfigurationPanes::AddDiagnostic(QTreeWidgetItem* parent, const QString& text, int icon)
{
    QTreeWidgetItem* line = NewTextNode(m_DiagnosticTree, text, icon);
    if (parent == nullptr && m_QuietLines != nullptr)
        parent = m_QuietLines;
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
    for (int row = 1; row <= MotorModes; ++row)
        for (int column = 1; column <= MotorTimes; ++column)
            SetMotorCell(row, column, MotorUnused);
}

int C_ConfigurationPanes::MotorCell(int row, int column) const
{
    const QTableWidgetItem* cell = m_MotorGrid->item(row, column);
    return cell != nullptr ? cell->data(MotorValueRole).toInt() : MotorUnused;
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

C_QuietDiagnostics::C_QuietDiagnostics(C_ConfigurationPanes& panes)
    : m_Panes(panes)
    , m_Before(panes.m_QuietLines)
    , m_Lines(std::make_unique<QTreeWidgetItem>())
{
    m_Panes.m_QuietLines = m_Lines.get();
}

C_QuietDiagnostics::~C_QuietDiagnostics()
{
    m_Panes.m_QuietLines = m_Before;
}
