#include "support/Mainformfixture.h"

#include "editor/Newconfiguration.h"
#include "model/Eepromformat.h"
#include "support/ModalDriver.h"
#include "support/Sampleconfiguration.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QPushButton>
#include <QTreeWidget>

ScriptedFileChooser::ScriptedFileChooser()
    : m_Previous(C_FileChooser::SetHandler([this](const C_FileChooser::Request& request) {
        m_Asked.push_back(request);
        if (m_Answers.empty())
            return QString();
        const QString answer = m_Answers.front();
        m_Answers.pop_front();
        return answer;
    }))
{
}

ScriptedFileChooser::~ScriptedFileChooser()
{
    C_FileChooser::SetHandler(std::move(m_Previous));
}

MainFormTest::MainFormTest()
    : m_WorkingDirectory(QDir::currentPath())
{
    // Relative names (new windows, typed paths) land in the private folder.
    QDir::setCurrent(m_Folder.Path(QString()));
    {
        C_Context first;
        first.SetLanguageFile(SourceFile(QStringLiteral("resources/English.lng")));
        first.SetFormWidth(1400);
        first.SetFormHeight(1000);
    }
}

MainFormTest::~MainFormTest()
{
    m_Session.reset();
    m_Context.reset();
    QDir::setCurrent(m_WorkingDirectory);
}

void MainFormTest::StartRun(const QString* argument)
{
    m_Context = std::make_unique<C_Context>();
    if (argument != nullptr)
        m_Context->SetLastConfiguration(*argument);
    m_Session = std::make_unique<C_Session>(*m_Context);
    m_Session->Start();
    QApplication::setActiveWindow(&Main());
    QApplication::processEvents();
}

void MainFormTest::EndRun()
{
    m_Session.reset();
    m_Context.reset();
}

TFormMDIChild* MainFormTest::New(int type)
{
    WhenShown<TNewConfigurationForm>([type](TNewConfigurationForm& dialog) {
        dialog.m_ChooseTypeButtons->button(type)->click();
        dialog.m_OKButton->click();
    });
    Main().m_FileNewAction->trigger();
    return Active();
}

void MainFormTest::Open(const QString& path)
{
    m_Files.Queue(path);
    Main().m_FileOpenAction->trigger();
}

void MainFormTest::Import(const QString& path)
{
    m_Files.Queue(path);
    Main().m_FileImportAction->trigger();
}

TFormMDIChild* MainFormTest::NewValid()
{
    TFormMDIChild* window = New();
    FillSampleConfiguration(*window, {3, 4}, 2);
    return window;
}

QString MainFormTest::WriteConfiguration(const QString& name, const S_TestLayout& layout)
{
    return m_Folder.Write(name, ImageBuilder(layout).ConfigurationFile());
}

QString MainFormTest::WriteOld(const QString& name, const S_TestLayout& layout)
{
    return m_Folder.Write(name, ImageBuilder(layout).OldFile());
}

QString MainFormTest::OnlyBox() const
{
    return m_Boxes.Shown().size() == 1 ? m_Boxes.Shown().front().text : QString();
}
