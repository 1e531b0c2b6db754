#pragma once

#include "language/Language.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

// A language file whose every line names its id ("<145>"), loaded while the test runs,
// so labels and lines show which texts they used.
class IdLanguageTest : public ::testing::Test
{
protected:
    IdLanguageTest()
        : m_Language(m_Folder.WriteIdLanguage())
    {
    }

    TempFolder m_Folder;
    C_LanguageManager m_Language;
};
