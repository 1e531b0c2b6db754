#pragma once

#include "desktop/Contrast.h"

#include <QColor>

class QPalette;
struct S_TimelineColours;

// The colours the step and motor grids paint with, taken from the palette. A
// light palette keeps the grids' own look: the yellow cursor, grey lines and the
// blue caption corner. A dark or high-contrast one takes its highlight for the
// cursor and its own text, base and mid colours, so that text keeps its contrast.
struct S_CellColours
{
    QColor m_Cell;
    QColor m_Text;
    // The fixed row and column, and a motor time that is set.
    QColor m_Face;
    QColor m_FaceText;
    // Grid lines and the frame of an empty cell.
    QColor m_Line;
    // An unused field on the cursor's row or column, the motor cell under the cursor.
    QColor m_Cursor;
    QColor m_CursorText;
    // The top-left cell with the cycle's caption.
    QColor m_Corner;
    QColor m_CornerText;
};

S_CellColours CellColoursOf(const QPalette& palette);

// The timeline as a window shows it: on the palette's base and in its text, the
// steps and marks keeping 3:1 against the page and the bands 4.5:1 against the
// text; a light palette keeps paper's pale bands, a dark one has dark bands.
S_TimelineColours TimelineColoursOf(const QPalette& palette);
