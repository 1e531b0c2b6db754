#pragma once

#include "comm/Portsettings.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// The editor's persistent settings. Read once when created, changed in memory
// during the run, written back once when destroyed; a run that does not end
// normally stores nothing.
class C_Context
{
public:
    static const char* const StoreName;

    enum class Persistence { WriteBackAtExit, ReadOnly };

    // A read-only store (kw3tool's) never writes the settings file, so a command
    // cannot change or create the user's settings.
    explicit C_Context(Persistence persistence = Persistence::WriteBackAtExit);
    ~C_Context();
    C_Context(const C_Context&) = delete;
    C_Context& operator=(const C_Context&) = delete;

    // Why the store could not be read whole, or empty when it could; the values
    // it could not give are the defaults. After a failed Store, why that failed.
    const QString& StoreProblem() const { return m_StoreProblem; }
    // The same in the words of the current language file.
    QString StoreProblemText() const;

    // Writes the settings back now instead of at destruction; false, with the
    // reason in StoreProblem(), when the file could not be written. The file is
    // replaced whole or not at all. A store left unwritten until destruction
    // reports a failure on standard error.
    bool Store();

    const QString& LastConfiguration() const { return m_LastConfiguration; }
    void SetLastConfiguration(const QString& value) { m_LastConfiguration = value; }
    const QString& LanguageFile() const { return m_LanguageFile; }
    void SetLanguageFile(const QString& value) { m_LanguageFile = value; }
    // The screen's palette: "desktop" (follow it), "light", "dark" or "high contrast".
    const QString& Palette() const { return m_Palette; }
    void SetPalette(const QString& value) { m_Palette = value; }

    int HorizontalLeft() const { return m_HorizontalLeft; }
    void SetHorizontalLeft(int value) { m_HorizontalLeft = value; }
    int HorizontalMiddle() const { return m_HorizontalMiddle; }
    void SetHorizontalMiddle(int value) { m_HorizontalMiddle = value; }
    int HorizontalRight() const { return m_HorizontalRight; }
    void SetHorizontalRight(int value) { m_HorizontalRight = value; }
    int VerticalLeft() const { return m_VerticalLeft; }
    void SetVerticalLeft(int value) { m_VerticalLeft = value; }
    int VerticalRight() const { return m_VerticalRight; }
    void SetVerticalRight(int value) { m_VerticalRight = value; }

    int FormLeft() const { return m_FormLeft; }
    void SetFormLeft(int value) { m_FormLeft = value; }
    int FormTop() const { return m_FormTop; }
    void SetFormTop(int value) { m_FormTop = value; }
    int FormWidth() const { return m_FormWidth; }
    void SetFormWidth(int value) { m_FormWidth = value; }
    int FormHeight() const { return m_FormHeight; }
    void SetFormHeight(int value) { m_FormHeight = value; }
    // 0 normal, 1 minimised, 2 maximised; kept in one byte.
    std::int8_t WindowState() const { return m_WindowState; }
    void SetWindowState(std::int8_t value) { m_WindowState = value; }

    int ComNumber() const { return m_ComNumber; }
    void SetComNumber(int value) { m_ComNumber = value; }
    // A device chosen in Com Setup instead of the Com number; empty for the Com number.
    const QString& Device() const { return m_Device; }
    void SetDevice(const QString& value) { m_Device = value; }
    const QString& DeviceName() const { return m_DeviceName; }
    void SetDeviceName(const QString& value) { m_DeviceName = value; }
    const QString& DeviceSerial() const { return m_DeviceSerial; }
    void SetDeviceSerial(const QString& value) { m_DeviceSerial = value; }
    int SendTimeout() const { return m_SendTimeout; }
    void SetSendTimeout(int value) { m_SendTimeout = value; }
    int ReceiveTimeout() const { return m_ReceiveTimeout; }
    void SetReceiveTimeout(int value) { m_ReceiveTimeout = value; }

    // A download first keeps what the controller held, and reads back what it sent.
    bool BackupBeforeDownload() const { return m_BackupBeforeDownload != 0; }
    void SetBackupBeforeDownload(bool value) { m_BackupBeforeDownload = value ? 1 : 0; }
    bool VerifyAfterDownload() const { return m_VerifyAfterDownload != 0; }
    void SetVerifyAfterDownload(bool value) { m_VerifyAfterDownload = value ? 1 : 0; }

    // The port setup's values, as a whole.
    S_PortSettings PortSettings() const;
    void SetPortSettings(const S_PortSettings& settings);
    // The port and time-outs as every transfer uses them. A stored device that is
    // no device path gives way to the Com number, and the link says so.
    S_LinkSettings LinkSettings() const;

    // The configurations opened or saved last, the newest first.
    const QStringList& RecentFiles() const { return m_RecentFiles; }
    void SetRecentFiles(const QStringList& value) { m_RecentFiles = value; }

    // 0 standard, 1 inverter, 2 Varnholt.
    int TargetType() const { return m_TargetType; }
    void SetTargetType(int value) { m_TargetType = value; }
    // 0 means 16 outputs, 1 means 24.
    int NumberOfOutputs() const { return m_NumberOfOutputs; }
    void SetNumberOfOutputs(int value) { m_NumberOfOutputs = value; }

private:
    Persistence m_Persistence;
    bool m_Stored = false;
    QString m_StoreProblem;
    // The message of the problem, and what follows its text: the file and a reason.
    std::int16_t m_StoreProblemId = 0;
    QString m_StoreProblemDetail;
    QString m_LastConfiguration;
    QString m_LanguageFile;
    QString m_Palette;
    int m_HorizontalLeft = 0;
    int m_HorizontalMiddle = 0;
    int m_HorizontalRight = 0;
    int m_VerticalLeft = 0;
    int m_VerticalRight = 0;
    int m_FormLeft = 0;
    int m_FormTop = 0;
    int m_FormWidth = 0;
    int m_FormHeight = 0;
    std::int8_t m_WindowState = 0;
    int m_ComNumber = 0;
    QString m_Device;
    QString m_DeviceName;
    QString m_DeviceSerial;
    int m_SendTimeout = 0;
    int m_ReceiveTimeout = 0;
    int m_TargetType = 0;
    int m_NumberOfOutputs = 0;
    int m_BackupBeforeDownload = 1;
    int m_VerifyAfterDownload = 1;
    QStringList m_RecentFiles;
};
