#pragma once

#include <QColor>

class QPalette;

// Whether the palette paints dark text on light cells, the look the grids and dialogs were drawn for.
bool IsLightPalette(const QPalette& palette);

// The contrast ratio of two colours as WCAG defines it, from 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// The colour nearest to from on the way to towards that keeps the ratio against
// background; towards itself when none on the way does.
QColor Reaching(const QColor& from, const QColor& towards, const QColor& background, double ratio);
