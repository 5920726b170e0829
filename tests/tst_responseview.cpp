// The response pane as a user meets it: lines and rows under the keys,
// selection and copy of the exact text, and edits.
#include "gui/ResponseView.h"

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

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
        QTest::addColumn<QList<qint64>>("stops"); // the caret after each Down from the start
        QTest::newRow("CR LF, lone CR and lone LF each end one line")
            << QByteArray("a\r\nb\rc\nd") << QList<qint64>{3, 5, 7, 8};
        QTest::newRow("an empty line after a final line end") << QByteArray("ab\r\n") << QList<qint64>{4, 4};
        QTest::newRow("NUL is a character like any other") << QByteArray("a\0b\nc", 5) << QList<qint64>{4, 5};
    }
    void rowsUnderTheKeys()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<qint64>, stops);
        Pane p(bytes);
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
        QTest::newRow("invalid bytes and NUL") << "UTF-8" << QByteArray("\xFFx\0", 3)
                                               << QStringLiteral("\uFFFDx") + QChar(0);
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

    void selectingBytesTakesWholeCharacters()
    {
        Pane p(QByteArray("x\xE5\xBF\x9C\xE7\xAD\x94y"));
        p.view.selectBytes(2, 5);
        QCOMPARE(p.view.selectedBytes(), (QPair<qint64, qint64>(1, 7)));
        QCOMPARE(p.view.selectedText(), QStringLiteral("応答"));
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
