// Pane layout, minimum size and the splitter drag, in twips.
#include "TestSupport.h"

#include "gui/Layout.h"
#include "gui/RawTextPane.h"
#include "gui/SplitterHandle.h"
#include "gui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

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
        QTest::newRow("narrowed from 9000 to 8000") << 7000.f << 8000.f << 6400.f;
        QTest::newRow("widened again stays") << 6400.f << 9000.f << 6400.f;
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
        const auto r = [](QWidget *c) { return Twips::rect(c); };
        QCOMPARE(r(w.imgSplitter), QRectF(3840, 1560, 150, 4780));
        QCOMPARE(r(w.saveCmd).left(), 5690.);
        QCOMPARE(r(w.exitCmd).left(), 6780.);
        QCOMPARE(r(w.connectFrm).width(), 7810.);
        QCOMPARE(r(w.requestFrm), QRectF(120, 1440, 3710, 4780));
        QCOMPARE(r(w.requestTxt), QRectF(120, 240, 3470, 4380));
        QCOMPARE(r(w.responseFrm), QRectF(3910, 1440, 4020, 4780));
        QCOMPARE(r(w.responseTxt), QRectF(120, 240, 3780, 4380));
        QCOMPARE(r(w.picSplitter).height(), 4780.);
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
        QVERIFY(!w.form->isMinimized());
    }

    void dragEndsAtTheClampedSplit_data()
    {
        QTest::addColumn<float>("pointer"); // relative to the handle, twips
        QTest::addColumn<float>("split");
        QTest::newRow("far left") << -5000.f << 1600.f;
        QTest::newRow("far right") << 9000.f << 6530.f;
        QTest::newRow("in between") << 540.f << 4340.f;
    }
    void dragEndsAtTheClampedSplit()
    {
        QFETCH(float, pointer);
        QFETCH(float, split);
        TestWindow w;
        w.form->show();
        setOuter(*w.form, 542, 442);
        w.form->sizeControls(3840);
        emit w.imgSplitter->mouseMove(pointer); // no press: nothing moves
        QVERIFY(w.picSplitter->isHidden());
        QCOMPARE(Twips::left(w.picSplitter), 7800.f);
        emit w.imgSplitter->mouseDown(0);
        QVERIFY(w.picSplitter->isVisible());
        QCOMPARE(Twips::left(w.picSplitter), 7800.f); // a press alone does not place the bar
        emit w.imgSplitter->mouseMove(pointer);
        QCOMPARE(Twips::left(w.imgSplitter), 3840.f); // only the bar moves during a drag
        emit w.imgSplitter->mouseUp(pointer);
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
        field->setCursorPosition(0);
        // QLineEdit keeps 2 px free on each side of its text.
        const int room = field->contentsRect().width() - 4;
        QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) <= room, qPrintable(QString::number(room)));
        QCOMPARE(Twips::rect(w.portCmb), QRectF(3960, 240, 855, 300)); // the field itself did not move or grow
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

    void realPointerDrag()
    {
        TestWindow w;
        w.form->show();
        setOuter(*w.form, 542, 442);
        w.form->sizeControls(3840);
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        SplitterHandle *h = w.imgSplitter;
        QCOMPARE(h->cursor().shape(), Qt::SplitHCursor);
        QTest::mousePress(h, Qt::LeftButton, {}, QPoint(2, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(42, 10), h->mapToGlobal(QPointF(42, 10)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(h, &move);
        QTest::mouseRelease(h, Qt::LeftButton, {}, QPoint(42, 10));
        // 40 px is 600 twips right of the handle's edge, less the bar's 40-twip offset.
        QCOMPARE(Twips::left(w.imgSplitter), 3840.f + 42 * 15 - 40);
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
