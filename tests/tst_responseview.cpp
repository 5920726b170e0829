// The response pane as a user meets it: lines and rows under the keys,
// selection and copy of the exact text, and edits.
#include "gui/ResponseView.h"

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

namespace {

// A pane of the window's size over bytes that arrived in two pieces.
struct Pane
{
    explicit Pane(const QByteArray &all, const QString &encoding = QStringLiteral("UTF-8"))
    {
        view.resize(260, 300);
        view.setEncoding(encoding);
        view.setSource(&bytes);
        bytes = all.left(all.size() / 2);
        view.grew();
        bytes += all.mid(all.size() / 2);
        view.grew(true);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    QByteArray bytes;
    ResponseView view;
};

} // namespace

class ResponseViewTest : public QObject
{
    Q_OBJECT
private slots:
    void rowsUnderTheKeys_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<QList<qint64>>("stops"); // the caret after each Down from the start
        QTest::newRow("CR LF, lone CR and lone LF each end one line")
            << QByteArray("a\r\nb\rc\nd") << true << QList<qint64>{3, 5, 7, 8};
        QTest::newRow("an empty line after a final line end") << QByteArray("ab\r\n") << true << QList<qint64>{4, 4};
        QTest::newRow("NUL is a character like any other") << QByteArray("a\0b\nc", 5) << true << QList<qint64>{4, 5};
        QTest::newRow("without wrapping a long line is one row")
            << QByteArray(20000, 'x') + "\nb" << false << QList<qint64>{20001, 20002};
    }
    void rowsUnderTheKeys()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, wrap);
        QFETCH(QList<qint64>, stops);
        Pane p(bytes);
        p.view.setWrap(wrap);
        QList<qint64> seen;
        for (qsizetype i = 0; i < stops.size(); ++i) {
            QTest::keyClick(&p.view, Qt::Key_Down);
            seen << p.view.cursorByte();
        }
        QCOMPARE(seen, stops);
    }

    void aLongLineWrapsOnlyAtTheEdge()
    {
        // Far longer than what is laid out at once: every row still holds as
        // many characters as fit, and the rows end where the line does.
        const QByteArray line = QByteArray("QUJD").repeated(50000);
        Pane p(line + "\r\nend");
        // Reached from the end first.
        QTest::keyClick(&p.view, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&p.view, Qt::Key_Up);
        QTest::keyClick(&p.view, Qt::Key_Home);
        const qint64 lastRow = p.view.cursorByte();
        QTest::keyClick(&p.view, Qt::Key_Home, Qt::ControlModifier);
        // Where the rows on screen begin, clicked at their left edge a page at a time.
        QWidget *area = p.view.viewport();
        const qreal height = QFontMetricsF(p.view.font()).height();
        QList<qint64> starts;
        while (starts.isEmpty() || starts.last() < line.size()) {
            qint64 above = -1;
            for (qreal y = 4 + height / 2; y < area->height() - height / 2; y += height) {
                QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(1, int(y)));
                QVERIFY(p.view.cursorByte() > above); // no row shown twice
                above = p.view.cursorByte();
                if (starts.isEmpty() || above > starts.last())
                    starts << above;
            }
            QTest::keyClick(&p.view, Qt::Key_PageDown);
        }
        QCOMPARE(starts.takeLast(), line.size() + 2);
        const qint64 row = starts[1];
        QVERIFY(row > 4);
        for (qsizetype i = 1; i < starts.size(); ++i)
            QCOMPARE(starts[i] - starts[i - 1], row);
        QVERIFY(line.size() - starts.last() <= row);
        QCOMPARE(lastRow, starts.last());
    }

    void copiesTheTextAsTheRequestPaneDoes_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("copied");
        QTest::newRow("line ends") << "UTF-8" << QByteArray("a\r\nb\rc\nd") << "a\nb\rc\nd";
        QTest::newRow("Shift_JIS") << "Shift_JIS" << QByteArray("\x89\x9E\x93\x9A\r\n") << "応答\n";
        QTest::newRow("invalid bytes and NUL")
            << "UTF-8" << QByteArray("\xFFx\0", 3) << QStringLiteral("\uFFFDx") + QChar(0);
    }
    void copiesTheTextAsTheRequestPaneDoes()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, copied);
        Pane p(bytes, encoding);
        QTest::keyClick(&p.view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&p.view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QCOMPARE(p.view.property("plainText").toString(), p.view.text().text(0, bytes.size()));
    }

    void selectingBytesTakesWholeCharacters_data()
    {
        QTest::addColumn<qint64>("begin");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");
        // x応答y in UTF-8: 応 is bytes 1..3, 答 4..6.
        QTest::newRow("ends inside characters") << qint64(2) << qint64(5) << qint64(1) << qint64(7);
        QTest::newRow("one byte inside a character") << qint64(3) << qint64(3) << qint64(1) << qint64(4);
        QTest::newRow("beyond the bytes") << qint64(-5) << qint64(1000) << qint64(0) << qint64(8);
    }
    void selectingBytesTakesWholeCharacters()
    {
        QFETCH(qint64, begin);
        QFETCH(qint64, end);
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        Pane p(QByteArray("x\xE5\xBF\x9C\xE7\xAD\x94y"));
        p.view.selectBytes(begin, end);
        QCOMPARE(p.view.selectedBytes(), (QPair<qint64, qint64>(from, to)));
        QCOMPARE(p.view.selectedText(), p.view.text().text(from, to));
    }

    // The scroll bar counts lines: dragged to the middle it shows the middle,
    // to the end the last line at the bottom.
    void theScrollBarReachesAnyLine()
    {
        QByteArray lines;
        for (int i = 0; i < 100000; ++i)
            lines += QByteArray::number(i).rightJustified(6, '0') + "\r\n";
        Pane p(lines);
        QScrollBar *bar = p.view.verticalScrollBar();
        QWidget *area = p.view.viewport();
        const auto lineAt = [&](int y) {
            QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(1, y));
            return p.view.text().lines().lineOf(p.view.cursorByte());
        };
        bar->setValue(bar->maximum() / 2);
        QVERIFY(qAbs(lineAt(6) - 50000) < 100);
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(lineAt(area->height() - 6), p.view.text().lines().lineCount() - 1);
    }

    // Another encoding reads the bytes again at once; an edit is the user's
    // and stays until taken back.
    void anotherEncodingAndAnEdit()
    {
        Pane p(QByteArray("\x89\x9E"));
        QTest::keyClick(&p.view, Qt::Key_X);
        QVERIFY(p.view.isEdited());
        p.view.setEncoding(QStringLiteral("Shift_JIS"));
        QCOMPARE(p.view.plainText(), QStringLiteral("x\uFFFD\uFFFD"));
        QTest::keyClick(p.view.editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!p.view.isEdited());
        p.view.setEncoding(QStringLiteral("Shift_JIS"));
        QVERIFY(!p.view.editor());
        QCOMPARE(p.view.plainText(), QStringLiteral("応"));
    }

    void anEditAboveTheLimitIsRefused()
    {
        Pane p(QByteArray(ResponseView::EditLimit + 1, 'a'));
        QTest::keyClick(&p.view, Qt::Key_X);
        QVERIFY(!p.view.editor());
        QVERIFY(!p.view.isEdited());
        auto *notice = p.view.findChild<QLabel *>(QStringLiteral("responseNoticeLbl"));
        QVERIFY(notice && notice->isVisible());
        QVERIFY2(notice->text().contains(QStringLiteral("16 MiB")), qPrintable(notice->text()));
    }
};

QTEST_MAIN(ResponseViewTest)
#include "tst_responseview.moc"
