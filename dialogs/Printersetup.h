#pragma once

#include "desktop/Dialoglook.h"

#include <QPageLayout>
#include <QPrinter>

class QComboBox;
class QPushButton;

// Chooses the printer the print jobs go to, and its paper and margins; prints
// nothing. OK keeps the choice in the printer; Cancel leaves it as it was.
class TPrinterSetupForm : public TEditorDialog
{
    Q_OBJECT

public:
    TPrinterSetupForm(QWidget* owner, QPrinter& printer);

    void done(int result) override;

    // The system's printers by name, then a PDF file, asked for when printing.
    QComboBox* m_PrinterComboBox;
    QPushButton* m_PageSetupButton;
    QPushButton* m_CancelButton;
    QPushButton* m_OKButton;

private:
    void ApplyChosenPrinter();

    QPrinter& m_Printer;
    // What Cancel goes back to, paper and margins included.
    const QPrinter::OutputFormat m_FormatBefore;
    const QString m_NameBefore;
    const QPageLayout m_LayoutBefore;
};
