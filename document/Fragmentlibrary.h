#pragma once

#include "document/Configurationtext.h"
#include "model/Programtime.h"

#include <QString>

#include <optional>
#include <vector>

// One file of the library: its fragment, or why it cannot be read.
struct S_LibraryEntry
{
    QString m_Path;
    std::optional<S_Fragment> m_Fragment;
    // "FILE:LINE:COL: PATH: reason" for a damaged file.
    QString m_Damage;

    // What the fragment runs for: its programs' or cycles' times added, or its steps'.
    S_Duration RunningTime() const;
};

// The programs, cycles and steps kept for any configuration: one text-form
// fragment per .json file of a folder, named after the fragment.
class C_FragmentLibrary
{
public:
    explicit C_FragmentLibrary(QString folder)
        : m_Folder(std::move(folder))
    {
    }

    // $XDG_DATA_HOME/kw3win/library
    static QString DefaultFolder();
    const QString& Folder() const { return m_Folder; }

    // Every .json file of the folder by name; a file that is not a fragment is listed as damaged.
    std::vector<S_LibraryEntry> Entries() const;
    // The file a fragment of the name is kept in.
    QString PathFor(const QString& name) const;
    // Writes the fragment to PathFor(its name), replacing what is there; false, with
    // the reason, when it cannot be written.
    bool Save(const S_Fragment& fragment, QString& reason) const;

private:
    QString m_Folder;
};
