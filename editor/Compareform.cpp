#include "editor/Compareform.h"

#include "desktop/Filechooser.h"
#include "desktop/Messagebox.h"
#include "document/Configurationfile.h"
#include "document/Takedifference.h"
#include "editor/Mdichild.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configuration.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "model/Nodedata.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

// The place in the words of the window's language; kw3tool's diff keeps its own fixed words.
QString ShownPlace(const S_Difference& difference, const C_EEPROMFormat& formatA)
{
    const QString cycle = CycleCategoryName(NodeKind::CategoryBits(difference.m_Category)) + QLatin1Char(' ') +
                          QString::number(difference.m_Cycle);
    const QString step =
        cycle + QStringLiteral(", ") + Text(Msg::Step) + QLatin1Char(' ') + QString::number(difference.m_Step + 1);
    switch (difference.m_Kind) {
    case S_Difference::Kind::Format: return Text(Msg::MachineType);
    case S_Difference::Kind::Service: return Text(ServiceParameterOf(difference.m_Service).m_Label);
    case S_Difference::Kind::Motor:
        return Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(difference.m_MotorMode) + QStringLiteral(", ") +
               Text(std::int16_t(Msg::MotorColumn + difference.m_MotorColumn));
    case S_Difference::Kind::Program:
        return Text(Msg::Program) + QLatin1Char(' ') + QString::number(difference.m_Program);
    case S_Difference::Kind::Cycle: return cycle;
    case S_Difference::Kind::Step: return step;
    case S_Difference::Kind::StepField:
        return step + QStringLiteral(", ") + formatA.Rows()[size_t(difference.m_RowA)].m_Caption;
    }
    return difference.m_Place;
}

QString ShownValue(const S_Difference& difference, const QString& value)
{
    if (difference.m_Flags)
        return Text(value == QLatin1String("true") ? 38 : 39);
    return value;
}

// A program's cycles as its tree names them: "Prewash 1, Wash 2"; "-" for no such program.
QString CycleList(const C_Configuration& value, int number)
{
    const std::optional<std::size_t> program = value.FindProgram(number);
    if (!program)
        return QStringLiteral("-");
    QStringList names;
    for (const C_Configuration::S_Reference& reference : value.m_Programs[*program].m_References)
        names << CycleCategoryName(NodeKind::CategoryBits(reference.Category())) + QLatin1Char(' ') +
                     QString::number(reference.m_Number);
    return names.join(QStringLiteral(", "));
}

// What the table shows of each side: the words of the window's language where dump has JSON.
QString ShownSide(const S_Difference& difference, const C_Configuration& value, const QString& dumped)
{
    switch (difference.m_Kind) {
    case S_Difference::Kind::Format: return FormatWithOutputs(value.m_FormatCode, value.m_Outputs);
    case S_Difference::Kind::Program: return CycleList(value, difference.m_Program);
    default: return ShownValue(difference, dumped);
    }
}

QString FileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

QTreeWidgetItem* ProgramNode(const TFormMDIChild& window, int number)
{
    for (int p = 0; p < window.m_ProgramsTree->topLevelItemCount(); ++p)
        if (NodeData(window.m_ProgramsTree->topLevelItem(p))->m_Number == number)
            return window.m_ProgramsTree->topLevelItem(p);
    return nullptr;
}

// The place of the difference made current in the window's panes; row is the
// field's position in this window's rows.
void SelectPlace(TFormMDIChild& window, const S_Difference& difference, int row)
{
    switch (difference.m_Kind) {
    case S_Difference::Kind::Format:
    case S_Difference::Kind::Service: return;
    case S_Difference::Kind::Motor:
        window.m_MotorGrid->setCurrentCell(difference.m_MotorMode, difference.m_MotorColumn);
        return;
    case S_Difference::Kind::Program:
        if (QTreeWidgetItem* program = ProgramNode(window, difference.m_Program))
            window.m_ProgramsTree->setCurrentItem(program);
        return;
    case S_Difference::Kind::Cycle:
    case S_Difference::Kind::Step:
    case S_Difference::Kind::StepField: break;
    }
    QTreeWidgetItem* cycle =
        FindChildByNumber(window.m_CategoryNodes[size_t(difference.m_Category)], difference.m_Cycle);
    if (cycle == nullptr)
        return;
    // Making the cycle current shows its steps.
    window.m_CyclesTree->setCurrentItem(cycle);
    if (difference.m_Step < 0)
        return;
    QTableWidget& grid = *window.m_StepsGrid;
    // A step only the other side has points at the place where this cycle's steps end.
    grid.setCurrentCell(row >= 0 ? row + 1 : std::max(grid.currentRow(), 1),
                        std::min(difference.m_Step + 1, grid.columnCount() - 1));
}

} // namespace

