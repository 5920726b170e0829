#pragma once

#include "gui/ByteFind.h"
#include "gui/ResponsePaneBytes.h"
#include "gui/TextPaneFind.h"

#include <QPointer>

class ExchangeEngine;
class ResponseView;

// Find over the response pane: the kept bytes while the pane shows them, the
// editor's text once the pane has become one.
class ResponseFind : public FindTarget
{
    Q_OBJECT
public:
    ResponseFind(ResponseView *pane, const ExchangeEngine *engine, ByteFind::Encoding encoding,
                 ByteFind::Options options);

    QAbstractScrollArea *area() const override;
    bool start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why) override;
    ByteSearch::Match selection() const override;
    void select(const ByteSearch::Match &m) override;
    void setHighlights(const QList<ByteSearch::Match> &matches) override;
    // The encoding changed: the bytes read differently.
    void encodingChanged();

private:
    // What is searched: the editor's text when the pane is one, else the bytes.
    FindTarget *active() const;

    ResponseView *m_pane;
    ResponsePaneBytes m_paneBytes;
    ByteFind *m_bytes;
    QPointer<TextPaneFind> m_text; // a child of the editor: it goes with it
    bool m_onText = false;
};
