#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationpanes.h"
#include "model/Eepromformat.h"
#include "model/Transferlines.h"

QTreeWidgetItem* C_EEPROMFormat::AddTransferHeading(TransferDirection direction)
{
    const std::int16_t heading =
        direction == TransferDirection::Download ? Msg::DownloadHeading : m_Description.m_UploadHeading;
    QTreeWidgetItem* line = m_Window.AddDiagnostic(nullptr, Text(heading), C_ConfigurationPanes::Heading);
    m_Window.AddDiagnostic(line, Text(Msg::OpeningPort), C_ConfigurationPanes::InProgress);
    return line;
}

S_TransferPlan C_EEPROMFormat::PlanTransfer(TransferDirection direction, const S_LinkSettings& link) const
{
    S_TransferPlan plan;
    plan.m_Direction = direction;
    plan.m_Link = link;
    plan.m_FormatCode = FormatCode();
    plan.m_Image = m_Image;
    return plan;
}

void C_EEPROMFormat::ShowReceivedImage(const MemoryImage& image)
{
    m_Image = image;
    // The received configuration replaces the one shown, step budget included.
    m_Window.ClearConfiguration();
    m_StepTotal = 0;
    ShowInPanes();
}

bool C_EEPROMFormat::Upload(const S_LinkSettings& link)
{
    C_TransferLines lines(m_Window, AddTransferHeading(TransferDirection::Upload));
    const S_TransferOutcome outcome = C_TransferJob(PlanTransfer(TransferDirection::Upload, link), lines).Run();
    // The link writes the image only when all of it arrived, so a failed upload leaves it as it was.
    if (!outcome.Succeeded())
        return false;
    ShowReceivedImage(outcome.m_Image);
    return true;
}

bool C_EEPROMFormat::Download(const S_LinkSettings& link, const QString& backupFolder, bool verify)
{
    if (!BuildImage())
        return false;
    C_TransferLines lines(m_Window, AddTransferHeading(TransferDirection::Download));
    S_TransferPlan plan = PlanTransfer(TransferDirection::Download, link);
    plan.m_BackupFolder = backupFolder;
    plan.m_Verify = verify;
    return C_TransferJob(plan, lines).Run().Succeeded();
}
