#include "dialogs/Printitems.h"

#include "desktop/Messagebox.h"
#include "dialogs/Printersetup.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"

#include <QCheckBox>
#include <QLabel>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

// A printer the jobs can print on without asking: a named printer, or a PDF file.
bool Ready(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat ? !printer.outputFileName().isEmpty()
                                                         : !printer.printerName().isEmpty();
}

QCheckBox* NewCheckBox(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(geometry);
    return box;
}

} // namespace

void PrintConfiguration(QWidget* owner, const C_Configuration* value, const C_EEPROMFormat* format,
                        const QString& caption)
{
    if (value == nullptr || format == nullptr) {
        C_MessageBox::Show(Text(Msg::NothingToPrint), Text(Msg::PrintTitle), C_MessageBox::Icon::Warning,
                           C_MessageBox::Buttons::Ok, owner);
        return;
    }
    TPrintItemsForm dialog(owner, {*value, format->Rows(), format->RowLayout(), caption});
    dialog.exec();
}

TPrintItemsForm::TPrintItemsForm(QWidget* owner, const S_PrintSource& source)
    : TEditorDialog(owner, {362, 216})
    , Panel1(NewDialogPanel(this, {10, 15, 341, 130}))
    , m_PromptLabel(NewDialogLabel(Panel1, Text(Msg::PrintPartsPrompt), {22, 9, 310, 21}))
    , m_ServiceAndMotorCheckBox(NewCheckBox(this, Text(Msg::PrintServiceAndMotor), {32, 48, 210, 17}))
    , m_ProgramsCheckBox(NewCheckBox(this, Text(Msg::PrintPrograms), {32, 72, 210, 17}))
    , m_CyclesCheckBox(NewCheckBox(this, Text(Msg::PrintCycles), {32, 96, 210, 17}))
    , m_TimelinesCheckBox(NewCheckBox(this, Text(Msg::PrintTimelines), {32, 120, 210, 17}))
    , m_PreviewButton(new QPushButton(Text(Msg::PreviewButton), this))
    , m_CancelButton(NewCancelButton({12, 160, 100, 35}, Text(Msg::Cancel)))
    , m_SetupPrinterButton(new QPushButton(Text(Msg::PrinterSetup), this))
    , m_OKButton(NewOkButton({250, 160, 100, 35}))
    , m_Source(source)
{
    setWindowTitle(QStringLiteral("KW3 Win 2"));
    m_OKButton->setText(QStringLiteral("Ok"));
    m_PreviewButton->setGeometry(250, 112, 92, 26);
    m_PreviewButton->setAutoDefault(false);
    m_SetupPrinterButton->setGeometry(131, 160, 100, 35);
    m_SetupPrinterButton->setAutoDefault(false);
    connect(m_SetupPrinterButton, &QPushButton::clicked, this, [this] { TPrinterSetupForm(this, Printer()).exec(); });
    connect(m_PreviewButton, &QPushButton::clicked, this, &TPrintItemsForm::Preview);
    connect(m_OKButton, &QPushButton::clicked, this, &TPrintItemsForm::StartPrinting);
}

TPrintItemsForm::~TPrintItemsForm() = default;

QPrinter& TPrintItemsForm::Printer()
{
    // Made on first use: looking for the system's printers takes a moment.
    if (!m_Printer)
        m_Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_Printer;
}

S_PrintParts TPrintItemsForm::ChosenParts() const
{
    return {m_ServiceAndMotorCheckBox->isChecked(), m_ProgramsCheckBox->isChecked(), m_CyclesCheckBox->isChecked(),
            m_TimelinesCheckBox->isChecked()};
}

bool TPrintItemsForm::ChoosePrinterToPrint()
{
    QPrintDialog dialog(&Printer(), this);
    // Every job prints all its pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}

void TPrintItemsForm::StartPrinting()
{
    if (ChosenParts().Any()) {
        // Without a printer of the system, the print dialog offers a PDF file.
        if (!Ready(Printer()) && !ChoosePrinterToPrint())
            return;
        Print(Printer());
    }
    accept();
}

void TPrintItemsForm::Preview()
{
    QPrintPreviewDialog preview(&Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &TPrintItemsForm::PaintRequested);
    if (preview.exec() == QDialog::Accepted)
        accept();
}

void TPrintItemsForm::PaintRequested(QPrinter* printer)
{
    if (printer->paintEngine() == nullptr || printer->paintEngine()->type() != QPaintEngine::Picture) {
        Print(*printer);
        return;
    }
    // The preview shows one orientation: landscape pages alone show as they are,
    // among portrait pages they lie turned on the sheet as the printer turns them.
    const S_PrintParts parts = ChosenParts();
    const auto sheets = parts.m_ServiceAndMotor || parts.m_Programs ? QPageLayout::Portrait : QPageLayout::Landscape;
    C_PagedTarget target(*printer, C_PagedTarget::Documents::OneForAll);
    target.KeepSheets(sheets);
    std::int32_t pageCounter = m_PageCounter;
    RunPrintJobs(target, m_Source, parts, QDateTime::currentDateTime(), pageCounter);
}

void TPrintItemsForm::Print(QPrinter& printer)
{
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    C_PagedTarget target(printer, toFile ? C_PagedTarget::Documents::OneForAll : C_PagedTarget::Documents::OnePerJob,
                         [&printer](const QString& title) { printer.setDocName(title); });
    const QString refused = RunPrintJobs(target, m_Source, ChosenParts(), QDateTime::currentDateTime(), m_PageCounter);
    if (!refused.isEmpty())
        C_MessageBox::Show(Text(Msg::PrintingStopped) + QStringLiteral(" \"") + refused + QStringLiteral("\": ") +
                               (toFile ? printer.outputFileName() : printer.printerName()) + QLatin1Char(' ') +
                               Text(Msg::PrinterRefused),
                           Text(Msg::PrintTitle), C_MessageBox::Icon::Error, C_MessageBox::Buttons::Ok, this);
}
