#include "core/HistoryLabel.h"

#include "core/TextCodec.h"

#include <QXmlStreamReader>

namespace {

constexpr qsizetype HeadLimit = 64 * 1024;
constexpr qsizetype BodyLimit = 256 * 1024;
constexpr qsizetype LabelLimit = 200;

// The first element inside an element named Body (any prefix), as far as the text is well formed.
QString soapOperation(const QString &body)
{
    QXmlStreamReader xml(body);
    int depth = 0;
    int bodyDepth = -1;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (bodyDepth >= 0 && depth == bodyDepth + 1)
                return xml.name().toString();
            if (bodyDepth < 0 && depth == 2 && xml.name() == QLatin1String("Body"))
                bodyDepth = depth;
            break;
        case QXmlStreamReader::EndElement:
            if (depth == bodyDepth)
                return QString();
            --depth;
            break;
        default:
            break;
        }
    }
    return QString();
}

QString shortened(QString text)
{
    text = text.simplified();
    if (text.size() > LabelLimit)
        text = text.left(LabelLimit - 1) + QChar(0x2026);
    return text;
}

} // namespace

QString HistoryLabel::of(const QByteArray &request, const QString &encoding)
{
    const QByteArrayView head = QByteArrayView(request).first(qMin(request.size(), HeadLimit));
    qsizetype bodyStart = -1;
    qsizetype firstLineEnd = -1;
    qsizetype pos = 0;
    while (pos < head.size()) {
        qsizetype end = head.indexOf('\n', pos);
        const bool complete = end >= 0;
        if (!complete)
            end = head.size();
        QByteArrayView line = head.sliced(pos, end - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        if (firstLineEnd < 0)
            firstLineEnd = line.size() + pos;
        if (line.isEmpty() && complete) {
            bodyStart = end + 1;
            break;
        }
        const qsizetype colon = line.indexOf(':');
        if (pos > 0 && colon > 0 && line.first(colon).trimmed().compare("SOAPAction", Qt::CaseInsensitive) == 0) {
            QByteArray value = line.sliced(colon + 1).trimmed().toByteArray();
            if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
                value = value.mid(1, value.size() - 2);
            if (!value.isEmpty())
                return shortened(TextCodec::decode(value, encoding));
        }
        pos = end + 1;
    }
    if (bodyStart >= 0 && bodyStart < request.size()) {
        StreamDecoder d(encoding);
        const QString body = d.decode(
            QByteArrayView(request).sliced(bodyStart, qMin(request.size() - bodyStart, BodyLimit)));
        const QString operation = soapOperation(body);
        if (!operation.isEmpty())
            return shortened(operation);
    }
    return shortened(TextCodec::decode(head.first(qMax<qsizetype>(0, firstLineEnd)), encoding));
}
