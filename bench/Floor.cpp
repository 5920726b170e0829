#include "Floor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextOption>

namespace {

// Copied unchanged from the floor program (shared/bench-floor/floor.cpp), so
// that one run of the bench gives the floor and the ratios on the same machine
// in the same state.
double showOnce(QApplication &app, const QString &text, bool anywhere)
{
    QPlainTextEdit e;
    QFont f;
    f.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP")});
    f.setPointSize(9);
    e.setFont(f); // the program's message font
    e.resize(252, 292);
    if (anywhere)
        e.setWordWrapMode(QTextOption::WrapAnywhere);
    e.show();
    app.processEvents();
    QElapsedTimer t;
    t.start();
    // The cheapest way known to show a text at once: one insertion, no undo record.
    e.setUndoRedoEnabled(false);
    QTextCursor c(e.document());
    c.insertText(text);
    app.processEvents();
    return t.elapsed() / 1000.0;
}

double best(QApplication &app, const QString &text, bool anywhere, int repeat)
{
    double b = showOnce(app, text, anywhere);
    for (int i = 1; i < repeat; ++i)
        b = qMin(b, showOnce(app, text, anywhere));
    return b;
}

} // namespace

// The three texts: the floor program's own lines.
QString Floor::line4m()
{
    return QString(QStringLiteral("QUJD")).repeated(1024 * 1024); // 4 MiB, no spaces
}

QString Floor::lines16m()
{
    QString lines;
    for (int i = 0; lines.size() < 16 * 1024 * 1024; ++i)
        lines += QStringLiteral("%1 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 ..\n")
                     .arg(i, 8, 10, QLatin1Char('0'));
    return lines;
}

QString Floor::req10m()
{
    QString req;
    for (int i = 0; i < 100000; ++i)
        req += QStringLiteral(
            "<item>0123456789012345678901234567890123456789012345678901234567890123456789012345678</item>\n");
    return req;
}

FloorFigures Floor::measure(QApplication &app, int repeat)
{
    FloorFigures f;
    f.line4mAnywhere = best(app, line4m(), true, repeat);
    f.lines16m = best(app, lines16m(), false, repeat);
    f.req10m = best(app, req10m(), false, repeat);
    f.from = QStringLiteral("measured here, best of %1").arg(repeat);
    return f;
}

std::optional<FloorFigures> Floor::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    FloorFigures f;
    while (!file.atEnd()) {
        const QList<QByteArray> words = file.readLine().simplified().split(' ');
        if (words.size() != 2)
            continue;
        bool ok = false;
        const double s = words[1].toDouble(&ok);
        if (!ok)
            continue;
        if (words[0] == "line4m_anywhere")
            f.line4mAnywhere = s;
        else if (words[0] == "lines16m")
            f.lines16m = s;
        else if (words[0] == "req10m")
            f.req10m = s;
    }
    if (f.line4mAnywhere <= 0 || f.lines16m <= 0 || f.req10m <= 0)
        return std::nullopt;
    f.from = QStringLiteral("read from ") + path;
    return f;
}
