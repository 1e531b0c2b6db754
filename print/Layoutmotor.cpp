#include "print/Layoutmotor.h"

using F = TMotorLayoutForm;

const S_LayoutControl F::Form{"TMotorLayoutForm", nullptr, 0, 0, 428, 621, {}};
const S_LayoutControl F::m_PageBorderBevel{"m_PageBorderBevel", &Form, 0, 0, 420, 594, {}};
const S_LayoutControl F::m_ApplicationNameLabel{"m_ApplicationNameLabel", &Form, 8, 18, 87, 23, HeadingFont(16)};
const S_LayoutControl F::m_OrvexImage{"m_OrvexImage", &Form, 265, 4, 153, 43, {}};
const S_LayoutControl F::m_FilenameLabel{"m_FilenameLabel", &Form, 10, 59, 74, 11, HeadingFont(8)};
const S_LayoutControl F::m_PrintDateLabel{"m_PrintDateLabel", &Form, 10, 74, 61, 10, ArialFont(8)};
const S_LayoutControl F::m_PrintTimeLabel{"m_PrintTimeLabel", &Form, 85, 74, 63, 10, ArialFont(8)};
const S_LayoutControl F::m_ServiceCaptionLabel{"m_ServiceCaptionLabel", &Form, 10, 100, 101, 11, HeadingFont(8)};
const S_LayoutControl F::m_TotalWashesLabel{"m_TotalWashesLabel", &Form, 32, 120, 74, 10, ArialFont(8)};
const S_LayoutControl F::m_PartialWashesLabel{"m_PartialWashesLabel", &Form, 32, 135, 79, 10, ArialFont(8)};
const S_LayoutControl F::m_WorkingHoursLabel{"m_WorkingHoursLabel", &Form, 32, 150, 79, 10, ArialFont(8)};
const S_LayoutControl F::m_LanguageLabel{"m_LanguageLabel", &Form, 32, 165, 61, 10, ArialFont(8)};
const S_LayoutControl F::m_TemperatureLabel{"m_TemperatureLabel", &Form, 32, 180, 73, 10, ArialFont(8)};
const S_LayoutControl F::m_MaximumLevelLabel{"m_MaximumLevelLabel", &Form, 32, 195, 82, 10, ArialFont(8)};
const S_LayoutControl F::m_MinimumLevelLabel{"m_MinimumLevelLabel", &Form, 32, 210, 80, 10, ArialFont(8)};
const S_LayoutControl F::m_AdvanceEnableLabel{"m_AdvanceEnableLabel", &Form, 32, 225, 81, 10, ArialFont(8)};
const S_LayoutControl F::m_MachineEnableLabel{"m_MachineEnableLabel", &Form, 32, 240, 81, 10, ArialFont(8)};
const S_LayoutControl F::m_SlowingDownTimeLabel{"m_SlowingDownTimeLabel", &Form, 32, 255, 94, 10, ArialFont(8)};
const S_LayoutControl F::m_MaximumSpeedLabel{"m_MaximumSpeedLabel", &Form, 32, 270, 85, 10, ArialFont(8)};
const S_LayoutControl F::m_SpinLevelLabel{"m_SpinLevelLabel", &Form, 32, 285, 62, 10, ArialFont(8)};
const S_LayoutControl* const F::m_ServiceLineLabels[12]{
    &m_TotalWashesLabel,   &m_PartialWashesLabel,   &m_WorkingHoursLabel, &m_LanguageLabel,
    &m_TemperatureLabel,   &m_MaximumLevelLabel,    &m_MinimumLevelLabel, &m_AdvanceEnableLabel,
    &m_MachineEnableLabel, &m_SlowingDownTimeLabel, &m_MaximumSpeedLabel, &m_SpinLevelLabel,
};
const S_LayoutControl F::m_NumberOfOutputsLabel{"m_NumberOfOutputsLabel", &Form, 32, 299, 91, 10, ArialFont(8)};
const S_LayoutControl F::m_MotorCaptionLabel{"m_MotorCaptionLabel", &Form, 10, 323, 94, 11, HeadingFont(8)};
// One line every 15 pixels from 350; the two-digit modes have the wider labels.
const S_LayoutControl F::m_MotorModeLabels[MotorModes]{
    {"m_MotorMode1Label", &Form, 35, 350, 72, 10, ArialFont(8)},
    {"m_MotorMode2Label", &Form, 35, 365, 72, 10, ArialFont(8)},
    {"m_MotorMode3Label", &Form, 35, 380, 72, 10, ArialFont(8)},
    {"m_MotorMode4Label", &Form, 35, 395, 72, 10, ArialFont(8)},
    {"m_MotorMode5Label", &Form, 35, 410, 72, 10, ArialFont(8)},
    {"m_MotorMode6Label", &Form, 35, 425, 72, 10, ArialFont(8)},
    {"m_MotorMode7Label", &Form, 35, 440, 72, 10, ArialFont(8)},
    {"m_MotorMode8Label", &Form, 35, 455, 72, 10, ArialFont(8)},
    {"m_MotorMode9Label", &Form, 35, 470, 72, 10, ArialFont(8)},
    {"m_MotorMode10Label", &Form, 35, 485, 76, 10, ArialFont(8)},
    {"m_MotorMode11Label", &Form, 35, 500, 76, 10, ArialFont(8)},
    {"m_MotorMode12Label", &Form, 35, 515, 76, 10, ArialFont(8)},
    {"m_MotorMode13Label", &Form, 35, 530, 76, 10, ArialFont(8)},
    {"m_MotorMode14Label", &Form, 35, 545, 76, 10, ArialFont(8)},
    {"m_MotorMode15Label", &Form, 35, 560, 76, 10, ArialFont(8)},
};
const S_LayoutControl F::m_PageNumberLabel{"m_PageNumberLabel", &Form, 375, 575, 21, 10, ArialFont(8)};
