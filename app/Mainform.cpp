#include "app/Mainform.h"

#include "app/Context.h"
#include "resources/Pictures.h"

#include <QCloseEvent>
#include <QMdiArea>

TMainForm::TMainForm(C_Context& context, QWidget* parent)
    : QMainWindow(parent)
    , m_Context(context)
    , m_MdiArea(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("KW3 Win 2"));
    setWindowIcon(QIcon(LoadPicture(QStringLiteral("APPLICATION"))));
    setCentralWidget(m_MdiArea);
    RestoreGeometry();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    StoreGeometry();
    event->accept();
}

void TMainForm::RestoreGeometry()
{
    setGeometry(m_Context.FormLeft(), m_Context.FormTop(), m_Context.FormWidth(), m_Context.FormHeight());
    switch (m_Context.WindowState()) {
    case 1: setWindowState(Qt::WindowMinimized); break;
    case 2: setWindowState(Qt::WindowMaximized); break;
    default: break;
    }
}

void TMainForm::StoreGeometry()
{
    // The normal geometry is what a restored window comes back to.
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    m_Context.SetFormLeft(normal.left());
    m_Context.SetFormTop(normal.top());
    m_Context.SetFormWidth(normal.width());
    m_Context.SetFormHeight(normal.height());
    m_Context.SetWindowState(isMinimized() ? 1 : isMaximized() ? 2 : 0);
    if (m_MdiArea->subWindowList().isEmpty())
        m_Context.SetLastConfiguration(QString());
}
