#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct S_JsonMember;

// A JSON value as a strict reader gives it: integers only (no fraction or
// exponent), objects with their members in document order and no key twice, and
// where in the text each value starts.
struct S_JsonValue
{
    enum class Type { Null, Boolean, Integer, String, Array, Object };

    Type m_Type = Type::Null;
    bool m_Boolean = false;
    std::int64_t m_Integer = 0;
    QString m_String;
    std::vector<S_JsonValue> m_Elements;
    std::vector<S_JsonMember> m_Members;
    // 1-based, the column counted in characters; for a member of an object also
    // where its key starts.
    int m_Line = 1;
    int m_Column = 1;
    int m_KeyLine = 0;
    int m_KeyColumn = 0;

    // The member of an object with the key, or null.
    const S_JsonValue* Member(const QString& key) const;
};

struct S_JsonMember
{
    QString m_Key;
    S_JsonValue m_Value;
};

// Where and why a document was refused; the path names the value as
// `cycles[2].steps[4].time` (indexes from 0), empty for the document itself.
struct S_JsonError
{
    int m_Line = 1;
    int m_Column = 1;
    QString m_Path;
    QString m_Reason;

    // "FILE:LINE:COL: PATH: reason"
    QString Line(const QString& file) const;
};

// Parses UTF-8 text that holds one JSON value; nothing but white space may follow
// it. Refuses a byte-order mark, invalid UTF-8, NUL and other control characters
// outside escapes, numbers with a fraction or exponent or beyond 64 bits, a key
// twice in one object, nesting deeper than MaximumDepth, and more members or
// values than any document the programs read can hold, in time and memory that
// grow with the text alone.
class C_JsonReader
{
public:
    static constexpr int MaximumDepth = 64;
    // The largest array or object of a configuration is the kept bytes of the
    // largest image, 8185; a whole configuration has fewer than 40,000 values.
    static constexpr std::size_t MaximumMembers = 8192;
    static constexpr std::size_t MaximumValues = 65536;

    static std::optional<S_JsonValue> Parse(const QByteArray& text, S_JsonError& error);
    // The same for a document of at most maximumSize bytes; a larger one is refused unread.
    static std::optional<S_JsonValue> Parse(const QByteArray& text, qint64 maximumSize, S_JsonError& error);

private:
    explicit C_JsonReader(const QByteArray& text);

    bool ParseValue(S_JsonValue& value, int depth);
    // One more member of a container that holds count already.
    bool Count(std::size_t count);
    bool ParseObject(S_JsonValue& value, int depth);
    bool ParseArray(S_JsonValue& value, int depth);
    bool ParseString(QString& text);
    bool ParseNumber(S_JsonValue& value);
    bool ParseWord(const char* word);
    bool ReadCodePoint(char32_t& codePoint);
    void SkipSpace();
    bool Fail(const QString& reason);
    char Peek() const { return m_At < m_Text.size() ? m_Text[m_At] : '\0'; }
    bool AtEnd() const { return m_At >= m_Text.size(); }
    void Advance(qsizetype bytes = 1);
    // The text at the reading position starts with these bytes.
    bool Follows(const char* text) const;

    const QByteArray& m_Text;
    qsizetype m_At = 0;
    int m_Line = 1;
    int m_Column = 1;
    // The path of the value being read, one entry per level: a member's key, or
    // an element's index (the key null); made into text only for a refusal.
    struct S_PathEntry
    {
        const QString* m_Key;
        size_t m_Index;
    };
    std::vector<S_PathEntry> m_Path;
    S_JsonError m_Error;
    std::size_t m_Values = 0;
};

// The path of the entries, as S_JsonError names it.
QString JsonPath(const std::vector<QString>& entries);
