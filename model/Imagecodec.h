#pragma once

#include "model/Configuration.h"
#include "model/Diagnosticlist.h"
#include "model/Formatdescription.h"
#include "model/Imagebytes.h"

// Converts a format's memory image and the configuration value into each other,
// with the checks of a build and the lines reading and building write; no window
// takes part. What the window shows of a loaded image is the value Decode gives.
class C_ImageCodec
{
public:
    explicit C_ImageCodec(const S_FormatDescription& description);

    // The configuration the image holds, as the window shows it. Reading settles
    // the motor table in the image as the window's grid takes it (times of 0 as not
    // set), so the image is the one a later build starts from.
    C_Configuration Decode(MemoryImage& image, C_DiagnosticSink& lines) const;
    // Writes the value into the image: service, motor table, programs and cycles
    // with the format's checks; false at the first that fails, its reason an error line.
    bool Encode(const C_Configuration& value, MemoryImage& image, C_DiagnosticSink& lines) const;

    // 16 or 24, as an image says.
    int OutputsOf(const MemoryImage& image) const;
    // The free steps of a configuration of this many steps: the budget stops one
    // short of the records; -1 when it would run out.
    std::int32_t FreeSteps(int steps) const;

private:
    std::vector<C_Configuration::S_Cycle> DecodeCycles(const MemoryImage& image, C_DiagnosticSink& lines) const;
    bool EncodeCycles(const C_Configuration& value, MemoryImage& image, C_DiagnosticSink& lines) const;

    const S_FormatDescription& m_Description;
};
