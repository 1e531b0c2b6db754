#pragma once

#include "desktop/Messagebox.h"

#include <deque>
#include <vector>

// Answers every message box while it lives: with the queued answers in order,
// then with the box's escape answer. Every box shown is recorded.
class ScriptedMessageBoxes
{
public:
    explicit ScriptedMessageBoxes(std::deque<C_MessageBox::Answer> answers = {});
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void Queue(C_MessageBox::Answer answer) { m_Answers.push_back(answer); }
    const std::vector<C_MessageBox::Request>& Shown() const { return m_Shown; }
    void Clear() { m_Shown.clear(); }

private:
    std::deque<C_MessageBox::Answer> m_Answers;
    std::vector<C_MessageBox::Request> m_Shown;
    C_MessageBox::Handler m_Previous;
};
