#include "model/Configurationtransfer.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationpanes.h"
#include "model/Eepromformat.h"
#include "model/Transferlines.h"

int TransferHeading(C_DiagnosticSink& lines, const S_FormatDescription& description, TransferDirection direction)
{
    const std::int16_t heading =
        direction == TransferDirection::Download ? Msg::DownloadHeading : description.m_UploadHeading;
    const int line = lines.Add(C_DiagnosticSink::Top, Text(heading), C_DiagnosticSink::Heading);
    lines.Add(line, Text(Msg::OpeningPort), C_DiagnosticSink::InProgress);
    return line;
}

S_TransferPlan PlanTransfer(TransferDirection direction, const S_LinkSettings& link, std::uint16_t formatCode,
                            const MemoryImage& image)
{
    S_TransferPlan plan;
    plan.m_Direction = direction;
    plan.m_Link = link;
    plan.m_FormatCode = formatCode;
    plan.m_Image = image;
    return plan;
}

bool SendConfiguration(const S_FormatDescription& description, const MemoryImage& image, const S_LinkSettings& link,
                       const QString& backupFolder, bool verify, C_DiagnosticSink& lines)
{
    C_TransferLines transfer(lines, TransferHeading(lines, description, TransferDirection::Download));
    S_TransferPlan plan = PlanTransfer(TransferDirection::Download, link, description.m_Layout.m_FormatCode, image);
    plan.m_BackupFolder = backupFolder;
    plan.m_Verify = verify;
    return C_TransferJob(plan, transfer).Run().Succeeded();
}

bool ReceiveConfiguration(const S_FormatDescription& description, MemoryImage& image, const S_LinkSettings& link,
                          C_DiagnosticSink& lines)
{
    C_TransferLines transfer(lines, TransferHeading(lines, description, TransferDirection::Upload));
    const S_TransferOutcome outcome =
        C_TransferJob(PlanTransfer(TransferDirection::Upload, link, description.m_Layout.m_FormatCode, image), transfer)
            .Run();
    // The link writes the image only when all of it arrived, so a failed upload leaves it as it was.
    if (!outcome.Succeeded())
        return false;
    image = outcome.m_Image;
    return true;
}

QTreeWidgetItem* C_EEPROMFormat::AddTransferHeading(TransferDirection direction)
{
    C_PaneLines lines(m_Window);
    return lines.Item(TransferHeading(lines, m_Description, direction));
}

S_TransferPlan C_EEPROMFormat::PlanTransfer(TransferDirection direction, const S_LinkSettings& link) const
{
    return ::PlanTransfer(direction, link, FormatCode(), m_Image);
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
    MemoryImage image = m_Image;
    C_PaneLines lines(m_Window);
    if (!ReceiveConfiguration(m_Description, image, link, lines))
        return false;
    ShowReceivedImage(image);
    return true;
}

bool C_EEPROMFormat::Download(const S_LinkSettings& link, const QString& backupFolder, bool verify)
{
    C_PaneLines lines(m_Window);
    return BuildImage() && SendConfiguration(m_Description, m_Image, link, backupFolder, verify, lines);
}
