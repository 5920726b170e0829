#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// What a request's text looks like to a server that reads HTTP.
namespace RequestShape {
// The first line reads as an HTTP request line: METHOD SP target SP HTTP/x.
bool startsLikeHttp(QStringView text);
// Line feeds with no CR before them.
qsizetype loneLineFeeds(QStringView text);
// Every line end (CR LF, a lone LF, a lone CR) made CR LF.
QString withCrLf(QStringView text);
}
