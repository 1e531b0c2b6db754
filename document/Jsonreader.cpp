#include "document/Jsonreader.h"

#include <QSet>

#include <cstring>
#include <limits>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Adds the key unless the set holds it already.
bool Insert(QSet<QString>& keys, const QString& key)
{
    const qsizetype before = keys.size();
    keys.insert(key);
    return keys.size() > before;
}

} // namespace

const S_JsonValue* S_JsonValue::Member(const QString& key) const
{
    for (const auto& [name, value] : m_Members)
        if (name == key)
            return &value;
    return nullptr;
}

QString S_JsonError::Line(const QString& file) const
{
    QString line = QStringLiteral("%1:%2:%3: ").arg(file).arg(m_Line).arg(m_Column);
    if (!m_Path.isEmpty())
        line += m_Path + QStringLiteral(": ");
    return line + m_Reason;
}

QString JsonPath(const std::vector<QString>& entries)
{
    QString path;
    for (const QString& entry : entries)
        path += entry;
    return path.startsWith(QLatin1Char('.')) ? path.mid(1) : path;
}

C_JsonReader::C_JsonReader(const QByteArray& text)
    : m_Text(text)
{
}

std::optional<S_JsonValue> C_JsonReader::Parse(const QByteArray& text, qint64 maximumSize, S_JsonError& error)
{
    if (text.size() > maximumSize) {
        error = {1, 1, QString(), QStringLiteral("larger than %1 bytes").arg(maximumSize)};
        return std::nullopt;
    }
    return Parse(text, error);
}

std::optional<S_JsonValue> C_JsonReader::Parse(const QByteArray& text, S_JsonError& error)
{
    C_JsonReader reader(text);
    S_JsonValue value;
    if (reader.Follows("\xEF\xBB\xBF")) {
        reader.Fail(QStringLiteral("a byte-order mark: save the text as UTF-8 without one"));
        error = reader.m_Error;
        return std::nullopt;
    }
    reader.SkipSpace();
    if (!reader.ParseValue(value, 0)) {
        error = reader.m_Error;
        return std::nullopt;
    }
    reader.SkipSpace();
    if (!reader.AtEnd()) {
        reader.Fail(QStringLiteral("text after the end of the document"));
        error = reader.m_Error;
        return std::nullopt;
    }
    return value;
}

bool C_JsonReader::Follows(const char* text) const
{
    const auto length = qsizetype(std::strlen(text));
    return m_At + length <= m_Text.size() && std::memcmp(m_Text.constData() + m_At, text, size_t(length)) == 0;
}

void C_JsonReader::Advance(qsizetype bytes)
{
    for (; bytes > 0 && m_At < m_Text.size(); --bytes, ++m_At) {
        const char c = m_Text[m_At];
        if (c == '\n') {
            ++m_Line;
            m_Column = 1;
        } else if ((std::uint8_t(c) & 0xC0) != 0x80) {
            ++m_Column;
        }
    }
}

bool C_JsonReader::Fail(const QString& reason)
{
    std::vector<QString> entries;
    for (const S_PathEntry& entry : m_Path)
        entries.push_back(entry.m_Key != nullptr ? QLatin1Char('.') + *entry.m_Key
                                                 : QStringLiteral("[%1]").arg(entry.m_Index));
    m_Error = {m_Line, m_Column, JsonPath(entries), reason};
    return false;
}

void C_JsonReader::SkipSpace()
{
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
        Advance();
}

bool C_JsonReader::Count(std::size_t count)
{
    if (count >= MaximumMembers)
        return Fail(QStringLiteral("more than %1 members").arg(MaximumMembers));
    return true;
}

