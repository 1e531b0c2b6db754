// The headers nearly every file of a library without a window includes, compiled
// once for all of them: the toolkit's core and the standard library.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>
