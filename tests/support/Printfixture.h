#pragma once

#include "language/Language.h"
#include "model/Configuration.h"
#include "model/Eepromformat.h"
#include "print/Printjobs.h"
#include "support/Recorder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>

// A new standard configuration with texts that name their message ids ("<41>"),
// and the pieces the print tests build configurations from.
class PrintFixture : public ::testing::Test
{
protected:
    PrintFixture();

    // A cycle of the category whose steps use none of their fields; its place in the value.
    std::size_t AddCycle(int category, int number, int steps);
    // A program whose entries name cycles 1 to cycles of category 1, not linked.
    void AddProgram(int number, int cycles);
    // The configuration as the jobs print it.
    S_PrintSource Source() const
    {
        return {m_Value, m_Format->Rows(), m_Format->RowLayout(), QStringLiteral("config.KWC")};
    }

    TempFolder m_Folder;
    C_LanguageManager m_Language;
    std::unique_ptr<C_EEPROMFormat> m_Format;
    C_Configuration m_Value;
};

// A page in short: the document's title, P or L, the page number, and on a cycles
// page the first and last step printed ("-" for none): "<35>L3:26-30".
QString Summary(const S_RecordedPage& page);

// Poppler's view of a PDF file: the orientation of every page ("PPL"), and a page's text.
QString PdfOrientations(const QString& path);
QString PdfText(const QString& path, int page);
