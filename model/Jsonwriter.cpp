#include "model/Jsonwriter.h"

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
    Key(QString::fromLatin1(key));
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

void C_JsonWriter::Quote(const QString& value)
{
    m_Text += '"';
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '"': m_Text += "\\\""; break;
        case '\\': m_Text += "\\\\"; break;
        case '\n': m_Text += "\\n"; break;
        case '\r': m_Text += "\\r"; break;
        case '\t': m_Text += "\\t"; break;
        default:
            if (c.unicode() < 0x20)
                m_Text += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
            else
                m_Text += QString(c).toUtf8();
        }
    }
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
    m_Text += QByteArray(int(2 * depth), ' ');
}
