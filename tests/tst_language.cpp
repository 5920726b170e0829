// The window in English, started as the program starts it with --lang en;
// and the language chosen in the details window.
#include "TestSupport.h"

#include "core/ExchangeEngine.h"
#include "core/Translation.h"
#include "gui/CompareForm.h"
#include "gui/DetailsForm.h"
#include "gui/HistoryForm.h"
#include "gui/RawTextPane.h"
#include "gui/SummaryLine.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Kana (half-width too) and kanji: what an untranslated text shows. The
// symbols of the JIS option (〜 and the like) are no sign of one.
bool japanese(const QString &text)
{
    static const QRegularExpression cjk(u"[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff61}-\\x{ff9f}]"_s);
    return text.contains(cjk);
}

// Every text a user can read on the window's controls, named by where it is.
QStringList texts(const QWidget *window)
{
    QStringList out;
    const auto add = [&out](const QWidget *w, const QString &what, const QString &text) {
        if (!text.isEmpty())
            out << QStringLiteral("%1 %2: %3").arg(w->objectName(), what, text);
    };
    QList<const QWidget *> all{window};
    for (const QWidget *w : window->findChildren<QWidget *>())
        all << w;
    for (const QWidget *w : all) {
        add(w, u"tooltip"_s, w->toolTip());
        if (w->isWindow())
            add(w, u"title"_s, w->windowTitle());
        if (const auto *b = qobject_cast<const QAbstractButton *>(w))
            add(w, u"caption"_s, b->text());
        if (const auto *l = qobject_cast<const QLabel *>(w))
            add(w, u"label"_s, l->text());
        if (const auto *g = qobject_cast<const QGroupBox *>(w))
            add(w, u"frame"_s, g->title());
        if (const auto *e = qobject_cast<const QLineEdit *>(w))
            add(w, u"placeholder"_s, e->placeholderText());
        if (const auto *t = qobject_cast<const QTabWidget *>(w))
            for (int i = 0; i < t->count(); ++i)
                add(w, u"tab"_s, t->tabText(i));
        if (const auto *c = qobject_cast<const QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                // Each language is named in itself, so a reader of either finds it.
                if (c->objectName() != u"languageCmb" || c->itemData(i) != u"ja"_s)
                    add(w, u"item"_s, c->itemText(i));
        if (const auto *v = qobject_cast<const QAbstractItemView *>(w); v && v->model())
            for (int i = 0; i < v->model()->columnCount(); ++i)
                add(w, u"column"_s, v->model()->headerData(i, Qt::Horizontal).toString());
    }
    return out;
}

} // namespace

class LanguageTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // As the program's start reads its arguments.
        const std::optional<QString> given = Translation::argument({u"wireprobedesk"_s, u"--lang"_s, u"en"_s});
        QCOMPARE(given, std::optional(u"en"_s));
        QVERIFY2(Translation::install(qApp, *Translation::fromCode(*given)), "the English catalogue is not linked in");
        QCOMPARE(Translation::current(), Translation::Language::English);
    }
    void cleanupTestCase() { Translation::install(qApp, Translation::Language::Japanese); }

    void noJapaneseLeft()
    {
        TestWindow w;
        QStringList left;
        for (const QWidget *window :
             {static_cast<QWidget *>(w.form.get()), static_cast<QWidget *>(&w.form->details()),
              static_cast<QWidget *>(&w.form->history()), static_cast<QWidget *>(&w.form->comparison())})
            for (const QString &text : texts(window))
                if (japanese(text))
                    left << text;
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u'\n')));
    }

    // A caption, a tooltip, a focus hint, a box, the status texts of an
    // exchange, the summary line and a notice, each in its English words.
    void anExchangeInEnglish()
    {
        LoopbackServer server(Scripts::answerAndClose({"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"}));
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        QCOMPARE(w.sendCmd->text(), u"Send"_s);
        QCOMPARE(w.openCmd->toolTip(), u"Opens a file to paste into the request message."_s);
        QCOMPARE(w.requestFrm->title(), u"Request message"_s);
        w.portCmb->setFocus();
        QCOMPARE(w.statusBar->text(), u"Please specify the port number of the destination server."_s);

        w.sendCmd->click();
        QCOMPARE(w.box.texts, QStringList{u"The destination server's IP address has not been given."_s});

        QGuiApplication::clipboard()->setText(u"POST / HTTP/1.0\nContent-Length: 9\n\nabc"_s);
        w.pasteCmd->click();
        QCOMPARE(w.form->findChild<QLabel *>(u"noticeLbl"_s)->text(),
                 u"The request’s Content-Length (9) differs from the body’s length in bytes (3)."_s);
        QCOMPARE(w.form->findChild<QPushButton *>(u"noticeCmd"_s)->text(), u"Fix Content-Length"_s);

        w.addressCmb->setEditText(u"127.0.0.1"_s);
        w.portCmb->setEditText(QString::number(server.port()));
        w.sendCmd->click();
        QTRY_VERIFY(!w.form->engine().isRunning() && !w.busy());
        QCOMPARE(w.statusBar->text(),
                 u"The response message has been received from the destination server; the operation is complete."_s);
        const QStringList summary = w.form->findChild<SummaryLine *>(u"summaryLbl"_s)->text().split(u" | "_s);
        QCOMPARE(summary.mid(0, 3), (QStringList{u"HTTP/1.1 200 OK"_s, u"complete"_s, u"40 B"_s}));
        const QString details = w.form->details().findChild<QWidget *>(u"summaryTxt"_s)->property("plainText").toString();
        QVERIFY2(details.contains(u"Content-Length: 2 / Body received: 2 B (equal)"_s), qPrintable(details));
    }

    // The language is chosen in the details window for the next start; this
    // run keeps the language it started in, and the window says so.
    void choiceAppliesAtTheNextStart_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("noteAtStart");
        QTest::newRow("nothing stored") << "<absent>"
                                        << "ja" << true;
        QTest::newRow("English stored") << "en"
                                        << "en" << false;
        QTest::newRow("a value of no language") << "fr"
                                                << "ja" << true;
    }
    void choiceAppliesAtTheNextStart()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(bool, noteAtStart);
        TestWindow w(false);
        if (stored != u"<absent>")
            w.setSetting(u"Language"_s, stored);
        w.form->restoreSettings();
        auto *language = w.form->details().findChild<QComboBox *>(u"languageCmb"_s);
        auto *note = w.form->details().findChild<QLabel *>(u"languageNoteLbl"_s);
        QVERIFY(language && note);
        QCOMPARE(language->currentData().toString(), shown);
        QCOMPARE(note->isHidden(), !noteAtStart);
        const QString other = shown == u"en" ? u"ja"_s : u"en"_s;
        language->setCurrentIndex(language->findData(other));
        QCOMPARE(note->isHidden(), other == u"en");
        QCOMPARE(w.sendCmd->text(), u"Send"_s); // nothing changes before the next start
        w.form->close();
        QCOMPARE(w.setting(u"Language"_s), other);
    }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
