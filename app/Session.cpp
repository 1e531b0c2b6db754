#include "app/Session.h"

C_Session::C_Session(C_Context& context)
    : m_Language(context)
    , m_MainForm(context)
    , m_FormatDialog(&m_MainForm)
    , m_AboutBox(&m_MainForm)
{
    m_MainForm.SetSharedDialogs(m_FormatDialog, m_AboutBox);
}

void C_Session::Start()
{
    m_Splash.show();
    m_Splash.repaint();
    m_MainForm.show();
    m_Splash.raise();
}
