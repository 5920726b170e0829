#include "core/BodyText.h"

#include "core/TextCodec.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(BodyText)
};

// The declaration comes first; a byte-order mark and blanks may precede it.
constexpr qsizetype DeclarationReach = 1024;

} // namespace

QString xmlDeclaredEncoding(QByteArrayView body)
{
    QByteArrayView head = body.first(qMin(body.size(), DeclarationReach));
    if (head.startsWith("\xEF\xBB\xBF"))
        head = head.sliced(3);
    head = head.trimmed();
    if (!head.startsWith("<?xml"))
        return {};
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return {};
    static const QRegularExpression encoding(QStringLiteral("\\sencoding\\s*=\\s*([\"'])([A-Za-z][A-Za-z0-9._-]*)\\1"));
    const QRegularExpressionMatch m = encoding.match(QString::fromLatin1(head.first(end)));
    return m.hasMatch() ? m.captured(2) : QString();
}

QString decoderFor(const QString &label)
{
    QString offered = TextCodec::known(label);
    if (!offered.isEmpty())
        return offered;
    const QString trimmed = label.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QStringDecoder probe(trimmed.toLatin1().constData());
    return probe.isValid() ? trimmed : QString();
}

BodyText decodeBody(QByteArrayView body, const QString &contentTypeCharset, const QString &chosen, qint64 maxBytes)
{
    BodyText t;
    const QString declared = xmlDeclaredEncoding(body);
    if (const QString e = decoderFor(contentTypeCharset); !e.isEmpty()) {
        t.encoding = e;
        t.source = BodyText::Source::ContentType;
    } else if (const QString x = decoderFor(declared); !x.isEmpty()) {
        t.encoding = x;
        t.source = BodyText::Source::XmlDeclaration;
    } else {
        t.encoding = TextCodec::normalized(chosen);
        t.source = BodyText::Source::Chosen;
    }
    if (!contentTypeCharset.trimmed().isEmpty() && t.source != BodyText::Source::ContentType)
        t.passedOver = Texts::tr("Content-Type の charset「%1」").arg(contentTypeCharset.trimmed());
    else if (!declared.isEmpty() && t.source == BodyText::Source::Chosen)
        t.passedOver = Texts::tr("XML 宣言の encoding「%1」").arg(declared);

    t.cut = body.size() > maxBytes;
    const QByteArrayView bytes = body.first(qMin(body.size(), maxBytes));
    if (TextCodec::known(t.encoding) == t.encoding) {
        StreamDecoder d(t.encoding);
        t.text = d.decode(bytes);
        t.text += d.finish();
    } else {
        QStringDecoder d(t.encoding.toLatin1().constData());
        t.text = d.decode(bytes);
    }
    return t;
}

QString BodyText::describe() const
{
    QString why;
    switch (source) {
    case Source::ContentType:
        why = Texts::tr("Content-Type の charset による");
        break;
    case Source::XmlDeclaration:
        why = Texts::tr("XML 宣言の encoding による");
        break;
    case Source::Chosen:
        why = passedOver.isEmpty() ? Texts::tr("応答が文字コードを示していないため、選んだ文字コード")
                                   : Texts::tr("選んだ文字コード");
        break;
    }
    QString line = Texts::tr("文字コード: %1（%2）").arg(encoding, why);
    if (!passedOver.isEmpty())
        //: Follows the line before at once: the translation starts with its own separator.
        line += Texts::tr("。%1は読めないため使っていません").arg(passedOver);
    return line;
}
