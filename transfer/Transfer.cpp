#include "transfer/Configurationtransfer.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "transfer/Transferlines.h"

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

S_TransferPlan PlanTransfer(const C_EEPROMFormat& format, TransferDirection direction, const S_LinkSettings& link)
{
    return PlanTransfer(direction, link, format.FormatCode(), format.Image());
}

std::optional<C_Configuration> UploadConfiguration(C_EEPROMFormat& format, const S_LinkSettings& link,
                                                   C_DiagnosticSink& lines)
{
    MemoryImage image = format.Image();
    if (!ReceiveConfiguration(format.FormatDescription(), image, link, lines))
        return std::nullopt;
    // The received configuration replaces the one before, step budget included.
    return format.ReadImage(image, lines);
}

bool DownloadConfiguration(C_EEPROMFormat& format, const C_Configuration& value, const S_LinkSettings& link,
                           C_DiagnosticSink& lines, const QString& backupFolder, bool verify)
{
    return format.Build(value, lines) &&
           SendConfiguration(format.FormatDescription(), format.Image(), link, backupFolder, verify, lines);
}
