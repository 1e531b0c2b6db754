// kw3tool extract and insert: a program or cycle taken out of one configuration as a
// fragment, and a fragment pasted into another by the window's paste rules.
#include "document/Configurationtext.h"
#include "document/Fragments.h"
#include "model/Fileheader.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

#include <QFile>

int RunExtract(const QStringList& arguments)
{
    QStringList files;
    QMap<QString, QString> options;
    const std::unique_ptr<C_ToolConfiguration> opened = C_ToolConfiguration::Open(
        arguments, 2, files,
        {QStringLiteral("program"), QStringLiteral("cycle"), QStringLiteral("name"), QStringLiteral("description")},
        options);
    if (opened == nullptr)
        return ExitCode::Refused;
    const std::optional<S_NamedPart> part = NamedPart(opened->Value(), options, files[0]);
    if (!part)
        return ExitCode::Refused;
    S_Fragment fragment = part->m_Program ? ProgramFragment(opened->Value(), part->m_Index)
                                          : CycleFragment(opened->Value(), part->m_Index);
    fragment.m_Name = options.value(QStringLiteral("name"), fragment.m_Name);
    fragment.m_Description = options.value(QStringLiteral("description"));
    const QByteArray text = FragmentText(fragment);
    if (files[1] == QLatin1String("-")) {
        WriteBytes(text);
        return ExitCode::Success;
    }
    QString reason;
    if (!ReplaceFile(files[1], text, reason)) {
        WriteError(QStringLiteral("cannot write %1: %2").arg(files[1], reason));
        return ExitCode::Refused;
    }
    return ExitCode::Success;
}

int RunInsert(const QStringList& arguments)
{
    QStringList files;
    QMap<QString, QString> options;
    const std::unique_ptr<C_ToolConfiguration> opened = C_ToolConfiguration::Open(
        arguments, 3, files, {}, options, {QStringLiteral("drop-unmapped"), QStringLiteral("reuse-identical")});
    if (opened == nullptr)
        return ExitCode::Refused;
    QFile file(files[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        WriteError(QStringLiteral("cannot read %1").arg(files[1]));
        return ExitCode::Refused;
    }
    S_JsonError error;
    const std::optional<S_Fragment> fragment = ReadFragmentText(file.read(ConfigurationText::MaximumSize + 1), error);
    if (!fragment) {
        WritePlacedError(error.Line(files[1]));
        return ExitCode::Refused;
    }
    if (fragment->Holds() == S_Fragment::Kind::Steps) {
        WriteError(QStringLiteral("%1 holds steps: they are pasted into a cycle in Kw3Win's window").arg(files[1]));
        return ExitCode::Refused;
    }
    S_PastePlace place;
    place.m_ReuseIdentical = options.contains(QStringLiteral("reuse-identical"));
    S_Paste paste = PlanPaste(opened->Value(), *fragment, place);
    if (paste.Refused()) {
        WriteError(paste.RefusalLine());
        return ExitCode::ChecksFailed;
    }
    const bool drop = options.contains(QStringLiteral("drop-unmapped"));
    for (const QString& line : paste.LossLines())
        WriteError(line);
    if (!paste.m_Losses.empty() && !drop) {
        WriteError(QStringLiteral("nothing was written: --drop-unmapped pastes without what is left out"));
        return ExitCode::ChecksFailed;
    }
    opened->Replace(std::move(paste.m_After));
    return opened->Save(files[2]);
}
