#pragma once

#include "core/TextCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

// What the find bar looks for in kept bytes: the search text in the chosen
// encoding as it is on the wire, or bytes given in hex.
//
// Without case, only ASCII letters that are characters of their own are
// folded: the bytes of a Shift_JIS, EUC-JP or ISO-2022-JP character are never
// compared loosely, even where they happen to be letters (ア is 0x83 0x41).
// A match must start where a character starts: "A" is not found inside ア, nor
// a two-byte ISO-2022-JP character outside its mode.
struct SearchPattern
{
    enum class Rule { AnyByte, ShiftJis, EucJp, Iso2022Jp };

    QByteArray needle;
    QByteArray fold; // one per needle byte: 1 where case does not count; empty when it all counts
    Rule rule = Rule::AnyByte;
    bool startsTwoByte = false; // ISO-2022-JP: the needle begins in the two-byte mode
    QString error;              // why there is nothing to look for

    bool isValid() const { return error.isEmpty() && !needle.isEmpty(); }

    static SearchPattern forText(const QString &text, const QString &encoding, bool caseSensitive,
                                 const TextCodec::EncodeOptions &options = {});
    // "0d 0a", "0d0a", "0x0d 0x0a", "0D,0A"
    static SearchPattern forHex(const QString &hex);
};

// Finds the pattern's matches in increasing order. It remembers where
// characters start, so each query must start at or after the last one's.
class PatternMatcher
{
public:
    explicit PatternMatcher(const SearchPattern &pattern);
    Q_DISABLE_COPY_MOVE(PatternMatcher)
    // The first match starting in [from, startEnd) of bytes, or -1. A match may
    // run past startEnd.
    qint64 next(QByteArrayView bytes, qint64 from, qint64 startEnd);

private:
    qint64 candidate(QByteArrayView bytes, qint64 from, qint64 startEnd) const;
    bool sameBytes(const char *at) const;
    bool startsCharacter(QByteArrayView bytes, qint64 at);
    bool startsShiftJis(QByteArrayView bytes, qint64 at);
    bool startsEucJp(QByteArrayView bytes, qint64 at);
    bool startsIso2022Jp(QByteArrayView bytes, qint64 at);

    SearchPattern m_p;
    QByteArray m_folded; // the needle with its foldable letters in lower case
    bool m_anyFold = false;
    std::optional<std::boyer_moore_horspool_searcher<QByteArray::const_iterator>> m_searcher;
    qint64 m_sync = 0; // a character start at or before every query to come
    // ISO-2022-JP: the escapes read up to m_scanned, the mode they left, where it began.
    qint64 m_scanned = 0;
    bool m_twoByte = false;
    qint64 m_modeStart = 0;
};
