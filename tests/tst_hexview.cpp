// The hex view: row text, very large data, selection and copy.
#include "gui/HexView.h"

#include <QClipboard>
#include <QPaintEngine>
#include <QScrollBar>
#include <QtTest>

#include <sys/mman.h>

namespace {

// Keeps the words a widget paints, to see which rows are on screen.
class TextRecorder : public QPaintDevice, public QPaintEngine
{
public:
    explicit TextRecorder(QSize size) : QPaintEngine(AllFeatures), m_size(size) {}
    QStringList words;

    QPaintEngine *paintEngine() const override { return const_cast<TextRecorder *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &, const QTextItem &item) override
    {
        words += item.text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmDepth: return 32;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        case PdmDevicePixelRatio: return 1;
        default: return 96; // the resolutions
        }
    }

private:
    QSize m_size;
};

QStringList paintedWords(HexView &view)
{
    TextRecorder recorder(view.size());
    view.render(&recorder);
    return recorder.words;
}

} // namespace

class HexViewTest : public QObject
{
    Q_OBJECT
private slots:
    void rowText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("row");
        QTest::addColumn<QString>("expected");
        const QByteArray http("HTTP/1.1 200 OK\r\nServer: x\r\n\r\n");
        QTest::newRow("first row") << http << qint64(0)
            << "00000000  48 54 54 50 2f 31 2e 31  20 32 30 30 20 4f 4b 0d  HTTP/1.1 200 OK.";
        QTest::newRow("short last row, ASCII lined up") << http << qint64(1)
            << "00000010  0a 53 65 72 76 65 72 3a  20 78 0d 0a 0d 0a        .Server: x....";
        QTest::newRow("NUL and high bytes") << QByteArray("\0\x7f\x80\xff ~\x1f", 7) << qint64(0)
            << "00000000  00 7f 80 ff 20 7e 1f                              .... ~.";
        QTest::newRow("one byte in the second group") << QByteArray(25, 'a') << qint64(1)
            << "00000010  61 61 61 61 61 61 61 61  61                       aaaaaaaaa";
        QTest::newRow("past the end") << QByteArray(16, 'a') << qint64(1) << QString();
        QTest::newRow("empty") << QByteArray() << qint64(0) << QString();
    }
    void rowText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, row);
        QFETCH(QString, expected);
        QCOMPARE(HexView::rowText(bytes, row), expected);
    }

    void scrollsToTheEndOfLargeData_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("firstOffset");
        QTest::addColumn<QString>("lastOffset");
        QTest::newRow("256 MiB") << (qint64(256) << 20) << "00000000" << "0ffffff0";
        // More rows than a scroll bar counts, offsets wider than 8 digits.
        QTest::newRow("40 GiB, mapped") << (qint64(40) << 30) << "000000000" << "9fffffff0";
    }
    void scrollsToTheEndOfLargeData()
    {
        QFETCH(qint64, size);
        QFETCH(QString, firstOffset);
        QFETCH(QString, lastOffset);
        QByteArray bytes;
        void *mapped = MAP_FAILED;
        if (size <= (qint64(256) << 20)) {
            bytes = QByteArray(size, 'x');
        } else {
            // Untouched pages of a read-only private mapping cost no memory.
            mapped = mmap(nullptr, size_t(size), PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
            if (mapped == MAP_FAILED)
                QSKIP("no address space for the mapping");
            bytes = QByteArray::fromRawData(static_cast<const char *>(mapped), size);
        }
        HexView view;
        view.resize(800, 400);
        view.setData(&bytes);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(paintedWords(view).contains(firstOffset));

        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QStringList words = paintedWords(view);
        QVERIFY(words.contains(lastOffset));
        QVERIFY(!words.contains(firstOffset));

        // Growth below the visible rows keeps the view where it is.
        view.verticalScrollBar()->setValue(0);
        if (mapped == MAP_FAILED) {
            bytes.append("tail");
            view.dataChanged();
            QVERIFY(paintedWords(view).contains(QStringLiteral("00000000")));
            view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
            QVERIFY(paintedWords(view).contains(QStringLiteral("10000000")));
        }
        view.setData(nullptr);
        bytes.clear();
        if (mapped != MAP_FAILED)
            munmap(mapped, size_t(size));
    }

    void selectsAndCopiesRows_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QList<int>>("rows");
        const int shift = Qt::ShiftModifier;
        QTest::newRow("shift+arrows forward over a row end")
            << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, shift | Qt::Key_Down, shift | Qt::Key_Right}
            << qint64(3) << qint64(18) << QList<int>{0, 1};
        QTest::newRow("backwards from the end")
            << QList<int>{Qt::Key_End, shift | Qt::Key_Up} << qint64(23) << qint64(17) << QList<int>{1, 2};
        QTest::newRow("moving without shift drops it")
            << QList<int>{shift | Qt::Key_Down, Qt::Key_Down} << qint64(32) << qint64(0) << QList<int>{};
        QTest::newRow("select all")
            << QList<int>{int(Qt::ControlModifier) | Qt::Key_A} << qint64(0) << qint64(40) << QList<int>{0, 1, 2};
        QTest::newRow("page down stops at the last byte")
            << QList<int>{shift | Qt::Key_PageDown} << qint64(0) << qint64(40) << QList<int>{0, 1, 2};
    }
    void selectsAndCopiesRows()
    {
        QFETCH(QList<int>, keys);
        QFETCH(qint64, start);
        QFETCH(qint64, length);
        QFETCH(QList<int>, rows);
        QByteArray bytes;
        for (int i = 0; i < 40; ++i)
            bytes += char(i * 7);
        HexView view;
        view.resize(800, 300);
        view.setData(&bytes);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        for (int k : keys) {
            const QKeyCombination key = QKeyCombination::fromCombined(k);
            QTest::keyClick(&view, key.key(), key.keyboardModifiers());
        }
        QCOMPARE(view.selection().start, start);
        QCOMPARE(view.selection().length, length);

        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QStringList expected;
        for (int row : rows)
            expected += HexView::rowText(bytes, row);
        QCOMPARE(QGuiApplication::clipboard()->text(), rows.isEmpty() ? QStringLiteral("before") : expected.join('\n'));
    }

    void mouseSelectsWholeRows()
    {
        QByteArray bytes(40, 'm');
        HexView view;
        view.resize(900, 300);
        view.setData(&bytes);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const int line = QFontMetrics(view.font()).lineSpacing();
        QWidget *area = view.viewport();
        // On a row's offset: its first byte; right of the text: its last one.
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(1, line + line / 2));
        QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, QPoint(area->width() - 1, 2 * line + line / 2));
        QCOMPARE(view.selection().start, qint64(16));
        QCOMPARE(view.selection().length, qint64(24));
        view.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 HexView::rowText(bytes, 1) + '\n' + HexView::rowText(bytes, 2));
    }
};

QTEST_MAIN(HexViewTest)
#include "tst_hexview.moc"
