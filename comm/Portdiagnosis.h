#pragma once

#include "comm/Portsettings.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class C_PortSource;

// What the system knows of the user's groups, asked when a port may not be
// used; the tests answer for the system.
struct S_AccountQueries
{
    // The group that owns the device file.
    std::function<std::optional<unsigned>(const QString& device)> m_DeviceGroup;
    std::function<QString(unsigned group)> m_GroupName;
    std::function<QString()> m_UserName;
    // The user is a member in the group database.
    std::function<bool(unsigned group)> m_UserInGroup;
    // This process runs with the group: not so when the user was added after logging in.
    std::function<bool(unsigned group)> m_ProcessInGroup;

    static S_AccountQueries System();
};

// A program that holds a device open.
struct S_PortHolder
{
    long long m_ProcessId = 0;
    QString m_Command;
};

// Another process that has the device open, as far as /proc lets us see.
std::optional<S_PortHolder> FindPortHolder(const QString& device);

// A line of the transfer: the message id's text with detail appended.
struct S_PortProblemLine
{
    std::int16_t m_Id;
    QString m_Detail;

    bool operator==(const S_PortProblemLine&) const = default;
};

// Why the link's port could not be opened with the system's error number, and
// what the user can do about it.
std::vector<S_PortProblemLine> DiagnoseUnusablePort(const S_LinkSettings& link, int error, const C_PortSource& source,
                                                    const S_AccountQueries& accounts = S_AccountQueries::System());
