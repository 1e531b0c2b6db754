#pragma once

#include "model/Configuration.h"
#include "model/Diagnosticlist.h"
#include "model/Formatdescription.h"
#include "model/Imagebytes.h"
#include "transfer/Transferjob.h"

#include <optional>

class C_EEPROMFormat;

// A configuration's transfers as kw3tool and Kw3Win's tests run them, on the
// calling thread, their lines written under a heading of their own.

// The heading of a transfer with the port line under it.
int TransferHeading(C_DiagnosticSink& lines, const S_FormatDescription& description, TransferDirection direction);
S_TransferPlan PlanTransfer(TransferDirection direction, const S_LinkSettings& link, std::uint16_t formatCode,
                            const MemoryImage& image);
// Sends the image: with a backup folder after keeping there what the controller
// held, with verify reading it back after; true when it all went well.
bool SendConfiguration(const S_FormatDescription& description, const MemoryImage& image, const S_LinkSettings& link,
                       const QString& backupFolder, bool verify, C_DiagnosticSink& lines);
// Receives an image of the format; the image is replaced only when all of it arrived.
bool ReceiveConfiguration(const S_FormatDescription& description, MemoryImage& image, const S_LinkSettings& link,
                          C_DiagnosticSink& lines);

// A transfer of the format's configuration: the image as last built, or a buffer of its size.
S_TransferPlan PlanTransfer(const C_EEPROMFormat& format, TransferDirection direction, const S_LinkSettings& link);
// Receives the image from the controller; the configuration it holds, taken as
// Decode does, or none unless the whole image arrived (the format then stays as it was).
std::optional<C_Configuration> UploadConfiguration(C_EEPROMFormat& format, const S_LinkSettings& link,
                                                   C_DiagnosticSink& lines);
// Builds the image and sends it to the controller: with a backup folder after
// keeping there what the controller held, with verify reading it back after.
bool DownloadConfiguration(C_EEPROMFormat& format, const C_Configuration& value, const S_LinkSettings& link,
                           C_DiagnosticSink& lines, const QString& backupFolder = QString(), bool verify = false);
