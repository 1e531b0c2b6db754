#include "app/Session.h"

#include "desktop/Messagebox.h"

#include "language/Messages.h"
#include "settings/Context.h"

#include <QCoreApplication>
#include <QLibraryInfo>

C_ToolkitLanguage::C_ToolkitLanguage()
{
    const QString name = QStringLiteral("qtbase_") + Text(Msg::QtLanguage);
    m_Installed = m_Translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                  QCoreApplication::installTranslator(&m_Translator);
}

C_ToolkitLanguage::~C_ToolkitLanguage()
{
    if (m_Installed)
        QCoreApplication::removeTranslator(&m_Translator);
}

void ShowLanguageComplaints()
{
    C_LanguageManager::SetComplaint([](const QString& text, const QString& caption) {
        C_MessageBox::Show(text, caption, C_MessageBox::Icon::Information);
    });
}

C_Session::C_Session(C_Context& context)
    : m_Language(context.LanguageFile())
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
