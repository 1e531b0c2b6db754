#include "model/Eepromformat.h"

#include "comm/Rs232handler.h"
#include "editor/Configurationpanes.h"
#include "language/Language.h"

namespace {

std::unique_ptr<C_KW3Communication> OpenLink(const S_LinkSettings& link, QTreeWidgetItem* heading)
{
    if (!link.m_Device.isEmpty())
        return std::make_unique<C_KW3Communication>(heading, link.m_Device, link.m_ReceiveTimeout,
                                                    link.m_SendTimeout);
    return std::make_unique<C_KW3Communication>(heading, link.m_Port, link.m_ReceiveTimeout, link.m_SendTimeout);
}

QTreeWidgetItem* AddTransferHeading(C_ConfigurationPanes& window, std::int16_t heading)
{
    QTreeWidgetItem* line = window.AddDiagnostic(nullptr, Text(heading), C_ConfigurationPanes::Heading);
    window.AddDiagnostic(line, Text(193), C_ConfigurationPanes::InProgress);
    return line;
}

} // namespace

bool C_EEPROMFormat::Upload(const S_LinkSettings& link)
{
    QTreeWidgetItem* heading = AddTransferHeading(m_Window, m_Description.m_UploadHeading);
    // The link writes the image only when all of it arrived, so a failed upload leaves it as it was.
    const bool received = OpenLink(link, heading)->ReceiveImage(m_Image.data(), std::uint16_t(m_Image.size()));
    if (!received)
        return false;
    // The received configuration replaces the one shown, step budget included.
    m_Window.ClearConfiguration();
    m_StepTotal = 0;
    ShowInPanes();
    return true;
}

bool C_EEPROMFormat::Download(const S_LinkSettings& link)
{
    if (!BuildImage())
        return false;
    QTreeWidgetItem* heading = AddTransferHeading(m_Window, 192);
    return OpenLink(link, heading)->SendImage(m_Image.data(), std::uint16_t(m_Image.size()));
}
