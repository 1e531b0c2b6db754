#pragma once

class QPainter;
class QRect;
class QString;

// A text in a grid cell or a printed cell, centred or left-aligned, centred in height.
void DrawTextCentred(QPainter& canvas, const QRect& rect, const QString& text);
void DrawTextLeft(QPainter& canvas, const QRect& rect, const QString& text);
