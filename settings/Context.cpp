#include "settings/Context.h"

#include "language/Language.h"
#include "language/Messages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

#include <cstdio>
#include <functional>

const char* const C_Context::StoreName = "KW3Win 2.00.01 Context";

namespace {

QSettings OpenStore()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(C_Context::StoreName));
}

// One key of the store; reading and writing walk the same table so the two never drift apart.
struct IntegerKey
{
    const char* section;
    const char* key;
    int defaultValue;
    std::function<int(const C_Context&)> get;
    std::function<void(C_Context&, int)> set;
};

struct StringKey
{
    const char* section;
    const char* key;
    const char* defaultValue;
    std::function<QString(const C_Context&)> get;
    std::function<void(C_Context&, const QString&)> set;
};

const QString RecentFilesKey = QStringLiteral("Recent files/Files");

QString KeyPath(const char* section, const char* key)
{
    return QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(key);
}

const std::vector<StringKey>& StringKeys()
{
    static const std::vector<StringKey> keys = {
        {"Last files", "Configuration", "", &C_Context::LastConfiguration, &C_Context::SetLastConfiguration},
        {"Last files", "Language", "English.lng", &C_Context::LanguageFile, &C_Context::SetLanguageFile},
        {"COMPort", "Device", "", &C_Context::Device, &C_Context::SetDevice},
        {"COMPort", "Device name", "", &C_Context::DeviceName, &C_Context::SetDeviceName},
        {"COMPort", "Device serial number", "", &C_Context::DeviceSerial, &C_Context::SetDeviceSerial},
        {"Appearance", "Palette", "desktop", &C_Context::Palette, &C_Context::SetPalette},
    };
    return keys;
}

const std::vector<IntegerKey>& IntegerKeys()
{
    static const std::vector<IntegerKey> keys = {
        {"Splitters position", "Horizontal Left", 210, &C_Context::HorizontalLeft, &C_Context::SetHorizontalLeft},
        {"Splitters position", "Horizontal Middle", 280, &C_Context::HorizontalMiddle, &C_Context::SetHorizontalMiddle},
        {"Splitters position", "Horizontal Right", 260, &C_Context::HorizontalRight, &C_Context::SetHorizontalRight},
        {"Splitters position", "Vertical Left", 200, &C_Context::VerticalLeft, &C_Context::SetVerticalLeft},
        {"Splitters position", "Vertical Right", 200, &C_Context::VerticalRight, &C_Context::SetVerticalRight},
        {"Form position", "Left", 0, &C_Context::FormLeft, &C_Context::SetFormLeft},
        {"Form position", "Top", 0, &C_Context::FormTop, &C_Context::SetFormTop},
        {"Form position", "Width", 800, &C_Context::FormWidth, &C_Context::SetFormWidth},
        {"Form position", "Height", 600, &C_Context::FormHeight, &C_Context::SetFormHeight},
        // Kept in one byte and written back sign-extended.
        {"Main form", "Window state", 0, [](const C_Context& c) { return int(c.WindowState()); },
         [](C_Context& c, int v) { c.SetWindowState(static_cast<std::int8_t>(v & 0xFF)); }},
        {"COMPort", "Com number", 1, &C_Context::ComNumber, &C_Context::SetComNumber},
        {"COMPort", "Send timeout", 500, &C_Context::SendTimeout, &C_Context::SetSendTimeout},
        {"COMPort", "Receive timeout", 500, &C_Context::ReceiveTimeout, &C_Context::SetReceiveTimeout},
        {"Default setting", "Target type", 0, &C_Context::TargetType, &C_Context::SetTargetType},
        {"Default setting", "Number of outputs", 0, &C_Context::NumberOfOutputs, &C_Context::SetNumberOfOutputs},
        // 1 or 0; anything else but 0 counts as on, the safe side.
        {"Transfer safety", "Backup before download", 1,
         [](const C_Context& c) { return int(c.BackupBeforeDownload()); },
         [](C_Context& c, int v) { c.SetBackupBeforeDownload(v != 0); }},
        {"Transfer safety", "Verify after download", 1, [](const C_Context& c) { return int(c.VerifyAfterDownload()); },
         [](C_Context& c, int v) { c.SetVerifyAfterDownload(v != 0); }},
    };
    return keys;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// QSettings tells only that writing failed: the same replacement tried again,
// never committed, gives the system's reason.
QString WriteFailure(const QString& path)
{
    QSaveFile probe(path);
    if (probe.open(QIODevice::WriteOnly)) {
        const QByteArray bytes(qMax<qint64>(QFileInfo(path).size(), 0) + 4096, ' ');
        if (probe.write(bytes) == bytes.size() && probe.flush())
            return QStringLiteral("unknown reason");
    }
    return probe.errorString();
}

} // namespace

