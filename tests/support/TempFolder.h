#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

// A private folder for one test; the settings store, the backups and the
// transfer log are redirected into it.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();

    QString Path(const QString& name) const { return m_Dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const;
    QByteArray Read(const QString& name) const;
    // Ids.lng, whose texts are their ids ("<7>"), so an output shows which messages it gave.
    QString WriteIdLanguage() const;
    // The file that holds the settings store while this folder lives.
    QString SettingsFile() const;

private:
    QTemporaryDir m_Dir;
    QByteArray m_DataHome;
    QByteArray m_StateHome;
};

// The shipped default language file in the source tree.
QString SourceFile(const QString& relativePath);
