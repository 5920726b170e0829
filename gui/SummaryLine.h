#pragma once

#include "gui/DetailsForm.h"

#include <QColor>
#include <QLabel>
#include <QList>

// One line that says what the last exchange came to (status line, size,
// time, whether the HTTP response arrived whole), how one that runs is
// going, and which options change the wire or the display. Warnings are
// coloured; a click on a part opens the details window at its page. It
// never takes the focus. text() is the whole line, parts joined by " | ".
class SummaryLine : public QLabel
{
    Q_OBJECT
public:
    struct Part
    {
        QString text;
        bool warning = false;
        DetailsForm::Page page = DetailsForm::Page::Overview;
    };

    explicit SummaryLine(QWidget *parent = nullptr);
    static QColor warningColor();

    void setExchange(const QList<Part> &parts);
    void setOptions(const QList<Part> &parts);
    // A SOAP Fault in the response body, in a few words ("SOAP Fault: code —
    // reason", see SoapFault::summary), shown in the warning colour after what
    // the exchange came to; empty when there is none.
    void setSoapFault(const QString &summary);
    // The response pane differs from what arrived: 「編集済み」 leads the line.
    void setEdited(bool edited);
    QString soapFault() const { return m_soapFault; }
    // The parts as shown, in order.
    QList<Part> parts() const;
    // The width the whole line needs.
    int fullWidth() const;

signals:
    void pageRequested(DetailsForm::Page page);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    struct Placed
    {
        int left;
        int right;
        QString shown;
    };
    // Where each part goes in the width there is; parts past the end are cut.
    QList<Placed> place() const;
    void refresh();

    QList<Part> m_exchange;
    QList<Part> m_options;
    QString m_soapFault;
    bool m_edited = false;
};
