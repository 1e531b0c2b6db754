#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Writes a JSON document with its keys in the order given: one member or element
// per line, except in objects and arrays begun as compact, which stay on one line.
class C_JsonWriter
{
public:
    void BeginObject(bool compact = false);
    void EndObject();
    void BeginArray(bool compact = false);
    void EndArray();
    // The key of the next value in the current object.
    void Key(const char* key);
    void Key(const QString& key);
    void Value(int value);
    void Value(bool value);
    void Value(const QString& value);
    void Null();

    QByteArray Text() const { return m_Text; }

private:
    struct S_Level
    {
        bool m_Compact;
        int m_Count = 0;
    };

    void Open(char bracket, bool compact);
    void Close(char bracket);
    // Separates and places the next value; after a key the value follows it directly.
    void Place();
    void NewLine(size_t depth);
    void Quote(QStringView value);

    QByteArray m_Text;
    std::vector<S_Level> m_Levels;
    bool m_AfterKey = false;
};
