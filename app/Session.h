#pragma once

#include "app/Aboutbox.h"
#include "app/Mainform.h"
#include "app/Splash.h"
#include "editor/Formatselector.h"
#include "language/Language.h"

#include <QTranslator>

class C_Context;

// From now on a language file that cannot be opened is told in a message box.
void ShowLanguageComplaints();

// The toolkit's own texts (its dialogs, the window menus) in the language of the
// language file, where the system has them installed, while the object lives.
class C_ToolkitLanguage
{
public:
    C_ToolkitLanguage();
    ~C_ToolkitLanguage();
    C_ToolkitLanguage(const C_ToolkitLanguage&) = delete;
    C_ToolkitLanguage& operator=(const C_ToolkitLanguage&) = delete;

private:
    QTranslator m_Translator;
    bool m_Installed = false;
};

// The objects of one run of Kw3Win over its settings store, created in start-up
// order (language, main window, splash, format dialog, about box) and destroyed
// in the reverse order, the language last.
class C_Session
{
public:
    explicit C_Session(C_Context& context);

    // The splash painted at once, then the main window, which reopens the last configuration.
    void Start();

    C_LanguageManager m_Language;
    C_ToolkitLanguage m_ToolkitLanguage;
    TMainForm m_MainForm;
    TSplashForm m_Splash;
    TEEPROMFormatDialog m_FormatDialog;
    TAboutBox m_AboutBox;
};
