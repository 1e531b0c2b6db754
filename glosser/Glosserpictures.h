#pragma once

#include <QIcon>
#include <QPixmap>

// Glosser draws its own pictures, so that it needs no picture files of Kw3Win.
enum class CommandPicture { New, Open, Save, Search, Replace, Cut, Copy, Paste };

QIcon CommandIcon(CommandPicture picture);

// The about box picture: a controller front with a speech bubble, for translation.
QPixmap AboutPicture();
