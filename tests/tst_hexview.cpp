// The hex view: row text, very large data, selection and copy.
#include "gui/HexView.h"

#include <QClipboard>
#include <QPaintEngine>
#include <QScrollBar>
#include <QTest>

namespace {

// The words a widget paints, to see which rows are on screen.
class PaintedWords : public QPaintDevice, public QPaintEngine
{
public:
    explicit PaintedWords(QWidget &w) : QPaintEngine(AllFeatures), m_size(w.size()) { w.render(this); }
    const QSize m_size;
    QStringList words;
    QPaintEngine *paintEngine() const override { return const_cast<PaintedWords *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &, const QTextItem &t) override
    {
        words += t.text().split(u' ', Qt::SkipEmptyParts);
    }
    int metric(PaintDeviceMetric m) const override
    {
        return m == PdmWidth                    ? m_size.width()
               : m == PdmHeight                 ? m_size.height()
               : m == PdmDevicePixelRatio       ? 1
               : m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale())
                                                : 96; // 96: the resolutions
    }
};

const QByteArray Bytes(40, 'b'); // two rows and a half

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
        QTest::newRow("full row") << QByteArray("HTTP/1.1 200 OK\r\n") << qint64(0)
                                  << "00000000  48 54 54 50 2f 31 2e 31  20 32 30 30 20 4f 4b 0d  HTTP/1.1 200 OK.";
        QTest::newRow("NUL and high bytes") << QByteArray("\0\x7f\x80\xff ~\x1f", 7) << qint64(0)
                                            << "00000000  00 7f 80 ff 20 7e 1f                              .... ~.";
        QTest::newRow("one byte in the second group")
            << QByteArray(25, 'a') << qint64(1)
            << "00000010  61 61 61 61 61 61 61 61  61                       aaaaaaaaa";
        QTest::newRow("past the end") << QByteArray(16, 'a') << qint64(1) << QString();
    }
    void rowText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, row);
        QFETCH(QString, expected);
        QCOMPARE(HexView::rowText(bytes, row), expected);
    }

    void scrollsToTheEndOf256MiB()
    {
        QByteArray bytes(qint64(256) << 20, 'x');
        HexView view;
        view.resize(800, 400);
        view.setBytes(bytes);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(PaintedWords(view).words.contains(QStringLiteral("00000000")));
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        const QStringList words = PaintedWords(view).words;
        QVERIFY(words.contains(QStringLiteral("0ffffff0")) && !words.contains(QStringLiteral("00000000")));
    }

    void selectsAndCopiesRows_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("copied");
        const auto row = [](int r) { return HexView::rowText(Bytes, r); };
        QTest::newRow("shift+arrows forward over a row end")
            << "Right, Right, Shift+Down, Shift+Right" << row(0) + '\n' + row(1);
        QTest::newRow("backwards from the end") << "End, Shift+Up" << row(1) + '\n' + row(2);
        QTest::newRow("moving without shift drops it") << "Shift+Down, Down"
                                                       << "before";
    }
    void selectsAndCopiesRows()
    {
        QFETCH(QString, keys);
        QFETCH(QString, copied);
        HexView view;
        view.setBytes(Bytes);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::keySequence(&view, QKeySequence(keys));
        QTest::keySequence(&view, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // The find bar's matches are marked in the hex and the ASCII columns, also
    // where a match runs on into the next row.
    void marksRanges()
    {
        HexView view;
        view.resize(800, 200);
        view.setBytes(QByteArray(40, 'b'));
        view.setHighlights({{3, 4}, {14, 18}});
        QImage shot(view.size(), QImage::Format_RGB32);
        view.render(&shot);
        const QFontMetricsF fm(view.font());
        const qreal w = fm.horizontalAdvance(QString(64, QLatin1Char('0'))) / 64;
        const int h = qCeil(fm.lineSpacing());
        const QPoint port = view.viewport()->pos();
        // One pixel inside the top left corner of a byte's hex and ASCII cells.
        const auto marked = [&](int row, int byte) {
            const int hex = 10 + 3 * byte + (byte >= 8 ? 1 : 0), ascii = 10 + 3 * 16 + 2 + byte;
            const auto at = [&](int column) {
                return shot.pixelColor(port + QPoint(qCeil(4 + w * column) + 1, row * h + 1)) == QColor(0xff, 0xe0, 0x70);
            };
            return at(hex) && at(ascii) ? 1 : !at(hex) && !at(ascii) ? 0 : -1; // -1: the columns disagree
        };
        const QList<int> row0{marked(0, 2), marked(0, 3), marked(0, 4), marked(0, 14), marked(0, 15)};
        QCOMPARE(row0, (QList<int>{0, 1, 0, 1, 1}));
        QCOMPARE((QList<int>{marked(1, 0), marked(1, 1), marked(1, 2)}), (QList<int>{1, 1, 0}));
    }
};

QTEST_MAIN(HexViewTest)
#include "tst_hexview.moc"
