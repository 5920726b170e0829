#pragma once

#include "core/TextCodec.h"
#include "gui/FindTarget.h"

#include <functional>

class BytePane;

// Find over a view of kept bytes: the text in the chosen encoding (as it would
// be sent), or, where the view offers it, bytes given in hex.
class ByteFind : public FindTarget
{
    Q_OBJECT
public:
    using Encoding = std::function<QString()>;
    using Options = std::function<TextCodec::EncodeOptions()>;
    ByteFind(BytePane *pane, Encoding encoding, Options options, bool offersHex, QObject *parent = nullptr);

    QAbstractScrollArea *area() const override;
    bool offersHex() const override { return m_offersHex; }
    bool start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why) override;
    ByteSearch::Match selection() const override;
    void select(const ByteSearch::Match &m) override;
    void setHighlights(const QList<ByteSearch::Match> &matches) override;

private:
    BytePane *m_pane;
    Encoding m_encoding;
    Options m_options;
    bool m_offersHex;
};
