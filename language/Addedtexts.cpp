#include "language/Messages.h"

#include <iterator>

namespace {

// In id order from Msg::FirstAdded; the language files hold the same lines.
constexpr const char* Texts[] = {
    "Download finished",
    "Upload finished",
    "Backup before download",
    "Verify after download",
    "Backup of the controller's configuration written to",
    "The backup cannot be written, so nothing was sent:",
    "No backup of the controller's configuration, so nothing was sent",
    "Download verified: the controller holds the configuration sent",
    "Download not verified: the controller holds a different configuration; bytes that differ:",
    "the first at offset",
    "Could not verify the download: the configuration was sent but could not be read back",
    "Download cancelled: nothing was sent",
    "Download cancelled: the controller holds an incomplete configuration and must get a complete one before the "
    "machine runs",
    "Upload cancelled",
    "Verify cancelled: the configuration was sent but not read back",
    "The line does not fall quiet: another device keeps sending",
    "Transfer safety",
    "Calling the controller, try",
    "Waiting for the controller to get ready",
    "Sending the configuration",
    "Receiving the configuration",
    "Elapsed",
    "Left about",
    "If you cancel now, the controller holds an incomplete configuration and must get a complete one before the "
    "machine runs.",
    "Kw3Win exits as soon as the transfer has ended.",
    "Wait",
    "Cancel transfer",
    "The transfer log cannot be written:",
    "The upload failed, so no window was opened:",
    "A transfer is running: the window can be edited and closed when it has ended.",
};

static_assert(std::size(Texts) == Msg::EndOfAdded - Msg::FirstAdded, "one text per added id");

} // namespace

const char* BuiltInText(std::int16_t id)
{
    if (id < Msg::FirstAdded || id >= Msg::EndOfAdded)
        return nullptr;
    return Texts[id - Msg::FirstAdded];
}
