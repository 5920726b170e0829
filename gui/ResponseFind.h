#pragma once

#include "gui/ByteFind.h"

class ExchangeEngine;
class RawTextPane;
class ResponseFeed;
class ResponsePaneBytes;
class TextPaneFind;

// Find over the response pane: the kept bytes while the pane shows them, the
// pane's text once the user has edited it.
class ResponseFind : public FindTarget
{
    Q_OBJECT
public:
    ResponseFind(RawTextPane *pane, ResponseFeed *feed, const ExchangeEngine *engine, ByteFind::Encoding encoding,
                 ByteFind::Options options);

    QAbstractScrollArea *area() const override;
    bool start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why) override;
    ByteSearch::Match selection() const override;
    void select(const ByteSearch::Match &m) override;
    void setHighlights(const QList<ByteSearch::Match> &matches) override;
    // The encoding changed: the bytes read differently.
    void encodingChanged();

private:
    RawTextPane *m_pane;
    ResponseFeed *m_feed;
    ResponsePaneBytes *m_paneBytes;
    ByteFind *m_bytes;
    TextPaneFind *m_text;
    FindTarget *m_active;
};
