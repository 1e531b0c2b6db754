#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>

#include <functional>

// A blue, underlined text with a hand cursor that reports a click on it.
class TLinkLabel : public QLabel
{
    Q_OBJECT

public:
    TLinkLabel(const QString& text, const QUrl& target, QWidget* parent);
    QUrl Target() const { return m_Target; }

signals:
    void Activated(const QUrl& target);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl m_Target;
};

// Glosser's about box: its picture, the product line and the maker's web and mail links.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    // Hands an address to the desktop's browser or mail program; false when none took it.
    using UrlOpener = std::function<bool(const QUrl&)>;

    static const QUrl WebAddress;
    static const QUrl MailAddress;

    explicit TAboutBox(QWidget* parent);

    void SetUrlOpener(UrlOpener opener) { m_OpenUrl = std::move(opener); }

private:
    void OpenLink(const QUrl& target);

    UrlOpener m_OpenUrl;
};
