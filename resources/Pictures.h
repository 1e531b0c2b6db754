#pragma once

#include <QImage>
#include <QPixmap>

// The program's pictures, by resource name ("LED_ON", "DIALOG_BACKGROUND", ...).
// A name that is not a picture of the program gives a null picture.
QPixmap LoadPicture(const QString& name);

// The splash and about pictures are JPEG data, decoded by libjpeg.
QImage LoadJpegPicture(const QString& name);

// Decodes JPEG bytes; a null image when the data is not a readable JPEG.
QImage DecodeJpeg(const QByteArray& data);
