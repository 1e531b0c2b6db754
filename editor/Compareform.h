#pragma once

#include "document/Configurationdiff.h"
#include "model/Configuration.h"
#include "model/Eepromformat.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TFormMDIChild;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// Compares a configuration window (A) with another open one or a configuration
// file (B) and lists the differences as kw3tool's diff does; selecting one
// selects its program, cycle or step in the window(s), and Take this copies it
// from B into A as one step of A's history. The list follows every change of
// either window. Not modal; it deletes itself when closed and closes when window A goes.
class TCompareForm : public QWidget
{
    Q_OBJECT

public:
    // Compares at once with the first of the others, if there is one.
    TCompareForm(TFormMDIChild& active, QList<TFormMDIChild*> others, QWidget* parent = nullptr);
    ~TCompareForm() override;

    // How the format of an old file (.KW3) is chosen: a format code, 0 to give
    // up. Without one, an old file is read in A's format.
    void SetOldFormatChooser(std::function<std::uint16_t()> chooser) { m_OldFormat = std::move(chooser); }

    void CompareWith(TFormMDIChild& other);
    // A file chosen through the file chooser; false when none is chosen or it cannot be read.
    bool CompareWithChosenFile();
    // False, after a message box, when the file cannot be read.
    bool CompareWithFile(const QString& path);

    const std::vector<S_Difference>& Differences() const { return m_Differences; }
    // Selects the place of the difference at the position in window A, and in B when it is a window.
    void SelectDifference(int index);
    // The difference at the position taken from B into window A, by the paste rules,
    // after their questions; false when A did not change.
    bool TakeDifference(int index);

    QComboBox* m_OthersBox;
    QPushButton* m_CompareButton;
    QPushButton* m_FileButton;
    QPushButton* m_TakeButton;
    QLabel* m_Summary;
    // Place, A, B: one row per difference.
    QTableWidget* m_Table;

private:
    void Compare(const S_ComparedConfiguration& b, const QString& captionB);
    // Compared again with the same B, the same row selected where there still is one.
    void Refresh();
    void FollowChanges(TFormMDIChild* window);
    // Enabled while the selected difference can be taken and B is there to take it from.
    void UpdateTakeButton();
    void RemoveOther(QObject* window);

    QPointer<TFormMDIChild> m_Active;
    // Held as widgets: a window's destroyed signal comes when it is only a QWidget any more.
    QList<QPointer<QWidget>> m_Others;
    // B while it is an open window.
    QPointer<TFormMDIChild> m_Other;
    // B while it is a file, as it was read.
    std::optional<C_Configuration> m_File;
    std::unique_ptr<C_EEPROMFormat> m_FileFormat;
    QString m_FileCaption;
    std::vector<S_Difference> m_Differences;
    std::function<std::uint16_t()> m_OldFormat;
};
