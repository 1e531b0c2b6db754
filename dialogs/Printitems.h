#pragma once

#include "desktop/Dialoglook.h"
#include "print/Printjobs.h"

#include <cstdint>
#include <memory>

class C_Configuration;
class C_EEPROMFormat;
class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

// The main window's Print command for the active configuration window: its
// configuration, its format and its caption. Without one (null configuration or
// format) it warns and prints nothing; otherwise it shows the print dialog over the owner.
void PrintConfiguration(QWidget* owner, const C_Configuration* value, const C_EEPROMFormat* format,
                        const QString& caption);

// Chooses the parts of a configuration to print and the printer, previews them and
// prints them. Page numbers run on through every job started from one dialog.
class TPrintItemsForm : public TEditorDialog
{
    Q_OBJECT

public:
    TPrintItemsForm(QWidget* owner, const S_PrintSource& source);
    ~TPrintItemsForm() override;

    QWidget* Panel1;
    QLabel* m_PromptLabel;
    QCheckBox* m_ServiceAndMotorCheckBox;
    QCheckBox* m_ProgramsCheckBox;
    QCheckBox* m_CyclesCheckBox;
    QCheckBox* m_TimelinesCheckBox;
    QPushButton* m_PreviewButton;
    QPushButton* m_CancelButton;
    QPushButton* m_SetupPrinterButton;
    QPushButton* m_OKButton;

    // The printer the jobs print on: the system's default until the setup chooses
    // another; a PDF file when the system has none.
    QPrinter& Printer();
    std::int32_t PageCounter() const { return m_PageCounter; }

    // The platform's print dialog, for a print that has no printer yet; false when it is cancelled.
    bool ChoosePrinterToPrint();
    // Runs the ticked jobs, then closes the dialog.
    void StartPrinting();
    // The ticked jobs as they will print, and printing them from there.
    void Preview();
    // The preview's pages, or the jobs themselves when the preview prints.
    void PaintRequested(QPrinter* printer);

private:
    S_PrintParts ChosenParts() const;
    void Print(QPrinter& printer);

    const S_PrintSource m_Source;
    std::unique_ptr<QPrinter> m_Printer;
    std::int32_t m_PageCounter = 1;
};
