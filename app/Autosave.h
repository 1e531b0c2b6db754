#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <map>

class C_RecoveryFolder;
class QTimer;
class TFormMDIChild;

// Keeps a recovery copy of every configuration window that holds work no file
// has: written once the changes pause (at the latest a few seconds after the
// first one), removed as soon as a file holds the work again or the window goes.
class C_Autosave : public QObject
{
    Q_OBJECT

public:
    // The pause after a change that writes the copy, and the longest a change waits.
    static constexpr int PauseMs = 1500;
    static constexpr int LatestMs = 5000;
    // A copy that could not be written is tried again, each time twice as late, at most this late.
    static constexpr int LongestRetryMs = 30000;

    C_Autosave(C_RecoveryFolder& folder, QObject* parent);

    void Watch(TFormMDIChild* window);
    // Writes the window's copy now; the copy it replaces (a restored one) goes once it is written.
    void WriteNow(TFormMDIChild* window, const QString& replacedCopy);

signals:
    // A copy could not be written: said once, until a copy is written again.
    void Problem(const QString& message);
    // Every copy tried is written again after a problem.
    void ProblemOver();

private:
    struct S_Watched
    {
        int m_Number;
        QTimer* m_Pause;
        // Since the oldest change the copy does not hold yet; invalid when it holds all.
        QElapsedTimer m_Waiting;
        // The wait before the next try of a copy that could not be written; 0 when none failed.
        int m_RetryMs = 0;
        // The found copy this one replaces once it is written, also after a retry.
        QString m_Replaced;
    };

    // A change or a save: the copy is written soon, or removed when a file holds the work.
    void Reconsider(TFormMDIChild* window);
    void Write(TFormMDIChild* window, const QString& replacedCopy);
    void Forget(QObject* window);
    void Written(int number, const QString& problem);
    // No copy waits for a retry any more: the problem said is over.
    void ProblemMayBeOver();

    C_RecoveryFolder& m_Folder;
    std::map<QObject*, S_Watched> m_Watched;
    int m_NextNumber = 1;
    bool m_ProblemTold = false;
};
