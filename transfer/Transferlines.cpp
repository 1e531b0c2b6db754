#include "transfer/Transferlines.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Diagnosticlist.h"

C_TransferLines::C_TransferLines(C_DiagnosticSink& lines, int heading)
    : m_Lines(lines)
    , m_Heading(heading)
    , m_Parent(heading)
{
}

void C_TransferLines::Reported(std::int16_t id, int icon, const QString& detail)
{
    m_Lines.Add(m_Parent, Text(id) + detail, icon);
}

void C_TransferLines::StageChanged(TransferStage stage)
{
    switch (stage) {
    case TransferStage::Backup:
        m_Parent = m_Lines.Add(m_Heading, Text(Msg::BackupStage), C_DiagnosticSink::Information);
        break;
    case TransferStage::Verify:
        m_Parent = m_Lines.Add(m_Heading, Text(Msg::VerifyStage), C_DiagnosticSink::Information);
        break;
    case TransferStage::Download:
    case TransferStage::Upload: m_Parent = m_Heading; break;
    }
}
