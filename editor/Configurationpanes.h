#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

#include "model/Configuration.h"
#include "model/Diagnosticlist.h"
#include "model/Serviceblock.h"
#include "transfer/Transferjob.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class C_EEPROMFormat;
class C_TreeView;
class C_UpDown;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTreeWidgetItem;
struct S_FormatDescription;
struct S_TextConfiguration;

// The named contents of a configuration window: the service panel controls, the
// motor grid, the programs, cycles and diagnostic trees and the step grid. They
// show a configuration value, which the window holds; the service panel is read
// back only for what the user enters. Built without a layout so that the tests
// use them headless and the configuration window only lays them out.
class C_ConfigurationPanes : public QWidget
{
    Q_OBJECT

public:
    // Diagnostic line icons.
    enum DiagnosticIcon { Heading = 0, Information = 1, InProgress = 2, Error = 3 };
    // Node images of the programs and cycles trees.
    enum NodeImage { CycleImage = 0, ProgramImage = 1 };

    explicit C_ConfigurationPanes(QWidget* parent = nullptr);

    // Appends a line under the parent (at top level without one), expands the parent.
    QTreeWidgetItem* AddDiagnostic(QTreeWidgetItem* parent, const QString& text, int icon);
    // The heading line of a transfer of the format's configuration, with the port line under it.
    QTreeWidgetItem* AddTransferHeading(const C_EEPROMFormat& format, TransferDirection direction);

    // The value attached to a motor cell: row 1 to 15 (mode), column 1 to 3 (time).
    int MotorCell(int row, int column) const;
    void SetMotorCell(int row, int column, int value);

    // Removes every program and cycle (the five category roots stay) and marks
    // every motor time not used.
    void ClearConfiguration();

    // The panes show the value (references linked by category and number). Only
    // what differs from what they show changes: the nodes that stay are kept. The
    // panes' signals are the caller's to block; the step budget is the format's to take.
    void ShowConfiguration(const C_Configuration& value);
    // The service values the panel stores, as its controls hold them (within their
    // ranges); the others stay the value's.
    void ReadService(const C_EEPROMFormat& format, C_Configuration& value) const;
    // What a window shows of a configuration just read into the format: the value,
    // the format's picture and the controls it locks, the free steps and outputs
    // boxes, every program and every category with cycles open.
    void ShowRead(const C_EEPROMFormat& format, const C_Configuration& value);
    // Reads the format's image and shows it as ShowRead does, with the lines of reading it.
    C_Configuration ShowFormat(C_EEPROMFormat& format);
    // The service value shown, in the terms of the panel (a flag as 0 or 1, a list
    // entry by index), and the panel set to show one.
    int ShownService(ServiceParameter parameter) const;
    void ShowService(ServiceParameter parameter, int value);
    // A parameter's controls on the service panel, made from its row: a label (but for
    // a check box) and the control its row names.
    struct S_ServiceControls
    {
        QLabel* m_Label = nullptr;
        QLineEdit* m_Box = nullptr;
        C_UpDown* m_UpDown = nullptr;
        QComboBox* m_List = nullptr;
        QCheckBox* m_CheckBox = nullptr;
    };
    const S_ServiceControls& ServiceControls(ServiceParameter parameter) const
    {
        return m_ServiceControls[size_t(parameter)];
    }

    // Service panel.
    QLabel* m_TypeImage;
    QList<QPixmap> m_TypeImageList;
    QLabel* m_StepCountLabel;
    QLineEdit* m_StepCountEdit;
    QLabel* m_NumberOfOutputsLabel;
    QLineEdit* m_NumberOfOutputsEdit;
    // 4 columns by 16 rows: titles in row 0 and column 0, motor times in the rest.
    QTableWidget* m_MotorGrid = nullptr;

    C_TreeView* m_ProgramsTree = nullptr;
    C_TreeView* m_CyclesTree = nullptr;
    // The five category roots of the cycles tree, by category code 1 to 5.
    std::array<QTreeWidgetItem*, 6> m_CategoryNodes{};
    C_TreeView* m_DiagnosticTree = nullptr;
    QTableWidget* m_StepsGrid = nullptr;

signals:
    // A value of the service panel changed, by the control named (or by typing into
    // the hysteresis box, as the window lets it: the up-down named). Whoever fills
    // the panel (a format showing a configuration) blocks the panes' signals
    // meanwhile, so that only the user's changes arrive.
    void ServiceEdited(const QObject* control);

protected:
    // A node of the programs or cycles tree is about to go.
    virtual void NodeGoing(QTreeWidgetItem* node) { (void)node; }

private:
    // The children of the parent made to stand for the wanted kinds and numbers:
    // make builds the node of an entry, show fills a node kept or made.
    void MatchChildren(QTreeWidgetItem* parent, const std::vector<std::pair<std::uint32_t, std::int32_t>>& wanted,
                       const std::function<QTreeWidgetItem*(size_t)>& make,
                       const std::function<void(QTreeWidgetItem*, size_t)>& show);
    // Each parameter's controls as its row says, in the order of the panel's lines.
    void MakeServiceControls();
    void ReportServiceEdits();
    void SetTexts();
    void CreateCategoryRoots();
    void SetServiceDefaults();
    void ShowFormatPicture(const S_FormatDescription& description);
    void LockServiceControls(const std::vector<S_ServiceField>& fields);
    QLineEdit* NewValueBox(bool typable);
    // An up-down with the range and the default of the parameter's row.
    C_UpDown* NewUpDown(QLineEdit* associate, ServiceParameter parameter);

    // By parameter.
    std::vector<S_ServiceControls> m_ServiceControls;
};

// Writes lines into the panes' diagnostic tree as they come, under lines written
// through it or lines it was given.
class C_PaneLines : public C_DiagnosticSink
{
public:
    explicit C_PaneLines(C_ConfigurationPanes& panes);
    int Add(int parent, const QString& text, int icon) override;
    // A line of the tree made elsewhere, to write others under.
    int Adopt(QTreeWidgetItem* line);
    QTreeWidgetItem* Item(int line) const { return m_Lines[size_t(line)]; }

private:
    C_ConfigurationPanes& m_Panes;
    std::vector<QTreeWidgetItem*> m_Lines;
};

// A text document's configuration in its new format, the value and the lines of
// reading it shown in the panes as a window opens it.
std::unique_ptr<C_EEPROMFormat> ShowTextConfiguration(const S_TextConfiguration& document, C_ConfigurationPanes& panes,
                                                      C_Configuration& value);