TCompareForm::TCompareForm(TFormMDIChild& active, QList<TFormMDIChild*> others, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_OthersBox(new QComboBox(this))
    , m_CompareButton(new QPushButton(Text(Msg::CompareCaption), this))
    , m_FileButton(new QPushButton(Text(Msg::CompareFileButton), this))
    , m_TakeButton(new QPushButton(Text(Msg::TakeThis), this))
    , m_Summary(new QLabel(this))
    , m_Table(new QTableWidget(0, 3, this))
    , m_Active(&active)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Text(Msg::CompareCaption) + QStringLiteral(" - ") + FileName(active.Path()));
    resize(720, 420);

    auto* bar = new QHBoxLayout;
    auto* withLabel = new QLabel(FileName(active.Path()) + QStringLiteral(": ") + Text(Msg::CompareWith), this);
    withLabel->setBuddy(m_OthersBox);
    bar->addWidget(withLabel);
    bar->addWidget(m_OthersBox, 1);
    bar->addWidget(m_CompareButton);
    bar->addWidget(m_FileButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_Summary);
    layout->addWidget(m_Table, 1);
    auto* actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(m_TakeButton);
    layout->addLayout(actions);
    m_TakeButton->setToolTip(Text(Msg::TakeThisHint));
    m_TakeButton->setEnabled(false);

    m_Table->setAccessibleName(Text(Msg::CompareCaption));
    m_Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_Table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_Table->verticalHeader()->hide();
    m_Table->setWordWrap(false);
    m_Table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_Table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_Table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);

    for (TFormMDIChild* other : others) {
        if (other == nullptr || other == &active)
            continue;
        m_Others << other;
        m_OthersBox->addItem(other->Path());
        connect(other, &QObject::destroyed, this, &TCompareForm::RemoveOther);
    }
    m_CompareButton->setEnabled(!m_Others.isEmpty());
    connect(&active, &QObject::destroyed, this, &QWidget::close);
    connect(m_CompareButton, &QPushButton::clicked, this, [this] {
        const int index = m_OthersBox->currentIndex();
        if (index >= 0 && m_Others[index] != nullptr)
            CompareWith(*static_cast<TFormMDIChild*>(m_Others[index].data()));
    });
    connect(m_FileButton, &QPushButton::clicked, this, &TCompareForm::CompareWithChosenFile);
    connect(m_Table, &QTableWidget::currentCellChanged, this, [this](int row) {
        SelectDifference(row);
        UpdateTakeButton();
    });
    connect(m_TakeButton, &QPushButton::clicked, this, [this] { TakeDifference(m_Table->currentRow()); });
    FollowChanges(&active);

    if (!m_Others.isEmpty())
        CompareWith(*static_cast<TFormMDIChild*>(m_Others.first().data()));
}

TCompareForm::~TCompareForm() = default;

void TCompareForm::CompareWith(TFormMDIChild& other)
{
    if (other.Format() == nullptr)
        return;
    if (m_Other != &other)
        FollowChanges(&other);
    m_Other = &other;
    m_File.reset();
    m_FileFormat.reset();
    Compare({other.Current(), other.Format()->Rows()}, FileName(other.Path()));
}

bool TCompareForm::CompareWithChosenFile()
{
    const QString path = C_FileChooser::Choose(this, {C_FileChooser::Purpose::Open, Text(Msg::CompareCaption),
                                                      Text(Msg::CompareFileFilter), QStringLiteral("KWC"), QString()});
    return !path.isEmpty() && CompareWithFile(path);
}

bool TCompareForm::CompareWithFile(const QString& path)
{
    if (m_Active == nullptr || m_Active->Format() == nullptr)
        return false;
    const C_ConfigurationFile file(path);
    if (const QString refusal = file.Refusal(); !refusal.isEmpty()) {
        C_MessageBox::Show(refusal, Text(Msg::CompareCaption), C_MessageBox::Icon::Warning, C_MessageBox::Buttons::Ok,
                           this);
        return false;
    }
    std::uint16_t code = file.FormatCode().value_or(0);
    if (file.IsOld())
        code = m_OldFormat ? m_OldFormat() : m_Active->Format()->FormatCode();
    if (!C_EEPROMFormat::IsFormatCode(code))
        return false;
    // Read as kw3tool reads it.
    C_Configuration b;
    C_DiagnosticList lines;
    std::unique_ptr<C_EEPROMFormat> format = file.Open(code, b, lines);
    if (format == nullptr)
        return false;
    m_Other = nullptr;
    m_File = std::move(b);
    m_FileFormat = std::move(format);
    m_FileCaption = FileName(path);
    Compare({*m_File, m_FileFormat->Rows()}, m_FileCaption);
    return true;
}