bool C_JsonReader::ParseValue(S_JsonValue& value, int depth)
{
    if (++m_Values > MaximumValues)
        return Fail(QStringLiteral("more than %1 values").arg(MaximumValues));
    value.m_Line = m_Line;
    value.m_Column = m_Column;
    if (AtEnd())
        return Fail(QStringLiteral("the document ends where a value should be"));
    switch (Peek()) {
    case '{': return ParseObject(value, depth);
    case '[': return ParseArray(value, depth);
    case '"': value.m_Type = S_JsonValue::Type::String; return ParseString(value.m_String);
    case 't':
        value.m_Type = S_JsonValue::Type::Boolean;
        value.m_Boolean = true;
        return ParseWord("true");
    case 'f': value.m_Type = S_JsonValue::Type::Boolean; return ParseWord("false");
    case 'n': value.m_Type = S_JsonValue::Type::Null; return ParseWord("null");
    default: break;
    }
    if (Peek() == '-' || IsDigit(Peek()))
        return ParseNumber(value);
    return Fail(QStringLiteral("a value was expected"));
}

bool C_JsonReader::ParseWord(const char* word)
{
    if (!Follows(word))
        return Fail(QStringLiteral("a value was expected"));
    Advance(qsizetype(std::strlen(word)));
    return true;
}

bool C_JsonReader::ParseObject(S_JsonValue& value, int depth)
{
    if (depth >= MaximumDepth)
        return Fail(QStringLiteral("nested deeper than %1 levels").arg(MaximumDepth));
    value.m_Type = S_JsonValue::Type::Object;
    Advance();
    SkipSpace();
    if (Peek() == '}') {
        Advance();
        return true;
    }
    QSet<QString> keys;
    for (;;) {
        if (Peek() == '}')
            return Fail(QStringLiteral("a comma before '}'"));
        if (Peek() != '"')
            return Fail(QStringLiteral("a key in quotes was expected"));
        if (!Count(value.m_Members.size()))
            return false;
        QString key;
        const int line = m_Line;
        const int column = m_Column;
        if (!ParseString(key))
            return false;
        m_Path.push_back({&key, 0});
        if (!Insert(keys, key)) {
            m_Line = line;
            m_Column = column;
            return Fail(QStringLiteral("the key appears twice"));
        }
        SkipSpace();
        if (Peek() != ':')
            return Fail(QStringLiteral("':' was expected after the key"));
        Advance();
        SkipSpace();
        S_JsonValue member;
        member.m_KeyLine = line;
        member.m_KeyColumn = column;
        if (!ParseValue(member, depth + 1))
            return false;
        m_Path.pop_back();
        value.m_Members.push_back({std::move(key), std::move(member)});
        SkipSpace();
        if (Peek() == '}') {
            Advance();
            return true;
        }
        if (Peek() != ',')
            return Fail(QStringLiteral("',' or '}' was expected"));
        Advance();
        SkipSpace();
    }
}

bool C_JsonReader::ParseArray(S_JsonValue& value, int depth)
{
    if (depth >= MaximumDepth)
        return Fail(QStringLiteral("nested deeper than %1 levels").arg(MaximumDepth));
    value.m_Type = S_JsonValue::Type::Array;
    Advance();
    SkipSpace();
    if (Peek() == ']') {
        Advance();
        return true;
    }
    for (;;) {
        if (Peek() == ']')
            return Fail(QStringLiteral("a comma before ']'"));
        if (!Count(value.m_Elements.size()))
            return false;
        m_Path.push_back({nullptr, value.m_Elements.size()});
        S_JsonValue element;
        if (!ParseValue(element, depth + 1))
            return false;
        value.m_Elements.push_back(std::move(element));
        m_Path.pop_back();
        SkipSpace();
        if (Peek() == ']') {
            Advance();
            return true;
        }
        if (Peek() != ',')
            return Fail(QStringLiteral("',' or ']' was expected"));
        Advance();
        SkipSpace();
    }
}

bool C_JsonReader::ReadCodePoint(char32_t& codePoint)
{
    const auto byte = [this](qsizetype i) { return std::uint8_t(m_Text[m_At + i]); };
    const std::uint8_t lead = byte(0);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
        codePoint = lead & 0x1F;
        length = 2;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        codePoint = lead & 0x0F;
        length = 3;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        codePoint = lead & 0x07;
        length = 4;
        minimum = 0x10000;
    } else {
        return Fail(QStringLiteral("the text is not UTF-8"));
    }
    if (m_At + length > m_Text.size())
        return Fail(QStringLiteral("the text is not UTF-8"));
    for (int i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return Fail(QStringLiteral("the text is not UTF-8"));
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return Fail(QStringLiteral("the text is not UTF-8"));
    Advance(length);
    return true;
}

