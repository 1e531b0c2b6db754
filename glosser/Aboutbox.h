#pragma once

#include "desktop/Linklabel.h"

#include <QDialog>
#include <QLabel>
#include <QUrl>

#include <functional>

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
