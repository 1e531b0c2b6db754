// Faults a review of the frame and its dialogs found: each case here failed before its mend.
#include "mainform/Mainformfixture.h"

#include "app/Mainform.h"
#include "editor/Formatselector.h"
#include "editor/ModalDriver.h"
#include "print/Printersetup.h"
#include "print/Printitems.h"

#include <QAction>
#include <QComboBox>
#include <QMdiArea>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>

// A shut-down while another program is active (a taskbar close, a log-out) still
// remembers the configuration that was current.
TEST_F(MainFormTest, TheCurrentConfigurationIsRememberedWhenAnotherProgramIsActive)
{
    StartRun();
    const QString path = WriteConfiguration(QStringLiteral("Current.KWC"));
    Open(path);
    // What the program is told when another program's window becomes the active one.
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    ASSERT_EQ(Active(), nullptr);
    Main().close();
    EXPECT_EQ(Context().LastConfiguration(), path);
}

TEST_F(MainFormTest, ExitStandsAtTheRightEdgeOfTheToolbarRow)
{
    StartRun();
    Main().resize(1100, 700);
    QApplication::processEvents();
    const QWidget* exit = Main().m_ExitToolBar->widgetForAction(Main().m_FileExitAction);
    ASSERT_NE(exit, nullptr);
    const QRect shown(exit->mapTo(&Main(), QPoint(0, 0)), exit->size());
    EXPECT_GE(shown.right(), Main().width() - 24) << shown.right();
}

// The format dialog lives for the whole run and opens over its owner wherever that went.
TEST_F(MainFormTest, TheFormatDialogOpensCentredEveryTime)
{
    StartRun();
    const QString old = WriteOld(QStringLiteral("Old.KW3"));
    for (const QPoint place : {QPoint(0, 0), QPoint(300, 200)}) {
        Main().move(place);
        QApplication::processEvents();
        QPoint centre;
        WhenShown<TEEPROMFormatDialog>([&centre](TEEPROMFormatDialog& dialog) { centre = dialog.frameGeometry().center(); });
        Import(old);
        EXPECT_LE((centre - Main().frameGeometry().center()).manhattanLength(), 4) << place.x();
    }
}

// "Printer setup" chooses a printer and its paper, and prints nothing; Cancel keeps the old choice.
TEST_F(MainFormTest, PrinterSetupChoosesWithoutPrinting)
{
    StartRun();
    NewValid();
    for (const bool ok : {false, true}) {
        bool kept = false;
        WhenShown<TPrintItemsForm>([&](TPrintItemsForm& print) {
            WhenShown<TPrinterSetupForm>([ok](TPrinterSetupForm& setup) {
                EXPECT_EQ(setup.windowTitle(), Text(32));
                EXPECT_EQ(setup.m_OKButton->text(), QStringLiteral("OK"));
                setup.m_PrinterComboBox->setCurrentIndex(setup.m_PrinterComboBox->count() - 1);
                (ok ? setup.m_OKButton : setup.m_CancelButton)->click();
            });
            // Without a printer system the printer is a PDF file from the start.
            const QPrinter::OutputFormat before = print.Printer().outputFormat();
            print.m_SetupPrinterButton->click();
            kept = print.Printer().outputFormat() == (ok ? QPrinter::PdfFormat : before);
            EXPECT_TRUE(print.isVisible()) << "the print dialog is still open: nothing was printed";
        });
        Main().m_FilePrint->trigger();
        EXPECT_TRUE(kept) << ok;
    }
}
