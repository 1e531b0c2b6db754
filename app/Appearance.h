#pragma once

#include "desktop/Colourscheme.h"

#include <QPalette>
#include <QString>

#include <cstdint>
#include <vector>

// The palettes Kw3Win can show the screen in. Printing, Export and kw3tool do not
// use them: paper stays black on white.
enum class Appearance { Desktop, Light, Dark, HighContrast };

struct S_AppearanceChoice
{
    Appearance m_Appearance;
    // As the settings keep it.
    const char* m_Key;
    // The Window menu's entry.
    std::int16_t m_Label;
};

// In the order of the Window menu.
const std::vector<S_AppearanceChoice>& AppearanceChoices();
// The choice a settings value names; an unknown value follows the desktop.
const S_AppearanceChoice& AppearanceOfKey(const QString& key);

// The palette of the choice; the desktop's is the one the application started
// with, or the dark or light one when that is what the desktop prefers and its
// palette is not.
QPalette PaletteOf(Appearance appearance, const QPalette& desktop,
                   C_DesktopScheme::Scheme preferred = C_DesktopScheme::Scheme::None);
