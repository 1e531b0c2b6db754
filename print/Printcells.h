#pragma once

#include <cstdint>

class C_StepRow;
class QPainter;
class QRect;

// A step field's value printed inside a rectangle the caller has framed already:
// ON in green, numbers, times and motor modes in black, a blank framed cell for an
// output that is off, a silver band for a separator; nothing for a field not used.
void PrintStepCell(QPainter& canvas, const QRect& rect, const C_StepRow& row, std::int32_t value);
