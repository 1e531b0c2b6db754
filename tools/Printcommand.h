#pragma once

#include <QStringList>

// print FILE OUT.pdf [--format F] [--parts LIST]: Kw3Win's print jobs into one PDF file.
int RunPrint(const QStringList& arguments);
