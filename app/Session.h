#pragma once

#include "app/Aboutbox.h"
#include "app/Mainform.h"
#include "app/Splash.h"
#include "editor/Formatselector.h"
#include "language/Language.h"

class C_Context;

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
    TMainForm m_MainForm;
    TSplashForm m_Splash;
    TEEPROMFormatDialog m_FormatDialog;
    TAboutBox m_AboutBox;
};
