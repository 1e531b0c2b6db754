#include "app/Autosave.h"

#include "document/Recoveryfolder.h"
#include "editor/Mdichild.h"
#include "language/Language.h"
#include "language/Messages.h"

#include <QTimer>

#include <algorithm>

C_Autosave::C_Autosave(C_RecoveryFolder& folder, QObject* parent)
    : QObject(parent)
    , m_Folder(folder)
{
    connect(&m_Folder, &C_RecoveryFolder::Written, this, &C_Autosave::Written);
}

void C_Autosave::Watch(TFormMDIChild* window)
{
    auto* pause = new QTimer(this);
    pause->setSingleShot(true);
    connect(pause, &QTimer::timeout, this, [this, window] { Write(window, m_Watched.at(window).m_Replaced); });
    m_Watched[window] = {m_NextNumber++, pause, QElapsedTimer(), 0, QString()};
    const auto reconsider = [this, window] { Reconsider(window); };
    connect(window, &TFormMDIChild::ConfigurationChanged, this, reconsider);
    connect(window, &TFormMDIChild::ModifiedChanged, this, reconsider);
    connect(window, &TFormMDIChild::Saved, this, reconsider);
    // A finished upload shows its configuration without the other signals.
    connect(window, &TFormMDIChild::TransferStateChanged, this, reconsider);
    connect(window, &QObject::destroyed, this, &C_Autosave::Forget);
    // A new window holds work no file has.
    Reconsider(window);
}

void C_Autosave::Reconsider(TFormMDIChild* window)
{
    S_Watched& watched = m_Watched.at(window);
    if (!window->HoldsUnsavedWork()) {
        watched.m_Pause->stop();
        watched.m_Waiting.invalidate();
        watched.m_RetryMs = 0;
        m_Folder.Remove(watched.m_Number);
        ProblemMayBeOver();
        return;
    }
    if (!watched.m_Waiting.isValid())
        watched.m_Waiting.start();
    // Each change waits for a pause, but no change longer than LatestMs.
    const qint64 left = LatestMs - watched.m_Waiting.elapsed();
    watched.m_Pause->start(int(std::clamp<qint64>(left, 0, PauseMs)));
}

void C_Autosave::WriteNow(TFormMDIChild* window, const QString& replacedCopy)
{
    m_Watched.at(window).m_Pause->stop();
    m_Watched.at(window).m_Replaced = replacedCopy;
    Write(window, replacedCopy);
}

void C_Autosave::Write(TFormMDIChild* window, const QString& replacedCopy)
{
    S_Watched& watched = m_Watched.at(window);
    if (!window->HoldsUnsavedWork())
        return;
    watched.m_Waiting.invalidate();
    // Also while a transfer runs: it works on an image of its own, and the window's
    // configuration cannot change meanwhile.
    m_Folder.Write(watched.m_Number, window->RecoverySnapshot(), replacedCopy);
}

void C_Autosave::Forget(QObject* window)
{
    const auto watched = m_Watched.find(window);
    if (watched == m_Watched.end())
        return;
    delete watched->second.m_Pause;
    m_Folder.Remove(watched->second.m_Number);
    m_Watched.erase(watched);
    ProblemMayBeOver();
}

void C_Autosave::ProblemMayBeOver()
{
    const bool retrying =
        std::any_of(m_Watched.begin(), m_Watched.end(), [](const auto& entry) { return entry.second.m_RetryMs > 0; });
    if (m_ProblemTold && !retrying) {
        m_ProblemTold = false;
        emit ProblemOver();
    }
}

void C_Autosave::Written(int number, const QString& problem)
{
    const auto watched = std::find_if(m_Watched.begin(), m_Watched.end(),
                                      [number](const auto& entry) { return entry.second.m_Number == number; });
    if (watched == m_Watched.end())
        return;
    S_Watched& copy = watched->second;
    if (problem.isEmpty()) {
        copy.m_RetryMs = 0;
        copy.m_Replaced.clear();
        ProblemMayBeOver();
        return;
    }
    // Tried again until it is written: the disk may be full for a while, the folder mended.
    copy.m_RetryMs = std::min(copy.m_RetryMs == 0 ? PauseMs : 2 * copy.m_RetryMs, LongestRetryMs);
    copy.m_Pause->start(copy.m_RetryMs);
    if (m_ProblemTold)
        return;
    m_ProblemTold = true;
    emit Problem(Text(Msg::RecoveryNotWritten) + QLatin1Char(' ') + problem);
}
