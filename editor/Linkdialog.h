#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;

// The programs a cycle can be linked into: each with the cycles it runs, by their names.
struct S_LinkChoices
{
    struct S_Program
    {
        QString m_Name;
        QStringList m_Cycles;
    };
    QString m_Cycle;
    std::vector<S_Program> m_Programs;
};

// Where the cycle goes: the program's place among the choices, and the position
// in its cycle list (0 first, k after its k-th cycle).
struct S_LinkPlace
{
    std::size_t m_Program = 0;
    std::size_t m_Position = 0;
};

// Asks the keyboard's way what the drop on the programs tree says with the mouse:
// the program and the place in it. Tests answer through SetHandler instead.
class TLinkDialog : public QDialog
{
    Q_OBJECT

public:
    using Handler = std::function<std::optional<S_LinkPlace>(const S_LinkChoices&)>;

    TLinkDialog(QWidget* owner, const S_LinkChoices& choices);

    S_LinkPlace Choice() const;

    static std::optional<S_LinkPlace> Ask(QWidget* owner, const S_LinkChoices& choices);
    // Replaces the dialog; an empty handler restores it. Returns the previous one.
    static Handler SetHandler(Handler handler);

    QComboBox* m_Program;
    QComboBox* m_Place;

private:
    void ShowPlaces(int program);

    S_LinkChoices m_Choices;
};
