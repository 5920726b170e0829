#pragma once

#include "core/TextCodec.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class ExchangeEngine;
class RawTextPane;

// Shows the engine's response bytes in the response pane, decoded with the
// chosen encoding, following the engine's exchanges by itself. The bytes are laid out a bounded slice at a time, each slice sized
// from what the last one cost, so the window keeps answering while hundreds of
// megabytes arrive, and nothing but the pane holds a second copy.
class ResponseFeed : public QObject
{
    Q_OBJECT
public:
    ResponseFeed(RawTextPane *pane, const ExchangeEngine *engine, QObject *parent = nullptr);

    // Empties the pane and shows the bytes from their start with this encoding.
    void restart(const QString &encoding);
    // Shows everything now.
    void flush();
    qint64 pending() const;
    // The user changed the pane's text since it was last filled.
    bool edited() const { return m_edited; }

private:
    void restart();
    // The bytes grew; the end of the stream once ended is true.
    void grew(bool ended = false);
    void end();
    const QByteArray &bytes() const;
    void step();
    void appendUpTo(qint64 end);

    RawTextPane *m_pane;
    const ExchangeEngine *m_engine;
    QString m_encoding = QStringLiteral("UTF-8");
    StreamDecoder m_decoder;
    QTimer m_timer;
    qint64 m_shown = 0;
    qint64 m_slice = 256 * 1024;
    bool m_ended = false;
    bool m_finished = false;
    bool m_filling = false;
    bool m_edited = false;
};
