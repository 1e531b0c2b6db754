// Faults a review of the frame and its dialogs found; each check failed before its mend.
#include "app/Mainform.h"
#include "dialogs/Printersetup.h"
#include "dialogs/Printitems.h"
#include "editor/Formatselector.h"
#include "support/Mainformfixture.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QComboBox>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>

TEST_F(MainFormTest, TheFrameKeepsItsPlacesAndItsDialogsDoWhatTheySay)
{
    StartRun();
    // Exit stands at the right edge of the toolbar row.
    Main().resize(1100, 700);
    QApplication::processEvents();
    const QWidget* exit = Main().m_ExitToolBar->widgetForAction(Main().m_FileExitAction);
    EXPECT_GE(exit->mapTo(&Main(), QPoint(exit->width(), 0)).x(), Main().width() - 24);
    // The format dialog, kept for the whole run, opens over the frame wherever it went.
    const QString old = WriteOld(QStringLiteral("Old.KW3"));
    for (const QPoint place : {QPoint(0, 0), QPoint(300, 200)}) {
        Main().move(place);
        QPoint centre;
        WhenShown<TEEPROMFormatDialog>(
            [&centre](TEEPROMFormatDialog& dialog) { centre = dialog.frameGeometry().center(); });
        Import(old);
        EXPECT_LE((centre - Main().frameGeometry().center()).manhattanLength(), 4) << place.x();
    }
    // Printer setup chooses and prints nothing; its Cancel keeps the choice before.
    NewValid();
    for (const bool ok : {false, true}) {
        bool kept = false;
        WhenShown<TPrintItemsForm>([&](TPrintItemsForm& print) {
            WhenShown<TPrinterSetupForm>([ok](TPrinterSetupForm& setup) {
                EXPECT_EQ(setup.windowTitle(), Text(32));
                setup.m_PrinterComboBox->setCurrentIndex(setup.m_PrinterComboBox->count() - 1);
                (ok ? setup.m_OKButton : setup.m_CancelButton)->click();
            });
            // Without a printer system the printer is a PDF file from the start.
            const QPrinter::OutputFormat before = print.Printer().outputFormat();
            print.m_SetupPrinterButton->click();
            kept = print.Printer().outputFormat() == (ok ? QPrinter::PdfFormat : before) && print.isVisible();
        });
        Main().m_FilePrint->trigger();
        EXPECT_TRUE(kept) << ok;
    }
    // A shut-down while another program is active (a taskbar close, a log-out) remembers the current window.
    const QString path = WriteConfiguration(QStringLiteral("Current.KWC"));
    Open(path);
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    ASSERT_EQ(Active(), nullptr);
    m_Boxes.Queue(C_MessageBox::Answer::No);
    Main().close();
    EXPECT_EQ(Context().LastConfiguration(), path);
}
