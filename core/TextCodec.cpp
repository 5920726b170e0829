#include "core/TextCodec.h"

#include "core/FailureNumber.h"

#include <QCoreApplication>
#include <QStringEncoder>

QStringList TextCodec::names()
{
    return {QStringLiteral("UTF-8"), QStringLiteral("Shift_JIS"), QStringLiteral("EUC-JP"),
            QStringLiteral("ISO-2022-JP"), QStringLiteral("ISO-8859-1")};
}

QString TextCodec::normalized(const QString &name)
{
    for (const QString &n : names())
        if (n.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return n;
    return names().first();
}

QString TextCodec::known(const QString &charset)
{
    const QString c = charset.trimmed().toLower();
    const auto any = [&c](std::initializer_list<const char *> list) {
        for (const char *a : list)
            if (c == QLatin1String(a))
                return true;
        return false;
    };
    if (any({"utf-8", "utf8"}))
        return QStringLiteral("UTF-8");
    if (any({"shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "cp932", "ms_kanji", "csshiftjis"}))
        return QStringLiteral("Shift_JIS");
    if (any({"euc-jp", "x-euc-jp", "eucjp"}))
        return QStringLiteral("EUC-JP");
    if (any({"iso-2022-jp", "csiso2022jp"}))
        return QStringLiteral("ISO-2022-JP");
    if (any({"iso-8859-1", "iso_8859-1", "latin1", "l1"}))
        return QStringLiteral("ISO-8859-1");
    return QString();
}

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(TextCodec)
};

// ICU's "Shift_JIS" is Microsoft's code page 932, which is what Windows-based
// services send: the NEC and IBM extensions and U+FF5E for 0x8160.
QByteArray converterName(const QString &name)
{
    return TextCodec::normalized(name).toLatin1();
}

// The character at i (a surrogate pair counts as one), for the message.
QString characterAt(QStringView text, qsizetype i)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return text.mid(i, 2).toString();
    return text.mid(i, 1).toString();
}

// Length of the longest prefix of data that does not end inside a character
// that more bytes could still complete.
qsizetype utf8CompleteLength(QByteArrayView data)
{
    const qsizetype n = data.size();
    // A character is at most four bytes: only the last three can be an unfinished one.
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto c = static_cast<unsigned char>(data[n - back]);
        if ((c & 0xC0) == 0x80)
            continue; // continuation byte: keep looking for its lead
        int need = 0;
        if (c >= 0xC2 && c <= 0xDF)
            need = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            need = 3;
        else if (c >= 0xF0 && c <= 0xF4)
            need = 4;
        if (need > back) {
            // Only hold the bytes back if they could still form a valid character;
            // otherwise the decoder reports them as invalid now.
            for (qsizetype i = n - back + 1; i < n; ++i)
                if ((static_cast<unsigned char>(data[i]) & 0xC0) != 0x80)
                    return n;
            if (back >= 2) {
                const auto c1 = static_cast<unsigned char>(data[n - back + 1]);
                if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F) || (c == 0xF0 && c1 < 0x90)
                    || (c == 0xF4 && c1 > 0x8F))
                    return n;
            }
            return n - back;
        }
        return n;
    }
    return n;
}

// The JIS X 0208 symbols that input methods type as other code points than
// the converters expect: each is sent as the full-width form the converters
// read those JIS codes as (0x8160 in Shift_JIS, 0xA1C1 in EUC-JP, !A in
// ISO-2022-JP for the wave dash), so the bytes are the JIS codes themselves.
struct JisSymbol
{
    char16_t typed;
    char16_t sent;
};
constexpr JisSymbol JisSymbols[] = {
    {0x301C, 0xFF5E}, // WAVE DASH -> FULLWIDTH TILDE
    {0x2016, 0x2225}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {0x2212, 0xFF0D}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {0x00A2, 0xFFE0}, // CENT SIGN -> FULLWIDTH CENT SIGN
    {0x00A3, 0xFFE1}, // POUND SIGN -> FULLWIDTH POUND SIGN
    {0x00AC, 0xFFE2}, // NOT SIGN -> FULLWIDTH NOT SIGN
};

char16_t jisSymbolFor(char16_t c)
{
    for (const JisSymbol &s : JisSymbols)
        if (s.typed == c)
            return s.sent;
    return 0;
}

// The text as it goes to the converter: the JIS symbols replaced when asked.
// Replacements keep every index, so positions in the result are positions in text.
QString withJisSymbols(QStringView text, bool apply, int *replaced)
{
    *replaced = 0;
    QString out = text.toString();
    if (!apply)
        return out;
    for (QChar &c : out) {
        if (const char16_t sent = jisSymbolFor(c.unicode())) {
            c = QChar(sent);
            ++*replaced;
        }
    }
    return out;
}

// The text in the encoding; error tells whether a character was substituted.
QByteArray encoded(QStringView text, const QString &name, bool *error)
{
    QStringEncoder encoder(converterName(name).constData());
    QByteArray bytes = encoder.encode(text);
    *error = encoder.hasError();
    // Qt never flushes ICU's encoder, so ISO-2022-JP text could end in its
    // two-byte mode; it must end back in ASCII.
    if (TextCodec::normalized(name) == QLatin1String("ISO-2022-JP")) {
        const qsizetype esc = bytes.lastIndexOf('\x1B');
        if (esc >= 0 && !QByteArrayView(bytes).sliced(esc).startsWith("\x1B(B"))
            bytes += "\x1B(B";
    }
    return bytes;
}

