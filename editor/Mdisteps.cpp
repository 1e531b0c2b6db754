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

void TFormMDIChild::InsertStepAtCursor(const C_Step& values)
{
    C_CycleContent& content = *DisplayedContent();
    content.InsertStep(std::int16_t(std::max(m_StepsGrid->currentColumn(), 1) - 1))->CopyValues(values);
    m_DisplayedCycle->setText(0, NodeLabel(*NodeData(m_DisplayedCycle)));
    ShowCycle(m_DisplayedCycle);
}

bool TFormMDIChild::InsertStep()
{
    if (DisplayedContent() == nullptr)
        return false;
    const std::int32_t free = m_Format->ReserveSteps(1);
    if (free < 0) {
        C_MessageBox::Show(Text(Msg::NoFreeSteps), Text(Msg::InsertStepTitle), C_MessageBox::Icon::Error,
                           C_MessageBox::Buttons::Ok, this);
        return false;
    }
    ShowFreeSteps(free);
    // Every field of a new step is off or not used.
    C_Step step;
    for (size_t i = 0; i < m_Format->Rows().size(); ++i)
        step.m_Values[i] = m_Format->Rows()[i].m_DisabledValue;
    InsertStepAtCursor(step);
    return true;
}

bool TFormMDIChild::RemoveStep()
{
    if (StepUnderCursor() == nullptr)
        return false;
    ShowFreeSteps(m_Format->ReserveSteps(-1));
    DisplayedContent()->RemoveStep(m_StepsGrid->currentColumn() - 1);
    m_DisplayedCycle->setText(0, NodeLabel(*NodeData(m_DisplayedCycle)));
    ShowCycle(m_DisplayedCycle);
    return true;
}

bool TFormMDIChild::EditStepCell()
{
    C_Step* step = StepUnderCursor();
    if (step == nullptr || m_StepsGrid->currentRow() < 1)
        return false;
    const auto before = step->m_Values;
    C_WindowQuestions questions(*this, RowEditors());
    m_Format->EditStepField(*DisplayedContent(), m_StepsGrid->currentColumn(), m_StepsGrid->currentRow(), questions);
    RepaintStepsGrid();
    return step->m_Values != before;
}

bool TFormMDIChild::SwitchStepField(bool enable)
{
    C_Step* step = StepUnderCursor();
    if (step == nullptr || m_StepsGrid->currentRow() < 1)
        return false;
    const auto before = step->m_Values;
    m_Format->SetStepFieldEnabled(*DisplayedContent(), m_StepsGrid->currentColumn(), m_StepsGrid->currentRow(), enable);
    RepaintStepsGrid();
    return step->m_Values != before;
}

bool TFormMDIChild::EnableStepField()
{
    return SwitchStepField(true);
}

bool TFormMDIChild::DisableStepField()
{
    return SwitchStepField(false);
}

bool TFormMDIChild::CopyStep()
{
    if (const C_Step* step = StepUnderCursor()) {
        m_StepClipboard.CopyValues(*step);
        m_StepCopied = true;
        m_StepClipboardRows = RowSignature();
    }
    return false;
}

QStringList TFormMDIChild::RowSignature() const
{
    QStringList captions;
    if (m_Format != nullptr)
        for (const auto& row : m_Format->Rows())
            captions << row.GetCaption();
    return captions;
}

bool TFormMDIChild::PasteStep()
{
    // A step's values mean something only under the rows they were copied from.
    if (!m_StepCopied || DisplayedContent() == nullptr || m_StepClipboardRows != RowSignature())
        return false;
    const std::int32_t free = m_Format->ReserveSteps(1);
    if (free < 0) {
        C_MessageBox::Show(Text(Msg::NoFreeSteps), Text(Msg::PasteStepTitle), C_MessageBox::Icon::Error,
                           C_MessageBox::Buttons::Ok, this);
        return false;
    }
    ShowFreeSteps(free);
    InsertStepAtCursor(m_StepClipboard);
    return true;
}

// ---- Motor table

bool TFormMDIChild::SetMotorCells(int column, int row, const std::function<int(int)>& value)
{
    if (row < 1 || row > MotorTable::Modes || column < 0 || column > MotorTable::TimesPerMode)
        return false;
    bool changed = false;
    for (int c = column == 0 ? 1 : column; c <= (column == 0 ? MotorTable::TimesPerMode : column); ++c) {
        const int before = MotorCell(row, c);
        SetMotorCell(row, c, value(before));
        changed = changed || MotorCell(row, c) != before;
    }
    m_MotorGrid->viewport()->update();
    return changed;
}

bool TFormMDIChild::MotorEnable()
{
    return SetMotorCells(m_MotorGrid->currentColumn(), m_MotorGrid->currentRow(),
                         [](int value) { return value == MotorTable::Unset ? 0 : value; });
}

bool TFormMDIChild::MotorDisable()
{
    return SetMotorCells(m_MotorGrid->currentColumn(), m_MotorGrid->currentRow(),
                         [](int) { return MotorTable::Unset; });
}

bool TFormMDIChild::MotorEdit()
{
    const int row = m_MotorGrid->currentRow();
    const int column = m_MotorGrid->currentColumn();
    if (row < 1 || row > MotorTable::Modes || column < 1 || column > MotorTable::TimesPerMode)
        return false;
    std::int32_t value = MotorCell(row, column) == MotorTable::Unset ? 0 : MotorCell(row, column);
    TFormEditNumber dialog(this, &value, QStringLiteral("sec"), LongestMotorTime, ShortestMotorTime,
                           m_MotorGrid->item(0, column)->text(), Text(Msg::MotorTimeTitle));
    // The dialog leaves a value out of range unwritten: the cell keeps its own.
    if (dialog.exec() != QDialog::Accepted || value < ShortestMotorTime || value > LongestMotorTime)
        return false;
    return SetMotorCells(column, row, [value](int) { return value; });
}

// ---- Diagnostic lines

bool TFormMDIChild::DiagnosticClear()
{
    m_DiagnosticTree->clear();
    return false;
}
