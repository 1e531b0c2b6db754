#pragma once

#include "desktop/Linklabel.h"

#include <QDialog>
#include <QLabel>
#include <QUrl>

#include <functional>

class QFrame;
class QPushButton;

// Kw3Win's about box: the product picture, name, version and the maker's notice
// and contact addresses. One instance lives from start-up to exit.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    // Hands an address to the user's browser or mail program.
    using UrlOpener = std::function<void(const QUrl&)>;

    static const QUrl WebPage;
    static const QUrl SalesMail;
    static const QUrl SupportMail;

    explicit TAboutBox(QWidget* parent = nullptr);

    // Replaces what opens the links for every about box, so tests start no
    // browser; returns the previous opener. An empty one restores the desktop's.
    static UrlOpener SetUrlOpener(UrlOpener opener);

    QLabel* Image1;
    QLabel* m_ProductNameLabel;
    QLabel* m_VersionLabel;
    QLabel* m_NoticeLabel;
    QFrame* m_ContactPanel;
    QLabel* m_ContactHeading;
    TLinkLabel* Label3;
    TLinkLabel* Label4;
    QLabel* m_SupportMailLabel;
    TLinkLabel* Label1;
    QPushButton* m_OKButton;

private:
    static void OpenLink(const QUrl& target);
};
