#include "comm/Portdiagnosis.h"

#include "comm/Portdiscovery.h"
#include "language/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The user's entry of the account database, read into the buffer.
const passwd* UserEntry(passwd& entry, std::vector<char>& buffer)
{
    buffer.resize(16384);
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0)
        return nullptr;
    return found;
}

QString UserNameOfProcess()
{
    passwd entry{};
    std::vector<char> buffer;
    const passwd* user = UserEntry(entry, buffer);
    return user == nullptr ? QString() : QString::fromLocal8Bit(user->pw_name);
}

bool UserInGroupDatabase(unsigned group)
{
    passwd entry{};
    std::vector<char> buffer;
    const passwd* user = UserEntry(entry, buffer);
    if (user == nullptr)
        return false;
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    // Too small a list says how large it must be.
    if (::getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0)
            return false;
    }
    groups.resize(static_cast<std::size_t>(count));
    return std::find(groups.begin(), groups.end(), gid_t(group)) != groups.end();
}

bool ProcessRunsWithGroup(unsigned group)
{
    if (::getegid() == gid_t(group))
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    if (count <= 0 || ::getgroups(count, groups.data()) < 0)
        return false;
    return std::find(groups.begin(), groups.end(), gid_t(group)) != groups.end();
}

QString GroupNameOf(unsigned group)
{
    std::vector<char> buffer(16384);
    ::group entry{};
    ::group* found = nullptr;
    if (::getgrgid_r(gid_t(group), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return QString::fromLocal8Bit(found->gr_name);
    return QString::number(group);
}

// "COM4 (/dev/ttyS3)" or the device as chosen.
QString NamedPort(const S_LinkSettings& link)
{
    return link.ByDevice() ? link.Device() : link.PortName() + QStringLiteral(" (") + link.Device() + QLatin1Char(')');
}

// An adapter chosen from the list, or named by its stable name: one that can be
// unplugged, rather than a device that is not there at all.
bool IsChosenAdapter(const S_LinkSettings& link)
{
    return link.ByDevice() &&
           (!link.m_Choice.m_DeviceName.isEmpty() || link.m_Choice.m_Device.startsWith(QStringLiteral("/dev/serial/")));
}

S_PortProblemLine AdapterNotPlugged(const S_LinkSettings& link)
{
    const S_PortChoice& choice = link.m_Choice;
    QString detail = QLatin1Char(' ') + (choice.m_DeviceName.isEmpty() ? choice.m_Device : choice.m_DeviceName);
    if (!choice.m_DeviceSerial.isEmpty())
        detail += QStringLiteral(", ") + choice.m_DeviceSerial;
    return {Msg::AdapterNotPlugged, detail};
}

S_PortProblemLine PortsThere(const C_PortSource& source)
{
    QStringList names;
    for (const S_PortEntry& entry : ListPorts(source))
        names << entry.DisplayName();
    if (names.isEmpty())
        return {Msg::NoPortsThere, QString()};
    return {Msg::PortsThere, QLatin1Char(' ') + names.join(QStringLiteral(", "))};
}

S_PortProblemLine NoPermission(const S_LinkSettings& link, const S_AccountQueries& accounts)
{
    const std::optional<unsigned> group = accounts.m_DeviceGroup(link.Device());
    if (!group)
        return {Msg::CannotOpenPort, QLatin1Char(' ') + NamedPort(link) + QStringLiteral(": ") +
                                         QString::fromLocal8Bit(std::strerror(EACCES))};
    const QString name = accounts.m_GroupName(*group);
    if (accounts.m_UserInGroup(*group) && !accounts.m_ProcessInGroup(*group))
        return {Msg::PortGroupNotActive, QLatin1Char(' ') + name};
    const QString user = accounts.m_UserName();
    return {Msg::PortNoPermission, QStringLiteral(" sudo usermod -aG ") + name + QLatin1Char(' ') +
                                       (user.isEmpty() ? QStringLiteral("$USER") : user)};
}

} // namespace

S_AccountQueries S_AccountQueries::System()
{
    S_AccountQueries queries;
    queries.m_DeviceGroup = [](const QString& device) -> std::optional<unsigned> {
        struct stat status {};
        if (::stat(QFile::encodeName(device).constData(), &status) != 0)
            return std::nullopt;
        return unsigned(status.st_gid);
    };
    queries.m_GroupName = GroupNameOf;
    queries.m_UserName = UserNameOfProcess;
    queries.m_UserInGroup = UserInGroupDatabase;
    queries.m_ProcessInGroup = ProcessRunsWithGroup;
    return queries;
}

std::optional<S_PortHolder> FindPortHolder(const QString& device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return std::nullopt;
    const QString own = QString::number(::getpid());
    const QDir processes(QStringLiteral("/proc"));
    for (const QString& process : processes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const long long id = process.toLongLong(&number);
        if (!number || process == own)
            continue;
        // Another user's descriptors are closed to us: that program stays unnamed.
        const QDir descriptors(QStringLiteral("/proc/") + process + QStringLiteral("/fd"));
        for (const QFileInfo& descriptor : descriptors.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
            if (descriptor.symLinkTarget() != target)
                continue;
            QFile command(QStringLiteral("/proc/") + process + QStringLiteral("/comm"));
            const QString name = command.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(command.readAll()).trimmed()
                                                                    : QString();
            return S_PortHolder{id, name};
        }
    }
    return std::nullopt;
}

std::vector<S_PortProblemLine> DiagnoseUnusablePort(const S_LinkSettings& link, int error, const C_PortSource& source,
                                                    const S_AccountQueries& accounts)
{
    const QString device = link.Device();
    const QFileInfo file(device);
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case EIO:
        if (IsChosenAdapter(link))
            return {AdapterNotPlugged(link), PortsThere(source)};
        if (file.isSymLink() && !file.exists())
            return {{Msg::PortMissing, QLatin1Char(' ') + NamedPort(link) + QStringLiteral(" \u2192 ") +
                                           file.symLinkTarget()},
                    PortsThere(source)};
        return {{Msg::PortMissing, QLatin1Char(' ') + NamedPort(link)}, PortsThere(source)};
    case ENOTTY:
    case EISDIR: return {{Msg::PortNotSerial, QLatin1Char(' ') + NamedPort(link)}};
    case EACCES:
    case EPERM: return {NoPermission(link, accounts)};
    case EBUSY: {
        const std::optional<S_PortHolder> holder = FindPortHolder(device);
        if (!holder)
            return {{Msg::PortBusy, QLatin1Char(' ') + NamedPort(link)}};
        return {{Msg::PortBusyBy, QLatin1Char(' ') + holder->m_Command + QStringLiteral(" (") +
                                      QString::number(holder->m_ProcessId) + QStringLiteral(")")}};
    }
    default: break;
    }
    return {{Msg::CannotOpenPort,
             QLatin1Char(' ') + NamedPort(link) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error))}};
}
