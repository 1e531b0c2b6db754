#pragma once

// The designs name Windows faces; map them onto the installed ones.
void InstallFontSubstitutes();
