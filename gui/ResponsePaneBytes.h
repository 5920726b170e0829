#pragma once

#include "gui/BytePane.h"

#include <QList>
#include <QPair>

class ExchangeEngine;
class ResponseView;

// The response pane as the find bar reaches it: by byte offsets, which the
// pane works in itself.
class ResponsePaneBytes : public BytePane
{
public:
    ResponsePaneBytes(ResponseView *pane, const ExchangeEngine *engine);

    QAbstractScrollArea *area() override;
    const QByteArray *shownBytes() const override;
    ByteSearch::Match selectedBytes() const override;
    void selectBytes(qint64 begin, qint64 end) override;
    void setHighlights(const QList<QPair<qint64, qint64>> &ranges) override;

private:
    ResponseView *m_pane;
    const ExchangeEngine *m_engine;
};