// Where the converter substituted: decoding the result again and comparing.
qsizetype firstUnencodable(QStringView text, const QByteArray &bytes, const QString &name)
{
    QStringDecoder decoder(converterName(name).constData(), QStringConverter::Flag::ConvertInitialBom);
    const QString back = decoder.decode(bytes);
    qsizetype i = 0;
    while (i < text.size() && i < back.size() && text[i] == back[i])
        ++i;
    if (i >= text.size())
        i = 0; // an unpaired surrogate at the very end; name the start
    return i;
}

} // namespace

bool TextCodec::hasJisSymbols(const QString &name)
{
    const QString n = normalized(name);
    return n == QLatin1String("Shift_JIS") || n == QLatin1String("EUC-JP") || n == QLatin1String("ISO-2022-JP");
}

TextCodec::Encoded TextCodec::encodeLeniently(QStringView text, const QString &name, const EncodeOptions &options)
{
    Encoded e;
    const QString sent = withJisSymbols(text, options.jisSymbols && hasJisSymbols(name), &e.jisReplaced);
    bool error = false;
    e.bytes = encoded(sent, name, &error);
    if (error)
        e.unencodable = firstUnencodable(sent, e.bytes, name);
    return e;
}

qint64 TextCodec::encodedLength(QStringView text, const QString &name, const EncodeOptions &options)
{
    return encodeLeniently(text, name, options).bytes.size();
}

QByteArray TextCodec::encode(QStringView text, const QString &name, const EncodeOptions &options)
{
    Encoded e = encodeLeniently(text, name, options);
    if (e.unencodable < 0)
        return std::move(e.bytes);
    const qsizetype i = e.unencodable;
    qsizetype line = 1, column = 1;
    for (qsizetype k = 0; k < i; ++k) {
        const QChar c = text[k];
        if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && !(k + 1 < i && text[k + 1] == QLatin1Char('\n')))) {
            ++line;
            column = 1;
        } else if (!c.isLowSurrogate()) {
            ++column;
        }
    }
    const QString ch = characterAt(text, i);
    const QString code = QStringLiteral("U+%1").arg(ch.toUcs4().value(0), 4, 16, QLatin1Char('0')).toUpper();
    const QString words = options.pane == EncodeOptions::Pane::Response
                              ? Texts::tr("応答メッセージの %1 行 %2 桁目の文字「%3」(%4) は文字コード %5 で表せません。")
                              : Texts::tr("要求メッセージの %1 行 %2 桁目の文字「%3」(%4) は文字コード %5 で表せません。");
    throw Failure{FailureNumber::Unencodable, words.arg(line).arg(column).arg(ch, code, normalized(name)), i};
}

bool TextCodec::decodesCleanly(QByteArrayView bytes, const QString &name, bool ended)
{
    StreamDecoder decoder(name);
    QString text = decoder.decode(bytes);
    if (ended)
        text += decoder.finish();
    const qsizetype marks = text.count(QChar(QChar::ReplacementCharacter));
    // Only UTF-8 can carry U+FFFD itself.
    return marks == 0 || (normalized(name) == QLatin1String("UTF-8") && marks == bytes.count("\xEF\xBF\xBD"));
}

StreamDecoder::StreamDecoder(const QString &name)
    : m_decoder(converterName(name).constData(), QStringConverter::Flag::ConvertInitialBom)
{
    m_utf8 = m_decoder.name() == QLatin1String("UTF-8");
    // Qt's own converters say U+FFFD for an invalid byte; ICU's legacy ones say U+001A.
    m_icu = !m_utf8 && m_decoder.name() != QLatin1String("ISO-8859-1");
}

QString StreamDecoder::decode(QByteArrayView piece)
{
    if (m_utf8) {
        // Qt's stateful UTF-8 decoder drops the byte after an unfinished
        // character that turns out invalid; an unfinished character is held
        // back here instead and each complete stretch decoded on its own.
        QByteArray joined;
        QByteArrayView data = piece;
        if (!m_tail.isEmpty()) {
            joined = m_tail + piece.toByteArray();
            data = joined;
        }
        const qsizetype cut = utf8CompleteLength(data);
        QStringDecoder whole(QStringConverter::Utf8,
                             QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        QString text = whole.decode(data.first(cut));
        m_tail = data.sliced(cut).toByteArray();
        return text;
    }
    QString text = m_decoder.decode(piece);
    // A SUB that is not in the bytes is ICU's mark for an invalid byte. Where
    // the bytes hold a real SUB the two cannot be told apart; it stays as it is.
    if (m_icu && text.contains(QChar(0x1A)) && !piece.contains('\x1a'))
        text.replace(QChar(0x1A), QChar::ReplacementCharacter);
    return text;
}

QString StreamDecoder::finish()
{
    QString rest;
    if (m_icu) {
        // ICU keeps an unfinished character to itself; a line end after it
        // brings it out as an invalid sequence, and the line end goes again.
        rest = decode(QByteArrayView("\n", 1));
        if (rest.endsWith(QLatin1Char('\n')))
            rest.chop(1);
    } else if (m_decoder.pending() > 0 || !m_tail.isEmpty()) {
        rest = QChar(QChar::ReplacementCharacter);
    }
    m_tail.clear();
    m_decoder.resetState();
    return rest;
}

QString TextCodec::decode(QByteArrayView bytes, const QString &name)
{
    StreamDecoder d(name);
    // Two statements: the end must be read after the bytes.
    QString text = d.decode(bytes);
    text += d.finish();
    return text;
}
