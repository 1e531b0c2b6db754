#pragma once

#include <QLabel>
#include <QUrl>

// A web or mail address of the maker in an about box: blue, underlined text with
// a hand cursor that reports a click on it with its target.
class TLinkLabel : public QLabel
{
    Q_OBJECT

public:
    TLinkLabel(const QString& text, const QUrl& target, QWidget* parent);

    const QUrl& Target() const { return m_Target; }

signals:
    void Activated(const QUrl& target);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl m_Target;
};
