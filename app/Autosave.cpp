#include "app/Autosave.h"

#include "editor/Mdichild.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Recoveryfolder.h"

#include <QTimer>

#include <algorithm>

C_Autosave::C_Autosave(C_RecoveryFolder& folder, QObject* parent)
    : QObject(parent)
    , m_Folder(folder)
{
    connect(&m_Folder, &C_RecoveryFolder::Written, this, [this](int, const QString& problem) { Written(problem); });
}

void C_Autosave::Watch(TFormMDIChild* window)
{
    auto* pause = new QTimer(this);
    pause->setSingleShot(true);
    connect(pause, &QTimer::timeout, this, [this, window] { Write(window, QString()); });
    m_Watched[window] = {m_NextNumber++, pause, QElapsedTimer()};
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
        m_Folder.Remove(watched.m_Number);
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
}

void C_Autosave::Written(const QString& problem)
{
    if (problem.isEmpty()) {
        m_ProblemTold = false;
        return;
    }
    if (m_ProblemTold)
        return;
    m_ProblemTold = true;
    emit Problem(Text(Msg::RecoveryNotWritten) + QLatin1Char(' ') + problem);
}
