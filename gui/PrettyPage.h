#pragma once

#include "core/ReadableBody.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class BodyHighlighter;
class ExchangeEngine;

// The 整形 page: the response's body laid out to read, coloured, with the
// charset it was read in and why, and a SOAP Fault at a glance. It reads the
// kept bytes on a worker thread, from a copy taken once the exchange has
// ended, and shows the result a bounded slice at a time. It never changes the
// kept bytes or anything shown from them elsewhere.
class PrettyPage : public QWidget
{
    Q_OBJECT
public:
    using Setup = std::function<ReadableSetup()>;
    PrettyPage(const ExchangeEngine *engine, Setup setup, QWidget *parent = nullptr);
    ~PrettyPage() override;

    // The response or the way it is read changed; read again when shown.
    void invalidate();
    // The laid-out text; empty while it is being made.
    QString text() const { return m_text; }
    void setWrap(bool on);

signals:
    // Everything is laid out and shown.
    void shown();

protected:
    void showEvent(QShowEvent *e) override;

private:
    struct Job;
    void refresh();
    void present(const std::shared_ptr<Job> &job);
    void fill();
    void copyText();

    const ExchangeEngine *m_engine;
    Setup m_setup;
    QLabel *m_about = nullptr;
    QLabel *m_fault = nullptr;
    QPlainTextEdit *m_view = nullptr;
    QPushButton *m_copy = nullptr;
    BodyHighlighter *m_highlighter = nullptr;
    std::shared_ptr<Job> m_job;
    bool m_stale = true;
    QString m_text;
    qsizetype m_shown = 0;
    qint64 m_lines = 0; // line ends put in so far
    qsizetype m_slice = 64 * 1024;
    QTimer m_fill;
};
