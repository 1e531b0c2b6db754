#include "support/ScriptedMessageBoxes.h"

ScriptedMessageBoxes::ScriptedMessageBoxes(std::deque<C_MessageBox::Answer> answers)
    : m_Answers(std::move(answers))
{
    m_Previous = C_MessageBox::SetHandler([this](const C_MessageBox::Request& request) {
        m_Shown.push_back(request);
        if (m_Answers.empty())
            return C_MessageBox::EscapeAnswer(request.buttons);
        const C_MessageBox::Answer answer = m_Answers.front();
        m_Answers.pop_front();
        return answer;
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    C_MessageBox::SetHandler(std::move(m_Previous));
}
