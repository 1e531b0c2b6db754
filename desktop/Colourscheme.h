#pragma once

#include <QDBusVariant>
#include <QObject>

// What the desktop prefers, as its settings portal tells: dark, light or no
// preference. Asked once without waiting, and told again whenever the user
// changes it; with no session bus or no portal there is no preference.
class C_DesktopScheme : public QObject
{
    Q_OBJECT

public:
    enum class Scheme { None, Dark, Light };

    explicit C_DesktopScheme(QObject* parent = nullptr);

    Scheme Current() const { return m_Scheme; }

    // The portal's number: 1 prefers dark, 2 light, anything else nothing.
    static Scheme OfPortalValue(unsigned value);

signals:
    void Changed();

private slots:
    void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void Take(Scheme scheme);

    Scheme m_Scheme = Scheme::None;
};
