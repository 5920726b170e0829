#pragma once

#include <QString>
#include <QStringView>

#include <atomic>

// A body's text laid out to read: XML with each element on its own line, JSON
// indented, anything else as it is. What is kept is exactly what was written
// (attributes, namespace prefixes, entities, CDATA, numbers, key order); only
// the blanks between the parts change. Malformed input gives what could be laid
// out, a line naming the error's line and column, and the rest as written.
// Nothing recurses over the input's depth.
namespace BodyFormat {
enum class Kind { Text, Xml, Json };

// Indentation stops growing here, so a deeply nested body cannot make the
// output grow with the square of its depth.
constexpr int MaxIndentLevels = 40;

struct Result
{
    Kind kind = Kind::Text;
    QString text;
    bool failed = false;
    qint64 line = 0;   // of the error in the body, from 1
    qint64 column = 0; // from 1
    QString message;
    int errorLine = -1; // the output line (from 0) that names the error
    bool cancelled = false;
};

// XML when the body starts with "<", JSON with "{" or "[", else what the media
// type says, else text.
Kind sniff(QStringView body, const QString &contentType);
Result format(const QString &body, const QString &contentType, const std::atomic_bool *cancel = nullptr);
Result xml(const QString &body, const std::atomic_bool *cancel = nullptr);
Result json(QStringView body, const std::atomic_bool *cancel = nullptr);

// The body with CR LF and lone CR as LF, as XML itself reads line ends.
QString withLfLineEnds(const QString &text);
}
