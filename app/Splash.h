#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The picture shown for a moment while Kw3Win starts: frameless, on top of the
// other windows, centred on the screen. It hides itself 1.5 seconds after it
// was created and is not shown again.
class TSplashForm : public QWidget
{
    Q_OBJECT

public:
    static constexpr int CloseAfterMilliseconds = 1500;

    explicit TSplashForm(QWidget* parent = nullptr);

    // Hides the splash before its time: a question at start-up must not stand behind it.
    void CloseSplash();

    QLabel* m_Background;
    QLabel* m_VersionLabel;
    QTimer* m_CloseTimer;
};
