#pragma once

#include "editor/Mdichild.h"

#include <QList>
#include <QString>

#include <memory>
#include <random>

class C_Context;
class QTreeWidgetItem;

// A window on a sample configuration saved at path (it passes every check), its
// history limited to undoLimit steps (0 for none), shown offscreen.
std::unique_ptr<TFormMDIChild> OpenSampleWindow(C_Context& context, const QString& path, int undoLimit = 0);

// Random editing commands on a configuration window, as a technician might give
// them, and the window's invariants checked between them.
class RandomSession
{
public:
    RandomSession(TFormMDIChild& window, unsigned seed);

    // One editing command on a random place; with saving, also Save and the
    // reload of the file saved (which ends the window's history).
    void Command(bool saving = false);
    // The budget is the steps the cycles hold; every pointer into the trees is
    // live; the modified mark follows the history. Fatal failures name when and step.
    void ExpectInvariants(const char* when, int step);
    // Saved, loaded into a second window and saved again: the same bytes.
    void ExpectSaveLoadSaveIdentical(const QString& folder, int step);

    // As a technician readies a configuration for saving: cycles without steps,
    // programs beyond the controller's 30 and references to cycles that are gone
    // removed, a cycle dropped on each program without one.
    void Tidy();

    QList<QTreeWidgetItem*> Cycles() const;
    QList<QTreeWidgetItem*> ProgramNodes() const;

private:
    template <class T>
    T* Pick(const QList<T*>& items)
    {
        return items.isEmpty() ? nullptr : items[int(m_Random() % unsigned(items.size()))];
    }
    int Below(int bound) { return bound <= 0 ? 0 : int(m_Random() % unsigned(bound)); }
    void SelectCategory(int code);
    void SetStepCursor(int column, int row);

    TFormMDIChild& m_Window;
    std::mt19937 m_Random;
};
