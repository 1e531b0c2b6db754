#include "comm/Filetansfer.h"

#include "resources/Pictures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <QLabel>
#include <QSplitter>

#include <algorithm>
#include <memory>

namespace {

constexpr int ReadableDiagnosticsHeight = 300;
constexpr int MappingWaitMs = 500;

} // namespace

void EnlargeDiagnostics(QWidget* panel)
{
    const int height = ReadableDiagnosticsHeight;
    if (panel == nullptr || panel->height() >= height)
        return;
    auto* splitter = qobject_cast<QSplitter*>(panel->parentWidget());
    if (splitter == nullptr || splitter->orientation() != Qt::Vertical) {
        panel->resize(panel->width(), height);
        return;
    }
    QList<int> sizes = splitter->sizes();
    const int own = splitter->indexOf(panel);
    int donor = -1;
    for (int index = 0; index < sizes.size(); ++index)
        if (index != own && (donor < 0 || sizes[index] > sizes[donor]))
            donor = index;
    const int growth = height - sizes[own];
    sizes[own] = height;
    if (donor >= 0)
        sizes[donor] = std::max(0, sizes[donor] - growth);
    splitter->setSizes(sizes);
}

TFormFileTransfer::TFormFileTransfer(QWidget* owner, int picture)
    : TEditorDialog(owner, QSize(300, 150))
{
    // No title-bar buttons: the window goes when the transfer ends.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("KW3 Win 2"));
    m_ImageList = {LoadPicture(QStringLiteral("TRANSFER_DOWNLOAD")), LoadPicture(QStringLiteral("TRANSFER_UPLOAD"))};
    m_BackImage = new QLabel(this);
    m_BackImage->setGeometry(0, 0, 300, 150);
    m_BackImage->setPixmap(m_ImageList.value(picture));
}

bool RunFileTransfer(QWidget* owner, TFormFileTransfer::Picture picture, QWidget* diagnosticPanel,
                     const std::function<bool()>& transfer)
{
    const auto window = std::make_unique<TFormFileTransfer>(owner, picture);
    window->show();
    // Mapped and painted now: the transfer keeps the program from painting until it
    // ends. A window manager maps the window a moment after it is shown.
    QElapsedTimer waited;
    waited.start();
    while ((window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) &&
           waited.elapsed() < MappingWaitMs)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    window->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const bool transferred = transfer();
    if (!transferred)
        EnlargeDiagnostics(diagnosticPanel);
    window->close();
    return transferred;
}
