#include "core/RequestShape.h"

bool RequestShape::startsLikeHttp(QStringView text)
{
    qsizetype i = 0;
    const auto isMethodChar = [](QChar c) { return (c >= u'A' && c <= u'Z') || c == u'-' || c == u'_'; };
    while (i < text.size() && isMethodChar(text[i]))
        ++i;
    if (i == 0 || i >= text.size() || text[i] != u' ')
        return false;
    const qsizetype target = ++i;
    while (i < text.size() && text[i] != u' ' && text[i] != u'\r' && text[i] != u'\n')
        ++i;
    if (i == target || i >= text.size() || text[i] != u' ')
        return false;
    const QStringView version = text.sliced(i + 1);
    return version.startsWith(u"HTTP/") && version.size() > 5 && version[5].isDigit();
}

qsizetype RequestShape::loneLineFeeds(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
        if (i == 0 || text[i - 1] != u'\r')
            ++n;
    return n;
}

QString RequestShape::withCrLf(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += QLatin1String("\r\n");
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}
