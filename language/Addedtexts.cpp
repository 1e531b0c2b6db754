#include "language/Language.h"
#include "language/Messages.h"

#include <QFile>

#include <vector>

// The file is compiled into this library, which a program only links when it uses
// the texts. The toolkit's macro names a function of the global namespace.
static void InitLanguageResource()
{
    Q_INIT_RESOURCE(language);
}

const QString* BuiltInText(std::int16_t id)
{
    // The default language file travels inside the program, so an older or
    // shorter file still shows every text added after it.
    static const std::vector<QString> texts = [] {
        InitLanguageResource();
        QFile file(QStringLiteral(":/language/English.lng"));
        std::vector<QString> lines;
        if (file.open(QIODevice::ReadOnly))
            for (const QString& line : C_LanguageManager::SplitLines(file.readAll()))
                lines.push_back(line);
        return lines;
    }();
    if (id < Msg::FirstAdded || id >= Msg::EndOfAdded || std::size_t(id) >= texts.size())
        return nullptr;
    return &texts[std::size_t(id)];
}
