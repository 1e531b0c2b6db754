#pragma once

#include "editor/Dialoglook.h"

#include <QList>
#include <QPixmap>

#include <functional>

class QLabel;

// The window shown while a transfer runs: one picture and the caption, nothing
// else to click. It is painted once before the transfer blocks the program.
class TFormFileTransfer : public TEditorDialog
{
    Q_OBJECT

public:
    enum Picture { DownloadPicture = 0, UploadPicture = 1 };

    TFormFileTransfer(QWidget* owner, int picture);

    QLabel* m_BackImage;
    QList<QPixmap> m_ImageList;
};

// Makes a diagnostic panel at least 300 pixels high, so that its lines can be
// read after a failure; inside a splitter the space comes from the largest other pane.
void EnlargeDiagnostics(QWidget* diagnosticPanel);

// A configuration window's transfer: the transfer window shown and painted, the
// transfer run, the diagnostic panel made at least 300 pixels high when the
// transfer failed so its lines can be read, the window closed. The transfer's result.
bool RunFileTransfer(QWidget* owner, TFormFileTransfer::Picture picture, QWidget* diagnosticPanel,
                     const std::function<bool()>& transfer);
