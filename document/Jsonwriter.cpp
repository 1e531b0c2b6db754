#include "document/Jsonwriter.h"

void C_JsonWriter::BeginObject(bool compact)
{
    Open('{', compact);
}

void C_JsonWriter::EndObject()
{
    Close('}');
}

void C_JsonWriter::BeginArray(bool compact)
{
    Open('[', compact);
}

void C_JsonWriter::EndArray()
{
    Close(']');
}

void C_JsonWriter::Key(const char* key)
{
    // The writers' own names: plain ASCII, nothing to escape.
    Place();
    m_Text += '"';
    m_Text += key;
    m_Text += "\": ";
    m_AfterKey = true;
}

void C_JsonWriter::Key(const QString& key)
{
    Place();
    Quote(key);
    m_Text += ": ";
    m_AfterKey = true;
}

void C_JsonWriter::Null()
{
    Place();
    m_Text += "null";
}

void C_JsonWriter::Value(int value)
{
    Place();
    m_Text += QByteArray::number(value);
}

void C_JsonWriter::Value(bool value)
{
    Place();
    m_Text += value ? "true" : "false";
}

void C_JsonWriter::Value(const QString& value)
{
    Place();
    Quote(value);
}

void C_JsonWriter::Quote(QStringView value)
{
    m_Text += '"';
    // Runs without a character to escape go out whole, so a pair of surrogates stays one character.
    qsizetype plain = 0;
    const auto writePlain = [&](qsizetype end) {
        if (end > plain)
            m_Text += value.sliced(plain, end - plain).toUtf8();
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        writePlain(i);
        plain = i + 1;
        switch (c) {
        case '"': m_Text += "\\\""; break;
        case '\\': m_Text += "\\\\"; break;
        case '\n': m_Text += "\\n"; break;
        case '\r': m_Text += "\\r"; break;
        case '\t': m_Text += "\\t"; break;
        default: m_Text += "\\u" + QByteArray::number(c, 16).rightJustified(4, '0');
        }
    }
    writePlain(value.size());
    m_Text += '"';
}

void C_JsonWriter::Open(char bracket, bool compact)
{
    Place();
    m_Text += bracket;
    const bool inCompact = !m_Levels.empty() && m_Levels.back().m_Compact;
    m_Levels.push_back({compact || inCompact});
}

void C_JsonWriter::Close(char bracket)
{
    const S_Level level = m_Levels.back();
    m_Levels.pop_back();
    if (!level.m_Compact && level.m_Count > 0)
        NewLine(m_Levels.size());
    m_Text += bracket;
}

void C_JsonWriter::Place()
{
    if (m_AfterKey) {
        m_AfterKey = false;
        return;
    }
    if (m_Levels.empty())
        return;
    S_Level& level = m_Levels.back();
    if (level.m_Count++ > 0)
        m_Text += level.m_Compact ? ", " : ",";
    if (!level.m_Compact)
        NewLine(m_Levels.size());
}

void C_JsonWriter::NewLine(size_t depth)
{
    m_Text += '\n';
    m_Text.append(qsizetype(2 * depth), ' ');
}
