#include "dialogs/Printersetup.h"

#include "language/Language.h"
#include "language/Messages.h"

#include <QComboBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinterInfo>
#include <QPushButton>

TPrinterSetupForm::TPrinterSetupForm(QWidget* owner, QPrinter& printer)
    : TEditorDialog(owner, {362, 150})
    , m_PrinterComboBox(new QComboBox(this))
    , m_PageSetupButton(new QPushButton(Text(Msg::PaperAndMargins), this))
    , m_CancelButton(NewCancelButton({131, 102, 100, 35}, Text(Msg::Cancel)))
    , m_OKButton(NewOkButton({250, 102, 100, 35}))
    , m_Printer(printer)
    , m_FormatBefore(printer.outputFormat())
    , m_NameBefore(printer.printerName())
    , m_LayoutBefore(printer.pageLayout())
{
    setWindowTitle(Text(Msg::PrinterSetup));
    NewDialogLabel(this, Text(Msg::PrinterLabel), {12, 14, 338, 20});
    m_PrinterComboBox->setGeometry(12, 36, 338, 26);
    m_PrinterComboBox->addItems(QPrinterInfo::availablePrinterNames());
    m_PrinterComboBox->addItem(Text(Msg::PdfFilePrinter));
    const int chosen = m_Printer.outputFormat() == QPrinter::PdfFormat
                           ? m_PrinterComboBox->count() - 1
                           : m_PrinterComboBox->findText(m_Printer.printerName());
    m_PrinterComboBox->setCurrentIndex(chosen >= 0 ? chosen : m_PrinterComboBox->count() - 1);
    m_PageSetupButton->setGeometry(12, 68, 180, 26);
    m_PageSetupButton->setAutoDefault(false);
    connect(m_OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_PageSetupButton, &QPushButton::clicked, this, [this] {
        // The paper of the printer chosen here, not of the one chosen before.
        ApplyChosenPrinter();
        QPageSetupDialog(&m_Printer, this).exec();
    });
}

void TPrinterSetupForm::ApplyChosenPrinter()
{
    if (m_PrinterComboBox->currentIndex() == m_PrinterComboBox->count() - 1) {
        m_Printer.setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    m_Printer.setOutputFormat(QPrinter::NativeFormat);
    m_Printer.setPrinterName(m_PrinterComboBox->currentText());
}

void TPrinterSetupForm::done(int result)
{
    if (result == QDialog::Accepted) {
        ApplyChosenPrinter();
    } else {
        m_Printer.setOutputFormat(m_FormatBefore);
        if (m_FormatBefore == QPrinter::NativeFormat)
            m_Printer.setPrinterName(m_NameBefore);
        m_Printer.setPageLayout(m_LayoutBefore);
    }
    TEditorDialog::done(result);
}
