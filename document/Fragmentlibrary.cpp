#include "document/Fragmentlibrary.h"

#include "document/Stepmapping.h"
#include "model/Fileheader.h"
#include "platform/Datafiles.h"

#include <QDir>
#include <QFile>

S_Duration S_LibraryEntry::RunningTime() const
{
    S_Duration total;
    if (!m_Fragment)
        return total;
    const C_Configuration& parts = m_Fragment->m_Parts;
    const C_ProgramTiming timing(RowsOf(parts));
    switch (m_Fragment->Holds()) {
    case S_Fragment::Kind::Programs:
        for (const C_Configuration::S_Program& program : parts.m_Programs)
            total += timing.Program(parts, program);
        break;
    case S_Fragment::Kind::Cycles:
        for (const C_Configuration::S_Cycle& cycle : parts.m_Cycles)
            total += timing.Cycle(cycle);
        break;
    case S_Fragment::Kind::Steps:
        for (const C_Configuration::StepValues& step : m_Fragment->m_Steps)
            total += timing.Step(step);
        break;
    }
    return total;
}

QString C_FragmentLibrary::DefaultFolder()
{
    return UserDataFolder(QStringLiteral("kw3win")) + QStringLiteral("/library");
}

std::vector<S_LibraryEntry> C_FragmentLibrary::Entries() const
{
    std::vector<S_LibraryEntry> entries;
    const QDir folder(m_Folder);
    for (const QString& name :
         folder.entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase)) {
        S_LibraryEntry& entry = entries.emplace_back();
        entry.m_Path = folder.filePath(name);
        S_JsonError error;
        QFile file(entry.m_Path);
        if (!file.open(QIODevice::ReadOnly)) {
            error.m_Reason = file.errorString();
        } else if (file.size() > ConfigurationText::MaximumSize) {
            error.m_Reason = QStringLiteral("larger than %1 bytes").arg(ConfigurationText::MaximumSize);
        } else {
            entry.m_Fragment = ReadFragmentText(file.read(ConfigurationText::MaximumSize + 1), error);
        }
        if (!entry.m_Fragment)
            entry.m_Damage = error.Line(name);
    }
    return entries;
}

QString C_FragmentLibrary::PathFor(const QString& name) const
{
    // Letters and digits of any script stay; what a file system or a shell could
    // take amiss becomes a dash.
    QString file;
    for (const QChar c : name.trimmed())
        file += c.isLetterOrNumber() || c == QLatin1Char('_') ? c : QLatin1Char('-');
    while (file.contains(QLatin1String("--")))
        file.replace(QLatin1String("--"), QLatin1String("-"));
    if (file.isEmpty() || file == QLatin1String("-"))
        file = QStringLiteral("fragment");
    return QDir(m_Folder).filePath(file.left(100) + QStringLiteral(".json"));
}

bool C_FragmentLibrary::Save(const S_Fragment& fragment, QString& reason) const
{
    if (!QDir().mkpath(m_Folder)) {
        reason = m_Folder;
        return false;
    }
    return ReplaceFile(PathFor(fragment.m_Name), FragmentText(fragment), reason);
}
