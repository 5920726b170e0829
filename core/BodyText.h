#pragma once

#include <QByteArrayView>
#include <QString>

// A body's bytes as text, in the charset the response names for itself: the
// charset of Content-Type, else the XML declaration's encoding, else the
// encoding the user chose, in that order.
struct BodyText
{
    enum class Source { ContentType, XmlDeclaration, Chosen };

    QString text;
    QString encoding; // the converter's name for what decoded it
    Source source = Source::Chosen;
    QString passedOver; // a charset that was named but cannot be decoded, with where it came from
    bool cut = false;   // only the first maxBytes were decoded

    // "文字コード: Shift_JIS（Content-Type の charset）"
    QString describe() const;
};

// The encoding the body declares in "<?xml … encoding="…"?>", empty when none.
QString xmlDeclaredEncoding(QByteArrayView body);
// A charset label as a converter name: one of the offered encodings, or any
// other the converters know (windows-1251, KOI8-R …); empty when unknown.
QString decoderFor(const QString &label);
// maxBytes bounds what is decoded.
BodyText decodeBody(QByteArrayView body, const QString &contentTypeCharset, const QString &chosen, qint64 maxBytes);
