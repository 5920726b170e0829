#pragma once

#include "core/Failure.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

// The text encodings offered for the wire and for files, by their IANA names.
namespace TextCodec {

QStringList names();
// A stored or typed name as one of names(); anything unknown is UTF-8.
QString normalized(const QString &name);
// One of names() for a charset label as servers send it ("shift-jis",
// "windows-31j", "utf8" …); empty for one not offered here.
QString known(const QString &charset);

// How text is turned into bytes beyond the encoding itself.
struct EncodeOptions
{
    // Shift_JIS, EUC-JP and ISO-2022-JP: the characters input methods type for
    // the JIS X 0208 symbols (U+301C WAVE DASH, U+2016, U+2212, U+00A2, U+00A3,
    // U+00AC) go out as those symbols' JIS codes, which the converters keep for
    // the full-width forms only. Decoding is not affected.
    bool jisSymbols = true;
    // Whose text it is, as a failure names it.
    enum class Pane { Request, Response };
    Pane pane = Pane::Request;
};

// The text in the encoding as far as it goes.
struct Encoded
{
    QByteArray bytes;           // unencodable characters as the converter's substitutes
    qsizetype unencodable = -1; // index of the first character the encoding cannot carry
    int jisReplaced = 0;        // characters sent as JIS symbols
};
Encoded encodeLeniently(QStringView text, const QString &name, const EncodeOptions &options = {});

// The text's length in bytes in the encoding; characters it cannot represent
// count as their substitutes.
qint64 encodedLength(QStringView text, const QString &name, const EncodeOptions &options = {});
// The whole text in the encoding. A character the encoding cannot represent
// throws Failure naming the character, its line and its column, with its index
// in the text.
QByteArray encode(QStringView text, const QString &name, const EncodeOptions &options = {});
// Whether the JIS symbol option applies to the encoding at all.
bool hasJisSymbols(const QString &name);
// All the bytes decoded at once as StreamDecoder does: an unfinished character at the end is U+FFFD.
QString decode(QByteArrayView bytes, const QString &name);
// The same bytes, but a character the encoding cannot represent becomes its
// substitute: what would go out, for counting before a Send.
QByteArray encodeSubstituting(QStringView text, const QString &name);
// Whether the bytes decode in the encoding without an invalid sequence. ended:
// they are the whole stream, so an unfinished character at their end counts.
bool decodesCleanly(QByteArrayView bytes, const QString &name, bool ended = true);
}

// Decodes bytes that arrive in pieces. A character split between pieces is
// joined, a leading byte-order mark is content and is kept, and invalid bytes
// become U+FFFD without ending the text.
class StreamDecoder
{
public:
    explicit StreamDecoder(const QString &name = QStringLiteral("UTF-8"));
    QString decode(QByteArrayView piece);
    // The end of the stream: an unfinished character becomes U+FFFD.
    QString finish();

private:
    // Reaches the converter's count of bytes held back for an unfinished character.
    class Decoder : public QStringDecoder
    {
    public:
        using QStringDecoder::QStringDecoder;
        qsizetype pending() const { return state.remainingChars; }
    };
    Decoder m_decoder;
    QByteArray m_tail; // UTF-8: the start of a character not yet complete
    bool m_utf8 = false;
    bool m_icu = false;
};
