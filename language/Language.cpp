#include "language/Language.h"

#include "language/Messages.h"
#include "platform/Datafiles.h"

#include <QFile>

namespace {

const C_LanguageManager* g_Current = nullptr;

C_LanguageManager::Complaint& CurrentComplaint()
{
    static C_LanguageManager::Complaint complaint;
    return complaint;
}

const QString& ErrorText()
{
    static const QString text = QStringLiteral("Error");
    return text;
}

} // namespace

C_LanguageManager::C_LanguageManager(const QString& path)
    : m_Previous(g_Current)
{
    g_Current = this;
    Load(path);
}

C_LanguageManager::~C_LanguageManager()
{
    if (g_Current == this)
        g_Current = m_Previous;
}

const C_LanguageManager& C_LanguageManager::Current()
{
    // Before start-up has made one (and in code run without one) every text reads "Error".
    static const C_LanguageManager empty;
    return g_Current != nullptr ? *g_Current : empty;
}

void C_LanguageManager::Load(const QString& path)
{
    QFile file(ResolveDataFile(path));
    // One read of the whole file: a buffer would only copy it once more.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (const Complaint& complain = CurrentComplaint())
            complain(QStringLiteral("Cannot open language file"), QStringLiteral("Language manager"));
        return;
    }
    m_Texts = SplitLines(file.readAll());
}

void C_LanguageManager::SetComplaint(Complaint complaint)
{
    CurrentComplaint() = std::move(complaint);
}

QStringList C_LanguageManager::SplitLines(const QByteArray& bytes)
{
    // A NUL ends the readable text.
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArray text = nul < 0 ? bytes : bytes.left(nul);

    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines << QString::fromLatin1(text.constData() + start, i - start);
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines << QString::fromLatin1(text.constData() + start, text.size() - start);
    return lines;
}

const QString& C_LanguageManager::GetString(std::int16_t id) const
{
    const bool inFile = id >= 0 && id < m_Texts.size();
    // A file made before a text was added lacks its line, and a translator may leave it empty.
    if (id >= Msg::FirstAdded && (!inFile || m_Texts[id].isEmpty()))
        if (const QString* text = BuiltInText(id))
            return *text;
    return inFile ? m_Texts[id] : ErrorText();
}

const QString& Text(std::int16_t id)
{
    return C_LanguageManager::Current().GetString(id);
}

QString CommandTitle(const QString& menuText)
{
    QString title = menuText;
    title.remove(QLatin1Char('&'));
    if (title.endsWith(QLatin1String("...")))
        title.chop(3);
    return title.trimmed();
}

QString CommandTitle(std::int16_t id)
{
    return CommandTitle(Text(id));
}
