#pragma once

#include <QStringList>

// diff A B [--format F]: the differences between two configurations, one line each.
int RunDiff(const QStringList& arguments);