C_Context::C_Context(Persistence persistence)
    : m_Persistence(persistence)
{
    const QSettings store = OpenStore();
    switch (store.status()) {
    case QSettings::NoError: break;
    case QSettings::AccessError:
        m_StoreProblem =
            QStringLiteral("The settings file %1 cannot be read; the default settings are used.").arg(store.fileName());
        m_StoreProblemId = Msg::SettingsUnreadable;
        m_StoreProblemDetail = QLatin1Char(' ') + store.fileName();
        break;
    case QSettings::FormatError:
        m_StoreProblem = QStringLiteral("The settings file %1 is damaged; the settings that could not be read "
                                        "are set to their defaults and the file is rewritten at exit.")
                             .arg(store.fileName());
        m_StoreProblemId = Msg::SettingsDamaged;
        m_StoreProblemDetail = QLatin1Char(' ') + store.fileName();
        break;
    }
    for (const StringKey& k : StringKeys())
        k.set(*this, store.value(KeyPath(k.section, k.key), QString::fromLatin1(k.defaultValue)).toString());
    for (const IntegerKey& k : IntegerKeys()) {
        bool ok = false;
        const int value = store.value(KeyPath(k.section, k.key)).toInt(&ok);
        k.set(*this, ok ? value : k.defaultValue);
    }
    m_RecentFiles = store.value(RecentFilesKey).toStringList();
}

C_Context::~C_Context()
{
    if (m_Persistence == Persistence::ReadOnly || m_Stored)
        return;
    if (!Store())
        std::fprintf(stderr, "%s\n", qPrintable(m_StoreProblem));
}

bool C_Context::Store()
{
    if (m_Persistence == Persistence::ReadOnly)
        return true;
    m_Stored = true;
    QSettings store = OpenStore();
    // The file is rewritten with the values of this run alone: whatever else a
    // damaged file held (a key or a section twice) would read differently next time.
    store.clear();
    for (const StringKey& k : StringKeys())
        store.setValue(KeyPath(k.section, k.key), k.get(*this));
    for (const IntegerKey& k : IntegerKeys())
        store.setValue(KeyPath(k.section, k.key), k.get(*this));
    if (m_RecentFiles.isEmpty())
        store.remove(RecentFilesKey);
    else
        store.setValue(RecentFilesKey, m_RecentFiles);
    // A damaged file's read error stays the store's status through a write that
    // went through: then the file itself tells whether it was replaced.
    const QByteArray before = FileBytes(store.fileName());
    store.sync();
    if (store.status() == QSettings::NoError ||
        (store.status() == QSettings::FormatError && FileBytes(store.fileName()) != before))
        return true;
    const QString reason = WriteFailure(store.fileName());
    m_StoreProblem = QStringLiteral("The settings file %1 cannot be written (%2); the settings of this run are lost.")
                         .arg(store.fileName(), reason);
    m_StoreProblemId = Msg::SettingsNotWritten;
    m_StoreProblemDetail = QLatin1Char(' ') + store.fileName() + QStringLiteral(" (") + reason + QLatin1Char(')');
    return false;
}

QString C_Context::StoreProblemText() const
{
    return m_StoreProblemId == 0 ? QString() : Text(m_StoreProblemId) + m_StoreProblemDetail;
}

S_PortSettings C_Context::PortSettings() const
{
    return {{m_ComNumber, m_Device, m_DeviceName, m_DeviceSerial},
            m_SendTimeout,
            m_ReceiveTimeout,
            BackupBeforeDownload(),
            VerifyAfterDownload()};
}

void C_Context::SetPortSettings(const S_PortSettings& settings)
{
    m_ComNumber = settings.m_Port.m_ComNumber;
    m_Device = settings.m_Port.m_Device;
    m_DeviceName = settings.m_Port.m_DeviceName;
    m_DeviceSerial = settings.m_Port.m_DeviceSerial;
    m_SendTimeout = settings.m_SendTimeout;
    m_ReceiveTimeout = settings.m_ReceiveTimeout;
    SetBackupBeforeDownload(settings.m_BackupBeforeDownload);
    SetVerifyAfterDownload(settings.m_VerifyAfterDownload);
}

S_LinkSettings C_Context::LinkSettings() const
{
    S_LinkSettings link;
    link.m_Choice = PortSettings().m_Port;
    if (!link.m_Choice.m_Device.isEmpty() && !IsUsableDevicePath(link.m_Choice.m_Device)) {
        link.m_IgnoredDevice = link.m_Choice.m_Device;
        link.m_Choice = S_PortChoice{m_ComNumber, QString(), QString(), QString()};
    }
    link.m_ReceiveTimeout = static_cast<std::int16_t>(m_ReceiveTimeout);
    link.m_SendTimeout = static_cast<std::int16_t>(m_SendTimeout);
    return link;
}
