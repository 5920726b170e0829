#pragma once

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>

// A plain-text pane that gives back exactly the text it was given, line ends
// included, and takes a stream of appended pieces with layout work that stays
// linear in the total length.
class RawTextPane : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit RawTextPane(QWidget *parent = nullptr);

    QString rawText() const;
    void setRawText(const QString &text);
    void appendRaw(const QString &text);

    // Streaming: pieces are collected and laid out together. Each flush lays out
    // the last line again, so flushes are spaced by a multiple of what the last
    // one cost; a long single line then costs about what one set would.
    void queueRaw(const QString &text);
    // Puts everything queued into the pane now.
    void flushQueued();
    bool hasQueued() const { return !m_queued.isEmpty(); }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    template<typename Edit>
    void settled(Edit edit, int extendBack, int extendForward);

    QString m_queued;
    QTimer m_flushTimer;
    qint64 m_lastFlushCost = 0; // ms
};
