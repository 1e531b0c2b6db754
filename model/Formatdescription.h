#pragma once

#include "model/Imagebytes.h"
#include "model/Serviceblock.h"
#include "model/Steprecord.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// Where a format keeps the parts of its memory image.
struct S_ImageLayout
{
    std::uint16_t m_FormatCode;
    int m_ImageSize;
    int m_StepRecords;
    int m_RecordSize;
    int m_ProgramArea;
    int m_MotorTable;
    int m_OutputsByte;
};

// A run of bytes given one value.
struct S_ByteFill
{
    int m_Offset;
    int m_Length;
    std::uint8_t m_Value;
};

// Each run of the image set to its value.
inline void FillBytes(MemoryImage& image, const std::vector<S_ByteFill>& fills)
{
    for (const S_ByteFill& fill : fills)
        std::fill_n(image.begin() + fill.m_Offset, fill.m_Length, fill.m_Value);
}

// Everything in which one format differs from the others.
struct S_FormatDescription
{
    S_ImageLayout m_Layout;
    std::vector<S_ServiceField> m_Service;
    // Bytes a new image holds besides its service defaults (the rest is 255).
    std::vector<S_ByteFill> m_NewImageBytes;
    // Bytes every build clears after the cycles are written.
    std::vector<S_ByteFill> m_ClearedByBuild;
    // The heading the service block writes when it is built, or 0 for none.
    std::int16_t m_ServiceHeading;
    // The rows for 24 outputs (see StepRowTable).
    std::vector<S_StepRow> m_StepRows;
    // The high byte of a drum speed that is not used (its low byte is 255).
    std::uint8_t m_UnusedSpeedHigh;
    std::vector<StepCheck> m_StepChecks;
    // Records whose step number is 255 hold no step.
    bool m_StepNumber255Unused;
    // The line written for a cycle that reading the steps creates, or 0 for none.
    std::int16_t m_CreatedCycleLine;
    // The picture of m_TypeImageList that shows the format, and its hint.
    int m_TypePicture;
    std::int16_t m_TypeHint;
    // The heading of an upload.
    std::int16_t m_UploadHeading;
    // The time limit of a step can be edited, and the cooling and balanced-feed
    // dialogs set it; the Varnholt machine keeps its own.
    bool m_TimeLimitEditable;
};