void TCompareForm::Compare(const S_ComparedConfiguration& b, const QString& captionB)
{
    if (m_Active == nullptr || m_Active->Format() == nullptr)
        return;
    const C_EEPROMFormat& formatA = *m_Active->Format();
    const C_Configuration& a = m_Active->Current();
    m_Differences = CompareConfigurations({a, formatA.Rows()}, b, FormatName);

    const QSignalBlocker blocker(m_Table);
    m_Table->clearContents();
    m_Table->setRowCount(int(m_Differences.size()));
    m_Table->setHorizontalHeaderLabels(
        {Text(Msg::PlaceColumn), QStringLiteral("A: ") + FileName(m_Active->Path()), QStringLiteral("B: ") + captionB});
    for (int r = 0; r < m_Table->rowCount(); ++r) {
        const S_Difference& difference = m_Differences[size_t(r)];
        m_Table->setItem(r, 0, new QTableWidgetItem(ShownPlace(difference, formatA)));
        m_Table->setItem(r, 1, new QTableWidgetItem(ShownSide(difference, a, difference.m_A)));
        m_Table->setItem(r, 2, new QTableWidgetItem(ShownSide(difference, b.m_Configuration, difference.m_B)));
        for (int column = 1; column <= 2; ++column)
            m_Table->item(r, column)->setToolTip(m_Table->item(r, column)->text());
    }
    UpdateTakeButton();
    m_Summary->setText(m_Differences.empty()
                           ? Text(Msg::SameConfigurations)
                           : QString::number(m_Differences.size()) + QLatin1Char(' ') + Text(Msg::DifferencesFound));
}

void TCompareForm::SelectDifference(int index)
{
    if (index < 0 || size_t(index) >= m_Differences.size())
        return;
    const S_Difference& difference = m_Differences[size_t(index)];
    if (m_Active != nullptr)
        SelectPlace(*m_Active, difference, difference.m_RowA);
    if (m_Other != nullptr)
        SelectPlace(*m_Other, difference, difference.m_RowB);
}

bool TCompareForm::TakeDifference(int index)
{
    if (m_Active == nullptr || index < 0 || size_t(index) >= m_Differences.size())
        return false;
    const C_Configuration* source = m_Other != nullptr ? &m_Other->Current() : m_File ? &*m_File : nullptr;
    if (source == nullptr)
        return false;
    const QString name = CommandTitle(Msg::TakeThis);
    return m_Active->CommitPaste(name, Text(Msg::CompareCaption),
                                 PlanTake(m_Active->Current(), *source, m_Differences[size_t(index)]), this);
}

void TCompareForm::Refresh()
{
    const int row = m_Table->currentRow();
    if (m_Other != nullptr)
        CompareWith(*m_Other);
    else if (m_File)
        Compare({*m_File, m_FileFormat->Rows()}, m_FileCaption);
    else
        return;
    // The windows' cursors stay where the user left them.
    const QSignalBlocker blocker(m_Table);
    if (row >= 0 && m_Table->rowCount() > 0)
        m_Table->setCurrentCell(std::min(row, m_Table->rowCount() - 1), 0);
    UpdateTakeButton();
}

void TCompareForm::UpdateTakeButton()
{
    const int row = m_Table->currentRow();
    m_TakeButton->setEnabled(row >= 0 && size_t(row) < m_Differences.size() &&
                             m_Differences[size_t(row)].m_Kind != S_Difference::Kind::Format &&
                             (m_Other != nullptr || m_File));
}

void TCompareForm::FollowChanges(TFormMDIChild* window)
{
    connect(window, &TFormMDIChild::ConfigurationChanged, this, [this, window] {
        // A window once compared with and then replaced by another is no longer followed.
        if (window == m_Active || window == m_Other)
            Refresh();
    });
}

void TCompareForm::RemoveOther(QObject* window)
{
    for (int i = 0; i < m_Others.size(); ++i) {
        // The pointer has already gone null; the entry's position is that of the null pointer.
        if (m_Others[i] == nullptr || m_Others[i] == window) {
            m_Others.removeAt(i);
            m_OthersBox->removeItem(i);
            break;
        }
    }
    m_CompareButton->setEnabled(!m_Others.isEmpty());
}
