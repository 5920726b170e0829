#pragma once

#include "core/BodyFormat.h"

// The laid-out text of a formatter, line by line, with the error line marked.
class FormatLines
{
public:
    // One line: the indentation for depth, then the parts.
    void line(int depth, QStringView a, QStringView b = {}, QStringView c = {});
    // Ends the laid-out part: the error's line, then the rest of the body as written.
    void fail(BodyFormat::Result &r, qint64 line, qint64 column, const QString &message, QStringView rest);
    // Moves the text into r.
    void finish(BodyFormat::Result &r);

    static void lineAndColumn(QStringView text, qsizetype at, qint64 *line, qint64 *column);

private:
    void count(QStringView text);
    QString m_out;
    int m_lines = 0;
    bool m_failed = false;
};
