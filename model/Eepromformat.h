#pragma once

#include "model/Configuration.h"
#include "model/Fileheader.h"
#include "model/Formatdescription.h"
#include "model/Imagebytes.h"
#include "model/Steprow.h"

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class C_DiagnosticSink;
class C_CycleContent;
class C_Step;
class C_StepQuestions;

// A memory-image format: owns the image, the step rows and the step budget,
// converts the image into the configuration value and back with its checks, and
// reports what it finds as diagnostic lines. The formats differ only in their
// description.
class C_EEPROMFormat
{
public:
    // The format of the code with its new image, or null for a code of no format.
    // Outputs 16 or 24; 0 when the format is created to read a file.
    static std::unique_ptr<C_EEPROMFormat> Create(std::uint16_t formatCode, int outputs);
    static bool IsFormatCode(std::uint16_t code);
    // The description of the format of the code, or null for a code of no format.
    static const S_FormatDescription* DescriptionOf(std::uint16_t formatCode);
    // The rows of the format for 16 or 24 outputs, in the step grid's order.
    static std::vector<S_StepRow> RowLayoutOf(const S_FormatDescription& description, int outputs);
    // A new image: 255, the service defaults, the format's own bytes and the outputs.
    static MemoryImage NewImage(const S_FormatDescription& description, int outputs);

    virtual ~C_EEPROMFormat();
    C_EEPROMFormat(const C_EEPROMFormat&) = delete;
    C_EEPROMFormat& operator=(const C_EEPROMFormat&) = delete;

    // The last build succeeded: a failed save then failed in writing the file.
    bool ImageBuilt() const { return m_ImageBuilt; }
    std::uint16_t FormatCode() const { return m_Description.m_Layout.m_FormatCode; }
    const MemoryImage& Image() const { return m_Image; }
    const std::vector<C_StepRow>& Rows() const { return m_Rows; }
    // Where each of Rows() lies in a step record.
    const std::vector<S_StepRow>& RowLayout() const { return m_RowLayout; }
    const S_FormatDescription& FormatDescription() const { return m_Description; }

    // The configuration the image holds, as a window shows it, with the lines of
    // reading it; the format takes it as Adopt does.
    C_Configuration Decode(C_DiagnosticSink& lines);
    // The same for an image that replaces the format's (one received from the controller).
    C_Configuration ReadImage(const MemoryImage& image, C_DiagnosticSink& lines);
    // The image and the configuration it holds become the format's: the rows made
    // for its outputs, its steps taken from the step budget.
    void Adopt(const MemoryImage& image, const C_Configuration& value);
    // The value into the image; stops with false at the first check that fails.
    bool Build(const C_Configuration& value, C_DiagnosticSink& lines);
    // The start of the image replaced by the bytes (a file's image, which may be short).
    void LoadImage(const QByteArray& bytes);
    // The bytes of the image a Save keeps rather than writes from the configuration,
    // where they differ from what a Save keeps of a new image: what a text form must
    // carry to save as this configuration does. steps: the configuration's steps.
    std::map<int, std::uint8_t> KeptBytes(int steps) const;
    // Builds the image and writes it as a configuration file; false when either fails.
    bool SaveFile(const C_Configuration& value, const QString& path, C_DiagnosticSink& lines);
    // Takes count steps from the budget (a negative count gives them back); the
    // free steps left, or -1 when they would run out.
    std::int32_t ReserveSteps(std::int32_t count);
    std::int32_t FreeSteps() const;
    // 16 or 24, as the image says.
    int GetOutputs() const;
    // The position in Rows() of the row with the role, or -1 when the format has none.
    std::int32_t RowOf(StepRole role) const;

    // The step grid's cells: column 0 holds the row captions, row 0 the step
    // numbers, column c the entry c - 1 of the cycle (the last column its closing
    // entry) and row r the row r - 1. Editing keeps the rules between the end
    // conditions, the special functions and the temperatures, asking as it needs.
    void EditStepField(C_CycleContent& content, int column, int row, C_StepQuestions& ask);
    void SetStepFieldEnabled(C_CycleContent& content, int column, int row, bool enable);

protected:
    C_EEPROMFormat(const S_FormatDescription& description, int outputs);

    // Positions in m_Rows of the rows addressed by meaning; -1 for a row the format lacks.
    std::int32_t m_CoolingRow = -1;
    std::int32_t m_BalancedFeedRow = -1;
    std::int32_t m_TemperatureFunctionRow = -1;
    std::int32_t m_LevelRow = -1;
    std::int32_t m_TemperatureRow = -1;
    std::int32_t m_TimeRow = -1;
    std::int32_t m_TimeLimitRow = -1;
    std::int32_t m_SecondLevelRow = -1;
    std::int32_t m_SecondTemperatureRow = -1;
    std::int32_t m_MotorModeRow = -1;
    std::int32_t m_DrumSpeedRow = -1;
    std::vector<C_StepRow> m_Rows;
    std::int32_t m_StepTotal = 0;
    MemoryImage m_Image;

private:
    void MakeRows(int outputs);
    std::int32_t* RoleRow(StepRole role);
    // Cooling, balanced feed or the temperature function of the step switched on or off.
    void EditSpecialFunction(C_Step& step, std::int32_t row, C_StepQuestions& ask);
    void EditTemperature(C_Step& step, C_StepQuestions& ask);

    const S_FormatDescription& m_Description;
    // The record places of m_Rows, row by row.
    std::vector<S_StepRow> m_RowLayout;
    // m_Rows holds the rows of outputs 17 to 24.
    bool m_ExtraOutputRows = false;
    bool m_ImageBuilt = false;
};
