#include "fuzz/Fuzzproperties.h"
#include "glosser/Languagefile.h"
#include "language/Language.h"
#include "language/Messages.h"

#include <QDir>
#include <QFile>

#include <limits>

namespace {

// An added text whose line is empty or missing shows the built-in English instead.
bool ShowsBuiltIn(const QStringList& lines, int id)
{
    return id >= Msg::FirstAdded && id < Msg::EndOfAdded && (id >= lines.size() || lines[id].isEmpty());
}

// Glosser's message count; it reads no further.
constexpr int GlosserMessages = 278;

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
}

// A text that cannot stand on a line of its own: a later line would move.
QString LineProblem(const QStringList& lines)
{
    for (int i = 0; i < lines.size(); ++i)
        if (C_LanguageFile::UnstorableCharacter(lines[i]))
            return QStringLiteral("text %1 holds a character no line can").arg(i);
    return {};
}

} // namespace

QString CheckLanguageProperty(const QByteArray& input, const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("fuzz.lng"));
    if (!WriteBytes(path, input))
        return QStringLiteral("cannot write the input file");
    const QStringList lines = C_LanguageManager::SplitLines(input);
    {
        const C_LanguageManager manager(path);
        if (&C_LanguageManager::Current() != &manager)
            return QStringLiteral("a loaded language is not the current one");
        if (manager.Count() != lines.size())
            return QStringLiteral("%1 texts loaded from %2 lines").arg(manager.Count()).arg(lines.size());
        for (int id = 0; id < lines.size() && id <= std::numeric_limits<std::int16_t>::max(); ++id)
            if (!ShowsBuiltIn(lines, id) && manager.GetString(std::int16_t(id)) != lines[id])
                return QStringLiteral("text %1 differs from its line").arg(id);
        for (const int id : {-1, int(lines.size()), int(std::numeric_limits<std::int16_t>::max())})
            if (id >= lines.size() && !ShowsBuiltIn(lines, id) &&
                manager.GetString(std::int16_t(id)) != QLatin1String("Error"))
                return QStringLiteral("id %1 has no line but a text").arg(id);
    }
    if (const QString problem = LineProblem(lines); !problem.isEmpty())
        return problem;
    if (C_LanguageFile::Split(input, std::numeric_limits<int>::max()) != lines)
        return QStringLiteral("Glosser reads other texts than Kw3Win");
    if (C_LanguageManager::SplitLines(C_LanguageFile::Encode(lines)) != lines)
        return QStringLiteral("the texts, saved, read back differently");
    return {};
}

QString CheckGlosserFileProperty(const QByteArray& input, const QString& folder)
{
    const QDir dir(folder);
    const QString path = dir.filePath(QStringLiteral("glosser.lng"));
    if (!WriteBytes(path, input))
        return QStringLiteral("cannot write the input file");
    QStringList lines;
    QString error;
    if (!C_LanguageFile::Read(path, GlosserMessages, lines, error))
        return QStringLiteral("a small file does not load: ") + error;
    if (lines.size() > GlosserMessages)
        return QStringLiteral("%1 messages loaded, more than %2").arg(lines.size()).arg(GlosserMessages);
    // Fewer messages asked for give the first of them.
    const int fewer = input.isEmpty() ? 0 : std::uint8_t(input[0]) % (GlosserMessages + 1);
    if (C_LanguageFile::Split(input, fewer) != lines.mid(0, fewer))
        return QStringLiteral("the first %1 messages differ when fewer are read").arg(fewer);
    if (const QString problem = LineProblem(lines); !problem.isEmpty())
        return problem;
    if (C_LanguageFile::Split(C_LanguageFile::Encode(lines), GlosserMessages) != lines)
        return QStringLiteral("the messages, saved, load differently");
    return {};
}
