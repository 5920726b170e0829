#pragma once

#include "core/TextCodec.h"
#include "gui/FindTarget.h"

#include <functional>

class HexView;

// Find over the hex view: the bytes it shows, searched for the text in the
// chosen encoding (as it would be sent) or for bytes given in hex.
class HexFind : public FindTarget
{
    Q_OBJECT
public:
    using Encoding = std::function<QString()>;
    using Options = std::function<TextCodec::EncodeOptions()>;
    HexFind(HexView *view, Encoding encoding, Options options);

    QAbstractScrollArea *area() const override;
    bool offersHex() const override { return true; }
    bool start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why) override;
    ByteSearch::Match selection() const override;
    void select(const ByteSearch::Match &m) override;
    void setHighlights(const QList<ByteSearch::Match> &matches) override;

private:
    HexView *m_view;
    Encoding m_encoding;
    Options m_options;
};
