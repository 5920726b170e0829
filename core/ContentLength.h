#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <functional>

// Sets a request's Content-Length to its body's length on the wire. The request
// is the editor's text, whose line ends are exactly what is sent; the answer is
// a list of edits so the caller can apply them as one undoable step.
namespace ContentLength {
struct Edit
{
    qsizetype position; // in the original text
    qsizetype removed;
    QString inserted;
};

struct Result
{
    bool applicable = false;
    QList<Edit> edits; // by position, last first
    QString oldValue;
    QString newValue;
    QString note; // one line for the user
};

// wireLength gives the body's length in bytes in the encoding that will be sent.
Result fix(const QString &request, const std::function<qint64(QStringView body)> &wireLength);

// Applies edits in the order given (fix() gives them last first).
QString apply(QString text, const QList<Edit> &edits);
}
