#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

class HttpFraming;

// Whether an HTTP/1.x response arrived whole, in one word for the user: the
// bytes Content-Length or the chunks promised, against what arrived.
struct FramingVerdict
{
    Q_DECLARE_TR_FUNCTIONS(FramingVerdict)
public:
    enum class Kind {
        None,       // not HTTP, or too little to tell
        Complete,   // the response ended where it said it would
        Short,      // it ended before that
        Extra,      // more bytes followed its end
        UntilClose, // nothing says where it ends: the close does
    };
    enum class Where { Anywhere, Header, LastChunk }; // what a short response lacks

    Kind kind = Kind::None;
    qint64 bytes = -1; // short or extra by this many; -1 when not known
    Where missing = Where::Anywhere;

    // Of the response as it stands, read as ended.
    static FramingVerdict of(const HttpFraming &f);
    bool isWarning() const { return kind == Kind::Short || kind == Kind::Extra; }
    // 完全, 不足 n バイト, 余分 n バイト, 閉じるまで; empty for None.
    QString text() const;
};