bool C_JsonReader::ParseString(QString& text)
{
    Advance();
    // Keys and most values are plain ASCII: taken as they stand.
    qsizetype end = m_At;
    while (end < m_Text.size() && m_Text[end] >= 0x20 && m_Text[end] < 0x7F && m_Text[end] != '"' &&
           m_Text[end] != '\\')
        ++end;
    if (end < m_Text.size() && m_Text[end] == '"') {
        text = QString::fromLatin1(m_Text.constData() + m_At, end - m_At);
        m_Column += int(end + 1 - m_At);
        m_At = end + 1;
        return true;
    }
    std::u32string codePoints;
    for (;;) {
        if (AtEnd())
            return Fail(QStringLiteral("the text ends inside a string"));
        const char c = Peek();
        if (c == '"') {
            Advance();
            text = QString::fromUcs4(codePoints.data(), qsizetype(codePoints.size()));
            return true;
        }
        if (std::uint8_t(c) < 0x20)
            return Fail(c == '\0' ? QStringLiteral("a NUL byte") : QStringLiteral("a control character in a string"));
        if (c != '\\') {
            char32_t codePoint = 0;
            if (!ReadCodePoint(codePoint))
                return false;
            codePoints.push_back(codePoint);
            continue;
        }
        Advance();
        const char escape = Peek();
        static const char plain[] = "\"\\/bfnrt";
        static const char32_t meant[] = {'"', '\\', '/', '\b', '\f', '\n', '\r', '\t'};
        bool found = false;
        for (int i = 0; i < 8 && !found; ++i)
            if (escape == plain[i]) {
                codePoints.push_back(meant[i]);
                Advance();
                found = true;
            }
        if (found)
            continue;
        if (escape != 'u')
            return Fail(QStringLiteral("an unknown escape in a string"));
        Advance();
        char32_t unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = HexValue(Peek());
            if (digit < 0)
                return Fail(QStringLiteral("\\u needs four hexadecimal digits"));
            unit = unit * 16 + char32_t(digit);
            Advance();
        }
        // A lone half of a surrogate pair stands for no character.
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return Fail(QStringLiteral("a lone surrogate in a string"));
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (!Follows("\\u"))
                return Fail(QStringLiteral("a lone surrogate in a string"));
            Advance(2);
            char32_t low = 0;
            for (int i = 0; i < 4; ++i) {
                const int digit = HexValue(Peek());
                if (digit < 0)
                    return Fail(QStringLiteral("\\u needs four hexadecimal digits"));
                low = low * 16 + char32_t(digit);
                Advance();
            }
            if (low < 0xDC00 || low > 0xDFFF)
                return Fail(QStringLiteral("a lone surrogate in a string"));
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        if (unit == 0)
            return Fail(QStringLiteral("a NUL character"));
        codePoints.push_back(unit);
    }
}

bool C_JsonReader::ParseNumber(S_JsonValue& value)
{
    value.m_Type = S_JsonValue::Type::Integer;
    const bool negative = Peek() == '-';
    if (negative)
        Advance();
    if (!IsDigit(Peek()))
        return Fail(QStringLiteral("a digit was expected"));
    if (Peek() == '0' && m_At + 1 < m_Text.size() && IsDigit(m_Text[m_At + 1]))
        return Fail(QStringLiteral("a number may not start with 0"));
    // Counted below zero, where the range is one larger.
    std::int64_t number = 0;
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    while (IsDigit(Peek())) {
        const int digit = Peek() - '0';
        if (number < (lowest + digit) / 10)
            return Fail(QStringLiteral("the number is too large"));
        number = number * 10 - digit;
        Advance();
    }
    if (Peek() == '.' || Peek() == 'e' || Peek() == 'E')
        return Fail(QStringLiteral("a number with a fraction or exponent"));
    if (!negative && number == lowest)
        return Fail(QStringLiteral("the number is too large"));
    value.m_Integer = negative ? number : -number;
    return true;
}
