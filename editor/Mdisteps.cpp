// The configuration window's commands on the steps of the displayed cycle, on the
// motor table and on the diagnostic lines.
#include "desktop/Messagebox.h"
#include "editor/Editnumber.h"
#include "editor/Mdichild.h"
#include "editor/Rowproperties.h"
#include "editor/Treenodes.h"
#include "editor/Windowquestions.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationedits.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "model/Motortable.h"

#include <QTableWidget>

namespace {

constexpr int ShortestMotorTime = 1;
constexpr int LongestMotorTime = 240;

} // namespace

// ---- Steps

C_Step* TFormMDIChild::StepUnderCursor() const
{
    C_CycleContent* content = DisplayedContent();
    const int column = m_StepsGrid->currentColumn();
    if (content == nullptr || column < 1 || column >= content->StepCount())
        return nullptr;
    return content->GetStep(column - 1);
}

void TFormMDIChild::InsertStepAtCursor(const QString& name, const C_Step& values, std::int16_t title)
{
    const int cycle = CycleIndex(m_DisplayedCycle);
    if (cycle < 0)
        return;
    C_Configuration after = m_Current;
    if (!ConfigurationEdit::InsertStep(after, size_t(cycle), size_t(std::max(m_StepsGrid->currentColumn(), 1) - 1),
                                       values.m_Values)) {
        C_MessageBox::Show(Text(Msg::NoFreeSteps), Text(title), C_MessageBox::Icon::Error, C_MessageBox::Buttons::Ok,
                           this);
        return;
    }
    Commit(name, std::move(after));
}

void TFormMDIChild::InsertStep(const QString& name)
{
    // Every field of a new step is off or not used.
    C_Step step;
    for (size_t i = 0; i < m_Format->Rows().size(); ++i)
        step.m_Values[i] = m_Format->Rows()[i].m_DisabledValue;
    InsertStepAtCursor(name, step, Msg::InsertStepTitle);
}

void TFormMDIChild::RemoveStep(const QString& name)
{
    if (StepUnderCursor() == nullptr)
        return;
    C_Configuration after = m_Current;
    ConfigurationEdit::RemoveStep(after, size_t(CycleIndex(m_DisplayedCycle)), size_t(m_StepsGrid->currentColumn() - 1),
                                  StepRecords());
    Commit(name, std::move(after));
}

void TFormMDIChild::EditStepsUnderCursor(const QString& name, const std::function<void(C_CycleContent&)>& edit)
{
    if (StepUnderCursor() == nullptr || m_StepsGrid->currentRow() < 1)
        return;
    const size_t cycle = size_t(CycleIndex(m_DisplayedCycle));
    // The format's step editing works on a cycle's steps; the window keeps what it leaves.
    C_CycleContent steps = ConfigurationEdit::ContentOf(*m_Current.m_Cycles[cycle].m_Steps);
    edit(steps);
    C_Configuration after = m_Current;
    ConfigurationEdit::SetSteps(after, cycle, ConfigurationEdit::StepsOf(steps));
    Commit(name, std::move(after));
}

void TFormMDIChild::EditStepCell(const QString& name)
{
    EditStepsUnderCursor(name, [this](C_CycleContent& steps) {
        C_WindowQuestions questions(*this, RowEditors());
        m_Format->EditStepField(steps, m_StepsGrid->currentColumn(), m_StepsGrid->currentRow(), questions);
    });
}

void TFormMDIChild::SwitchStepField(const QString& name, bool enable)
{
    EditStepsUnderCursor(name, [this, enable](C_CycleContent& steps) {
        m_Format->SetStepFieldEnabled(steps, m_StepsGrid->currentColumn(), m_StepsGrid->currentRow(), enable);
    });
}

void TFormMDIChild::EnableStepField(const QString& name)
{
    SwitchStepField(name, true);
}

void TFormMDIChild::DisableStepField(const QString& name)
{
    SwitchStepField(name, false);
}

void TFormMDIChild::CopyStep(const QString&)
{
    if (const C_Step* step = StepUnderCursor()) {
        m_StepClipboard.CopyValues(*step);
        m_StepCopied = true;
        m_StepClipboardRows = RowSignature();
    }
}

QStringList TFormMDIChild::RowSignature() const
{
    QStringList captions;
    if (m_Format != nullptr)
        for (const auto& row : m_Format->Rows())
            captions << row.GetCaption();
    return captions;
}

void TFormMDIChild::PasteStep(const QString& name)
{
    // A step's values mean something only under the rows they were copied from.
    if (!m_StepCopied || DisplayedContent() == nullptr || m_StepClipboardRows != RowSignature())
        return;
    InsertStepAtCursor(name, m_StepClipboard, Msg::PasteStepTitle);
}

// ---- Motor table

void TFormMDIChild::SetMotorCells(const QString& name, int column, int row, const std::function<int(int)>& value)
{
    if (row < 1 || row > MotorTable::Modes || column < 0 || column > MotorTable::TimesPerMode)
        return;
    C_Configuration after = m_Current;
    for (int c = column == 0 ? 1 : column; c <= (column == 0 ? MotorTable::TimesPerMode : column); ++c)
        ConfigurationEdit::SetMotorTime(after, row, c, value(m_Current.m_Motors[size_t(row - 1)][size_t(c - 1)]));
    Commit(name, std::move(after));
}

void TFormMDIChild::MotorEnable(const QString& name)
{
    SetMotorCells(name, m_MotorGrid->currentColumn(), m_MotorGrid->currentRow(),
                  [](int value) { return value == MotorTable::Unset ? 0 : value; });
}

void TFormMDIChild::MotorDisable(const QString& name)
{
    SetMotorCells(name, m_MotorGrid->currentColumn(), m_MotorGrid->currentRow(), [](int) { return MotorTable::Unset; });
}

void TFormMDIChild::MotorEdit(const QString& name)
{
    const int row = m_MotorGrid->currentRow();
    const int column = m_MotorGrid->currentColumn();
    if (row < 1 || row > MotorTable::Modes || column < 1 || column > MotorTable::TimesPerMode)
        return;
    const int shown = m_Current.m_Motors[size_t(row - 1)][size_t(column - 1)];
    std::int32_t value = shown == MotorTable::Unset ? 0 : shown;
    TFormEditNumber dialog(this, &value, QStringLiteral("sec"), LongestMotorTime, ShortestMotorTime,
                           m_MotorGrid->item(0, column)->text(), Text(Msg::MotorTimeTitle));
    // The dialog leaves a value out of range unwritten: the cell keeps its own.
    if (dialog.exec() != QDialog::Accepted || value < ShortestMotorTime || value > LongestMotorTime)
        return;
    SetMotorCells(name, column, row, [value](int) { return value; });
}

// ---- Diagnostic lines

void TFormMDIChild::DiagnosticClear(const QString&)
{
    m_DiagnosticTree->clear();
}
