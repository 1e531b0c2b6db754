#include "document/Recoverycopy.h"

#include "document/Jsonreader.h"
#include "document/Jsonwriter.h"

#include <QFileInfo>

#include <algorithm>
#include <initializer_list>
#include <limits>

namespace {

using Type = S_JsonValue::Type;

constexpr const char* VersionKey = "kw3winRecovery";
// Longer names are no path or caption a window had.
constexpr int LongestName = 4096;

QString TimeText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

// A file name may hold any character but NUL, which the reader refuses anyway.
bool IsName(const QString& name)
{
    return name.size() <= LongestName;
}

// Reads the origin part of a copy; the configuration is the text form's reader's.
class C_OriginReader
{
public:
    explicit C_OriginReader(S_JsonError& error)
        : m_Error(error)
    {
    }

    bool Read(const S_JsonValue& document, S_RecoveryOrigin& origin)
    {
        if (document.m_Type != Type::Object)
            return Fail(document, QString(), QStringLiteral("an object was expected"));
        for (const S_JsonMember& member : document.m_Members)
            if (!Known(member.m_Key, {VersionKey, "path", "caption", "taken", "file", "configuration"}))
                return Fail(member.m_Value, member.m_Key, QStringLiteral("unknown key"));
        for (const char* key : {VersionKey, "path", "caption", "taken", "file", "configuration"})
            if (document.Member(QLatin1String(key)) == nullptr)
                return Fail(document, QString(), QStringLiteral("the key %1 is missing").arg(QLatin1String(key)));

        const S_JsonValue& version = *document.Member(QLatin1String(VersionKey));
        if (version.m_Type != Type::Integer || version.m_Integer != RecoveryCopy::Version)
            return Fail(version, QLatin1String(VersionKey), QStringLiteral("not a copy this Kw3Win reads"));
        const S_JsonValue& path = *document.Member(QStringLiteral("path"));
        if (path.m_Type != Type::Null && (!Name(path, origin.m_Path) || QFileInfo(origin.m_Path).isRelative()))
            return Fail(path, QStringLiteral("path"), QStringLiteral("an absolute path or null was expected"));
        if (!Name(*document.Member(QStringLiteral("caption")), origin.m_Caption) || origin.m_Caption.isEmpty())
            return Fail(*document.Member(QStringLiteral("caption")), QStringLiteral("caption"),
                        QStringLiteral("a name was expected"));
        if (!Time(*document.Member(QStringLiteral("taken")), QStringLiteral("taken"), origin.m_Taken))
            return false;
        const S_JsonValue& file = *document.Member(QStringLiteral("file"));
        return file.m_Type == Type::Null || File(file, origin);
    }

private:
    static bool Known(const QString& key, std::initializer_list<const char*> keys)
    {
        for (const char* known : keys)
            if (key == QLatin1String(known))
                return true;
        return false;
    }

    bool Fail(const S_JsonValue& at, const QString& path, const QString& reason)
    {
        m_Error = {at.m_Line, at.m_Column, path, reason};
        return false;
    }

    static bool Name(const S_JsonValue& value, QString& out)
    {
        if (value.m_Type != Type::String || !IsName(value.m_String))
            return false;
        out = value.m_String;
        return true;
    }

    bool Time(const S_JsonValue& value, const QString& path, QDateTime& out)
    {
        if (value.m_Type == Type::String)
            out = QDateTime::fromString(value.m_String, Qt::ISODateWithMs);
        if (value.m_Type != Type::String || !out.isValid())
            return Fail(value, path, QStringLiteral("a time (ISO 8601) was expected"));
        return true;
    }

    bool File(const S_JsonValue& file, S_RecoveryOrigin& origin)
    {
        const S_JsonValue* size = file.m_Type == Type::Object ? file.Member(QStringLiteral("size")) : nullptr;
        const S_JsonValue* modified = file.m_Type == Type::Object ? file.Member(QStringLiteral("modified")) : nullptr;
        if (size == nullptr || modified == nullptr || file.m_Members.size() != 2 || size->m_Type != Type::Integer ||
            size->m_Integer < 0)
            return Fail(file, QStringLiteral("file"), QStringLiteral("null or the file's size and time were expected"));
        origin.m_File.m_Size = size->m_Integer;
        return Time(*modified, QStringLiteral("file.modified"), origin.m_File.m_Modified);
    }

    S_JsonError& m_Error;
};

} // namespace

S_FileStamp S_FileStamp::Of(const QString& path)
{
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile())
        return {};
    return {file.size(), file.lastModified().toUTC()};
}

bool S_FileStamp::ChangedAt(const QString& path) const
{
    const S_FileStamp now = Of(path);
    // A file gone is overwritten by no one; milliseconds, as the copy keeps them.
    return now.m_Size >= 0 &&
           (now.m_Size != m_Size || now.m_Modified.toMSecsSinceEpoch() != m_Modified.toMSecsSinceEpoch());
}

QByteArray RecoveryCopyText(const S_RecoverySnapshot& snapshot)
{
    const S_RecoveryOrigin& origin = snapshot.m_Origin;
    C_JsonWriter json;
    json.BeginObject();
    json.Key(VersionKey);
    json.Value(RecoveryCopy::Version);
    json.Key("path");
    if (origin.m_Path.isEmpty())
        json.Null();
    else
        json.Value(origin.m_Path);
    json.Key("caption");
    json.Value(origin.m_Caption);
    json.Key("taken");
    json.Value(TimeText(origin.m_Taken));
    json.Key("file");
    if (origin.m_File.m_Size < 0) {
        json.Null();
    } else {
        json.BeginObject(true);
        json.Key("size");
        // Configuration files are a few kilobytes; a larger file is no longer the one the window read.
        json.Value(int(std::min<qint64>(origin.m_File.m_Size, std::numeric_limits<int>::max())));
        json.Key("modified");
        json.Value(TimeText(origin.m_File.m_Modified));
        json.EndObject();
    }
    json.Key("configuration");
    WriteConfigurationText(json, snapshot.m_Value, snapshot.m_KeptBytes);
    json.EndObject();
    return json.Text() + '\n';
}

std::optional<S_RecoveredCopy> ReadRecoveryCopy(const QByteArray& text, S_JsonError& error)
{
    const std::optional<S_JsonValue> document = C_JsonReader::Parse(text, RecoveryCopy::MaximumSize, error);
    S_RecoveredCopy copy;
    if (!document || !C_OriginReader(error).Read(*document, copy.m_Origin))
        return std::nullopt;
    std::optional<S_TextConfiguration> configuration =
        ReadConfigurationText(*document->Member(QStringLiteral("configuration")), error);
    if (!configuration) {
        error.m_Path =
            error.m_Path.isEmpty() ? QStringLiteral("configuration") : QStringLiteral("configuration.") + error.m_Path;
        return std::nullopt;
    }
    copy.m_Configuration = std::move(*configuration);
    return copy;
}
