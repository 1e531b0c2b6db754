#pragma once

#include "desktop/Dialoglook.h"

#include <cstdint>

class C_UpDown;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// One value line of a phase dialog: a label above an edit box with its up-down,
// and a track bar to the right that moves with the up-down.
struct C_TrackLine
{
    QLabel* m_Label;
    QLineEdit* m_Edit;
    C_UpDown* m_UpDown;
    QSlider* m_TrackBar;
    std::int32_t m_Min;
    std::int32_t m_Max;
};

// The parameters of a special function of a step (cooling, balanced feed): value
// lines, then a timeout line of minutes and seconds, then Cancel and OK. The values
// reach the caller only when OK is accepted by the close query.
class TPhaseDialog : public TEditorDialog
{
    Q_OBJECT

public:
    // With showTimeout false the timeout cannot be entered and is left as passed in.
    TPhaseDialog(QWidget* owner, int clientWidth, const QString& title, int valueLines, bool showTimeout,
                 std::uint32_t* timeout);

    void done(int result) override;

    QWidget* Panel1;
    QLabel* m_TimeoutLabel;
    QLineEdit* m_MinutesEdit;
    C_UpDown* m_MinutesUpDown;
    QLabel* m_TimeoutColon;
    QLineEdit* m_SecondsEdit;
    C_UpDown* m_SecondsUpDown;
    QPushButton* m_CancelButton;
    QPushButton* m_OKButton;

protected:
    // Value line number index (from 0) of the panel.
    C_TrackLine NewTrackLine(int index, const QString& text, std::int32_t min, std::int32_t max, std::int32_t value);

    // Checks and writes the entries when the dialog closes with OK; false keeps it open.
    virtual bool CloseQuery() = 0;

    // The line's typed value when it lies in the line's range; otherwise the range
    // warning, the focus to the line's box, and false.
    bool ReadInRange(const C_TrackLine& line, std::int32_t& value);
    void WriteTimeout();

private:
    const bool m_ShowTimeout;
    std::uint32_t* m_Timeout;
    QWidget* m_LastTrackBar = nullptr;
};
