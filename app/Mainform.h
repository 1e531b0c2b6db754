#pragma once

#include <QMainWindow>

class C_Context;
class QMdiArea;

// The frame window of Kw3Win: every open configuration is a child window of its
// multi-document area.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(C_Context& context, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RestoreGeometry();
    void StoreGeometry();

    C_Context& m_Context;
    QMdiArea* m_MdiArea;
};
