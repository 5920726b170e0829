// Pane layout, minimum size and the splitter drag, in twips.
#include "TestSupport.h"

#include "gui/Layout.h"
#include "gui/SplitterHandle.h"
#include "gui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {
// Outer width and client height in pixels, whatever frame the platform adds.
void setOuter(wireProbeDeskForm &f, int outerWidth, int clientHeight)
{
    f.resize(outerWidth - (f.frameGeometry().width() - f.width()), clientHeight);
}
} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void splitClamps_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("W");
        QTest::addColumn<float>("split");
        QTest::newRow("inside") << 3840.f << 8130.f << 3840.f;
        QTest::newRow("below the lower limit") << 1000.f << 8130.f << 1600.f;
        QTest::newRow("above the upper limit") << 7000.f << 8130.f << 6530.f;
        QTest::newRow("fraction kept") << 3862.5f << 8130.f << 3862.5f;
        QTest::newRow("narrower than both limits: upper wins") << 2000.f << 3000.f << 1400.f;
    }
    void splitClamps()
    {
        QFETCH(float, x);
        QFETCH(float, W);
        QFETCH(float, split);
        QCOMPARE(Layout::compute(x, W, 6630).split, split);
    }

    // The window itself, at 96 dpi with no frame: 542 × 442 px is W 8130, H 6630.
    void workedExampleInTheWindow()
    {
        TestWindow w;
        w.form->show();
        setOuter(*w.form, 542, 442);
        QCOMPARE(w.form->outerWidthTwips(), 8130.f);
        QCOMPARE(w.form->clientHeightTwips(), 6630.f);
        w.form->sizeControls(3840);
        QCOMPARE(Twips::rect(w.imgSplitter), QRectF(3840, 1560, 150, 4780));
        QCOMPARE(Twips::rect(w.requestFrm), QRectF(120, 1440, 3710, 4780));
        QCOMPARE(Twips::rect(w.responseFrm), QRectF(3910, 1440, 4020, 4780));
        // Pixels follow the twips: the response frame ends at the connection frame's right edge.
        QCOMPARE(w.responseFrm->geometry().right(), w.connectFrm->geometry().right());
        // The status bar spans the bottom at the full client width, also when wider.
        setOuter(*w.form, 700, 500);
        QCOMPARE(w.statusBar->geometry(), QRect(0, 480, w.form->width(), 20));
    }

    void minimumSize()
    {
        TestWindow w;
        w.form->show();
        w.form->resize(100, 100);
        // 8000 twips is 533⅓ px: the window keeps 534.
        QCOMPARE(w.form->frameGeometry().size(), QSize(534, 300));
    }

    void dragEndsAtTheClampedSplit_data()
    {
        QTest::addColumn<int>("pointer"); // pixels from the handle's left edge, 15 twips each
        QTest::addColumn<float>("split");
        QTest::newRow("far left") << -400 << 1600.f;
        QTest::newRow("far right") << 400 << 6530.f;
        QTest::newRow("in between, less the bar's offset") << 42 << 3840.f + 42 * 15 - 40;
    }
    void dragEndsAtTheClampedSplit()
    {
        QFETCH(int, pointer);
        QFETCH(float, split);
        TestWindow w;
        w.form->show();
        setOuter(*w.form, 542, 442);
        w.form->sizeControls(3840);
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        SplitterHandle *h = w.imgSplitter;
        QCOMPARE(h->cursor().shape(), Qt::SplitHCursor);
        QTest::mouseMove(h, QPoint(pointer, 10)); // no press: nothing moves
        QVERIFY(w.picSplitter->isHidden());
        QTest::mousePress(h, Qt::LeftButton, {}, QPoint(2, 10));
        QVERIFY(w.picSplitter->isVisible());
        QTest::mouseMove(h, QPoint(pointer, 10));
        QCOMPARE(Twips::left(w.imgSplitter), 3840.f); // only the bar moves during a drag
        QTest::mouseRelease(h, Qt::LeftButton, {}, QPoint(pointer, 10));
        QCOMPARE(Twips::left(w.imgSplitter), split);
        QVERIFY(w.picSplitter->isHidden());
    }

    void portFieldShowsFiveDigits()
    {
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QLineEdit *field = w.portCmb->lineEdit();
        field->setText(QStringLiteral("65535"));
        // QLineEdit keeps 2 px free on each side of its text.
        const int room = field->contentsRect().width() - 4;
        QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) <= room, qPrintable(QString::number(room)));
    }

    void topBandKeepsEveryButton_data()
    {
        QTest::addColumn<int>("outerWidth");
        QTest::newRow("minimum width") << 534;
        QTest::newRow("default width") << 542;
    }
    // The history button fits beside the details button: no button overlaps
    // the next, and each caption fits inside its button.
    void topBandKeepsEveryButton()
    {
        QFETCH(int, outerWidth);
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        setOuter(*w.form, outerWidth, 442);
        const QStringList band{"sendCmd",    "openCmd",    "clearCmd", "pasteCmd",
                               "detailsCmd", "historyCmd", "saveCmd",  "exitCmd"};
        QRect previous;
        for (const QString &name : band) {
            auto *b = w.form->findChild<QPushButton *>(name);
            QVERIFY2(b->geometry().left() > previous.right(), qPrintable(name));
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) + 4 <= b->width(), qPrintable(name));
            previous = b->geometry();
        }
    }

    void errorBoxFitsItsTitle()
    {
        QtMessageBox box;
        int width = 0, needed = 0;
        QTimer::singleShot(0, [&] {
            auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            width = shown->width();
            needed = shown->fontMetrics().horizontalAdvance(shown->windowTitle());
            shown->accept();
        });
        box.showError(nullptr, QStringLiteral("短い"));
        QVERIFY(needed > 0);
        QVERIFY2(width >= needed + 100, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed + 100)));
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
