#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// The texts of the user interface, one per message id, loaded once from a
// language file. Texts are 8-bit bytes of the Western code page, held decoded as
// Latin-1 so that every byte survives unchanged.
class C_LanguageManager
{
public:
    // Loads the file of the path: the one the settings store names, or kw3tool's --language.
    explicit C_LanguageManager(const QString& path);
    ~C_LanguageManager();
    C_LanguageManager(const C_LanguageManager&) = delete;
    C_LanguageManager& operator=(const C_LanguageManager&) = delete;

    // The text of the id, or "Error" for an id with no line. The reference stays
    // valid and unchanged while the manager lives.
    const QString& GetString(std::int16_t id) const;
    int Count() const { return int(m_Texts.size()); }

    // The manager of the running program, reachable from every window.
    static const C_LanguageManager& Current();

    // Splits the bytes of a language file into its texts.
    static QStringList SplitLines(const QByteArray& bytes);

    // Where a language file that cannot be opened is told: the programs show a
    // message box, kw3tool writes a line. Nothing is told while none is set.
    using Complaint = std::function<void(const QString& text, const QString& caption)>;
    static void SetComplaint(Complaint complaint);

private:
    C_LanguageManager() = default; // no texts and not the current one

    void Load(const QString& path);

    QStringList m_Texts;
    const C_LanguageManager* m_Previous = nullptr;
};

// Shorthand for the current manager's text of an id.
const QString& Text(std::int16_t id);

// A menu text as the title of what its command opens or the name of its undo
// step: "&Link to program..." reads "Link to program".
QString CommandTitle(const QString& menuText);
QString CommandTitle(std::int16_t id);
