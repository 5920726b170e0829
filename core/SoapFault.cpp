#include "core/SoapFault.h"

#include "core/BodyText.h"
#include "core/HttpBody.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace {

const QLatin1String Soap11("http://schemas.xmlsoap.org/soap/envelope/");
const QLatin1String Soap12("http://www.w3.org/2003/05/soap-envelope");

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SoapFault)
};

QString simplified(const QString &s, qsizetype max = 200)
{
    QString t = s.simplified();
    if (t.size() > max)
        t = t.left(max) + QStringLiteral("…");
    return t;
}

// Reads from a start element to its end: the text of all it holds.
QString elementText(QXmlStreamReader &r)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            text += r.text();
            text += QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return simplified(text);
}

// SOAP 1.2's Code: Value, then Subcode/Value at any depth.
QString code12(QXmlStreamReader &r)
{
    QStringList values;
    int depth = 1;
    while (depth > 0 && !r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (r.name() == QLatin1String("Value") && r.namespaceUri() == Soap12) {
                values << r.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                continue;
            }
            ++depth;
        } else if (t == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return values.join(QStringLiteral(" / "));
}

// The first child element of detail: its name and what it says.
QString firstDetail(QXmlStreamReader &r)
{
    QString found;
    int depth = 1;
    while (depth > 0 && !r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (depth == 1 && found.isEmpty()) {
                found = r.qualifiedName().toString();
                const QString text = elementText(r);
                if (!text.isEmpty())
                    found += QStringLiteral(": ") + text;
                continue; // elementText read through its end
            }
            ++depth;
        } else if (t == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return found;
}

} // namespace

std::optional<SoapFault> findSoapFault(QStringView xml)
{
    QXmlStreamReader r(xml.toString());
    // Envelope, Body, Fault, each a child of the one before.
    int depth = 0;
    int version = 0;
    while (!r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::EndElement) {
            --depth;
            if (depth < 2)
                return std::nullopt; // Body ended without a Fault
            continue;
        }
        if (t != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QStringView ns = r.namespaceUri();
        const QStringView name = r.name();
        if (depth == 1) {
            if (name != QLatin1String("Envelope") || (ns != Soap11 && ns != Soap12))
                return std::nullopt;
            version = ns == Soap11 ? 11 : 12;
            continue;
        }
        const QLatin1String env = version == 11 ? Soap11 : Soap12;
        if (depth == 2) {
            if (name != QLatin1String("Body") || ns != env) {
                r.skipCurrentElement();
                --depth;
            }
            continue;
        }
        if (depth == 3) {
            // A Fault is the Body's only child: any other first child means none.
            if (name != QLatin1String("Fault") || ns != env)
                return std::nullopt;
            break;
        }
    }
    if (depth != 3 || r.hasError())
        return std::nullopt;

    SoapFault f;
    f.version = version;
    // Inside Fault: SOAP 1.1's children are unqualified, SOAP 1.2's in its namespace.
    while (!r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::EndElement)
            break; // Fault ended
        if (t != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = r.name();
        if (version == 11) {
            if (name == QLatin1String("faultcode"))
                f.code = simplified(r.readElementText(QXmlStreamReader::IncludeChildElements));
            else if (name == QLatin1String("faultstring"))
                f.reason = simplified(r.readElementText(QXmlStreamReader::IncludeChildElements));
            else if (name == QLatin1String("detail"))
                f.detail = firstDetail(r);
            else
                r.skipCurrentElement();
        } else if (r.namespaceUri() != Soap12) { // NOLINT(bugprone-branch-clone): foreign, whatever its name
            r.skipCurrentElement();
        } else if (name == QLatin1String("Code")) {
            f.code = code12(r);
        } else if (name == QLatin1String("Reason")) {
            // The first Text; the others say the same in other languages.
            int depth12 = 1;
            while (depth12 > 0 && !r.atEnd()) {
                const auto u = r.readNext();
                if (u == QXmlStreamReader::StartElement) {
                    if (f.reason.isEmpty() && r.name() == QLatin1String("Text"))
                        f.reason = simplified(r.readElementText(QXmlStreamReader::IncludeChildElements));
                    else
                        r.skipCurrentElement();
                } else if (u == QXmlStreamReader::EndElement) {
                    --depth12;
                }
            }
        } else if (name == QLatin1String("Detail")) {
            f.detail = firstDetail(r);
        } else {
            r.skipCurrentElement();
        }
    }
    return f;
}

QString SoapFault::describe() const
{
    QStringList parts;
    const bool v11 = version == 11;
    parts << (v11 ? QStringLiteral("faultcode: ") : QStringLiteral("Code: ")) + code;
    parts << (v11 ? QStringLiteral("faultstring: ") : QStringLiteral("Reason: ")) + reason;
    if (!detail.isEmpty())
        parts << (v11 ? QStringLiteral("detail: ") : QStringLiteral("Detail: ")) + detail;
    return Texts::tr("SOAP %1 Fault").arg(v11 ? QStringLiteral("1.1") : QStringLiteral("1.2")) + QLatin1Char('\n')
           + parts.join(QLatin1Char('\n'));
}

QString SoapFault::summary() const
{
    QString s = QStringLiteral("SOAP Fault: ") + code;
    if (!reason.isEmpty())
        s += QStringLiteral(" — ") + reason;
    return s;
}

std::optional<SoapFault> soapFaultInResponse(const QByteArray &response, const QString &chosenEncoding, bool headRequest)
{
    if (response.size() > 2 * MaxFaultBody)
        return std::nullopt;
    const HttpBody body = extractBody(response, MaxFaultBody, headRequest);
    if (body.bytes.size() >= MaxFaultBody)
        return std::nullopt;
    // Cheap first: a Fault names itself in ASCII in every encoding offered, and in UTF-16 with NULs.
    if (!body.bytes.contains("Fault") && !body.bytes.contains(QByteArrayView("F\0a\0u\0l\0t", 9)))
        return std::nullopt;
    const BodyText text = decodeBody(body.bytes, body.charset, chosenEncoding, MaxFaultBody);
    return findSoapFault(text.text);
}
