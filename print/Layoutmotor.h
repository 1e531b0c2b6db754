#pragma once

#include "print/Layoutadapter.h"

// The design of the service and motor page (portrait). Every printed text is the
// print job's; the components say where it goes and in which font.
class TMotorLayoutForm
{
public:
    static constexpr int MotorModes = 15;

    static const S_LayoutControl Form;
    // Fills the client area; not printed.
    static const S_LayoutControl m_PageBorderBevel;
    static const S_LayoutControl m_ApplicationNameLabel;
    // The logo, stretched.
    static const S_LayoutControl m_OrvexImage;
    static const S_LayoutControl m_FilenameLabel;
    static const S_LayoutControl m_PrintDateLabel;
    static const S_LayoutControl m_PrintTimeLabel;
    static const S_LayoutControl m_ServiceCaptionLabel;
    static const S_LayoutControl m_TotalWashesLabel;
    static const S_LayoutControl m_PartialWashesLabel;
    static const S_LayoutControl m_WorkingHoursLabel;
    static const S_LayoutControl m_LanguageLabel;
    static const S_LayoutControl m_TemperatureLabel;
    static const S_LayoutControl m_MaximumLevelLabel;
    static const S_LayoutControl m_MinimumLevelLabel;
    static const S_LayoutControl m_AdvanceEnableLabel;
    static const S_LayoutControl m_MachineEnableLabel;
    static const S_LayoutControl m_SlowingDownTimeLabel;
    static const S_LayoutControl m_MaximumSpeedLabel;
    static const S_LayoutControl m_SpinLevelLabel;
    // The lines above, in order: one for each printed service parameter.
    static const S_LayoutControl* const m_ServiceLineLabels[12];
    static const S_LayoutControl m_NumberOfOutputsLabel;
    static const S_LayoutControl m_MotorCaptionLabel;
    // m_MotorMode1Label to m_MotorMode15Label.
    static const S_LayoutControl m_MotorModeLabels[MotorModes];
    static const S_LayoutControl m_PageNumberLabel;
};
