// Start-up restores what the last close saved; settings problems never stop the program.
#include "TestSupport.h"

#include "core/SettingsValues.h"
#include "gui/DetailsForm.h"
#include "gui/SplitterHandle.h"
#include "gui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QSlider>
#include <QTest>

namespace {
const QStringList ShutdownKeys{"MainLeft", "MainTop",  "MainWidth", "MainHeight", "MainStat", "TimeOut",
                               "MainX",    "Address1", "Address2",  "Address3",   "Address4", "Address5",
                               "Port1",    "Port2",    "Port3",     "Port4",      "Port5"};
QStringList entries(const QComboBox *b)
{
    QStringList out;
    for (int i = 0; i < b->count(); ++i)
        out << b->itemText(i);
    return out;
}
} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void firstStart()
    {
        TestWindow w;
        QCOMPARE(w.form->windowTitle(), QStringLiteral("wireProbeDesk   Ver. 0.1.0"));
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        // 800 and 8130 × 6555 twips at 15 twips a pixel.
        QCOMPARE(w.form->frameGeometry(), QRect(53, 53, 542, 437));
        QCOMPARE(w.form->windowState(), Qt::WindowNoState);
        QCOMPARE(w.TimeOutSlider->value(), 10);
        QCOMPARE(Twips::left(w.imgSplitter), 3840.f);
        QCOMPARE(entries(w.addressCmb), QStringList(5, QString()));
        QCOMPARE(entries(w.portCmb), QStringList(5, QString()));
        QCOMPARE(w.addressCmb->currentText(), QString());
        QCOMPARE(w.statusBar->text(), QStringLiteral("接続先サーバのIPアドレスを指定して下さい。"));
        QCOMPARE(w.form->details().encoding(), QStringLiteral("UTF-8"));
    }

    void everyKeyRoundTrips()
    {
        TestWindow w(false);
        const QMap<QString, QString> stored{{"MainLeft", "1200"},
                                            {"MainTop", "-60"},
                                            {"MainWidth", "9000"},
                                            {"MainHeight", "7005"},
                                            {"MainStat", "0"},
                                            {"TimeOut", "25"},
                                            {"MainX", "3862.5"},
                                            {"Address1", "a"},
                                            {"Address2", "b"},
                                            {"Address3", ""},
                                            {"Address4", "d"},
                                            {"Address5", "e e"},
                                            {"Port1", "80"},
                                            {"Port2", "080"},
                                            {"Port3", "8080"},
                                            {"Port4", ""},
                                            {"Port5", "x"},
                                            {"Encoding", "EUC-JP"},
                                            {"ResponseLimit", "64 MiB"},
                                            {"Wrap", "0"},
                                            {"HttpEnd", "1"},
                                            {"Tls", "1"},
                                            {"TlsVerify", "0"},
                                            {"TlsCaFile", "/ca.pem"},
                                            {"JisSymbols", "0"},
                                            {"ProxyType", "socks5"},
                                            {"ProxyHost", "proxy.example"},
                                            {"ProxyPort", "1080"},
                                            {"ProxyUser", "alice"},
                                            {"ProxyRemoteDns", "0"}};
        for (auto it = stored.begin(); it != stored.end(); ++it)
            w.setSetting(it.key(), it.value());
        w.form->restoreSettings();
        w.form->show();
        QCOMPARE(w.addressCmb->currentText(), QStringLiteral("a"));
        QCOMPARE(w.portCmb->currentText(), QStringLiteral("80"));
        QCOMPARE(entries(w.addressCmb), (QStringList{"a", "b", "", "d", "e e"}));
        w.form->close();
        for (auto it = stored.begin(); it != stored.end(); ++it)
            QCOMPARE(w.setting(it.key()), it.value());
    }

    void minimizedCloseWritesNothing()
    {
        TestWindow w(false);
        w.setSetting("MainStat", "1");
        w.setSetting("TimeOut", "7");
        w.form->restoreSettings();
        w.form->show();
        QVERIFY(w.form->isMinimized());
        w.TimeOutSlider->setValue(30);
        w.form->close();
        QCOMPARE(w.setting("TimeOut"), QStringLiteral("7"));
        QCOMPARE(w.setting("MainStat"), QStringLiteral("1"));
        QCOMPARE(w.setting("MainLeft"), QStringLiteral("<absent>"));
    }

    void maximizedCloseAndRestart()
    {
        QRect maximized;
        TestWindow w(false);
        {
            w.form->restoreSettings();
            w.form->show();
            w.form->showMaximized();
            QTRY_VERIFY(w.form->isMaximized());
            maximized = w.form->frameGeometry();
            w.form->close();
        }
        QCOMPARE(w.setting("MainStat"), QStringLiteral("2"));
        // 15 twips a pixel, as at first start.
        QCOMPARE(w.setting("MainWidth"), QString::number(maximized.width() * 15));
        auto d = std::make_unique<FakeDialog>();
        wireProbeDeskForm again(w.store.get(), &w.box, std::move(d));
        again.restoreSettings();
        again.show();
        QTRY_VERIFY(again.isMaximized());
    }

    void badStoredValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("timeOut");
        QTest::addColumn<float>("split");
        QTest::addColumn<int>("outerWidthPx");
        QTest::newRow("time-out not a number") << "TimeOut"
                                               << "ten" << 10 << 3840.f << 542;
        QTest::newRow("time-out 0") << "TimeOut"
                                    << "0" << 1 << 3840.f << 542;
        QTest::newRow("time-out 99") << "TimeOut"
                                     << "99" << 60 << 3840.f << 542;
        QTest::newRow("split below its limit") << "MainX"
                                               << "100" << 10 << 1600.f << 542;
        QTest::newRow("width below the minimum") << "MainWidth"
                                                 << "2000" << 10 << 3840.f << 534;
        QTest::newRow("empty width") << "MainWidth"
                                     << "" << 10 << 3840.f << 542;
    }
    void badStoredValues()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, timeOut);
        QFETCH(float, split);
        QFETCH(int, outerWidthPx);
        TestWindow w(false);
        w.setSetting(key, text);
        w.form->restoreSettings();
        w.form->show();
        QCOMPARE(w.TimeOutSlider->value(), timeOut);
        QCOMPARE(Twips::left(w.imgSplitter), split);
        QCOMPARE(w.form->frameGeometry().width(), outerWidthPx);
        w.form->close();
        QCOMPARE(SettingsValues::parseSingle(w.setting("MainX"), -1), split); // the clamped value is saved
    }

    void booleanKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("checkBox");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("checked");
        const struct
        {
            const char *key, *box;
            bool def;
        } keys[] = {{"Wrap", "wrapChk", true},
                    {"HttpEnd", "httpEndChk", false},
                    {"FixContentLength", "contentLengthChk", false},
                    {"CrLfOnLoad", "crlfChk", false},
                    {"Tls", "tlsChk", false},
                    {"TlsVerify", "verifyChk", true},
                    {"JisSymbols", "jisSymbolsChk", true},
                    {"ProxyRemoteDns", "proxyRemoteDnsChk", true}};
        // -1: the text does not parse and the key's default holds.
        const struct
        {
            const char *text;
            int value;
        } texts[] = {{"1", 1}, {"0", 0},    {"true", 1},   {" FALSE ", 0}, {"True", 1},
                     {"", -1}, {"yes", -1}, {"maybe", -1}, {"2", -1}};
        for (const auto &k : keys)
            for (const auto &t : texts)
                QTest::addRow("%s=%s", k.key, t.text) << k.key << k.box << t.text << (t.value < 0 ? k.def : t.value == 1);
    }
    void booleanKeys()
    {
        QFETCH(QString, key);
        QFETCH(QString, checkBox);
        QFETCH(QString, text);
        QFETCH(bool, checked);
        TestWindow w(false);
        w.setSetting(key, text);
        w.form->restoreSettings();
        auto *box = w.form->details().findChild<QCheckBox *>(checkBox);
        QVERIFY2(box, qPrintable(checkBox));
        QCOMPARE(box->isChecked(), checked);
        w.form->close();
        QCOMPARE(w.setting(key), checked ? QStringLiteral("1") : QStringLiteral("0"));
    }

    void unknownEncodingReadsAsUtf8()
    {
        TestWindow w(false);
        w.setSetting("Encoding", "KOI8-R");
        w.form->restoreSettings();
        QCOMPARE(w.form->details().encoding(), QStringLiteral("UTF-8"));
    }

    void absurdSizesFitTheScreen_data()
    {
        QTest::addColumn<QString>("size");
        for (const char *v : {"1200000", "1e9", "3.4e38", "-5", "0", "8000.5"})
            QTest::newRow(v) << v;
    }
    void absurdSizesFitTheScreen()
    {
        QFETCH(QString, size);
        TestWindow w(false);
        w.setSetting("MainWidth", size);
        w.setSetting("MainHeight", size);
        w.form->restoreSettings();
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        const QSize got = w.form->frameGeometry().size();
        QVERIFY2(got.width() <= qMax(534, screen.width()) && got.height() <= qMax(300, screen.height()),
                 qPrintable(QStringLiteral("%1×%2").arg(got.width()).arg(got.height())));
        QVERIFY(got.width() >= 534 && got.height() >= 300);
        w.form->close();
        QVERIFY(SettingsValues::parseSingle(w.setting("MainWidth"), -1) <= qMax(534, screen.width()) * 15.f);
    }

    void restoredFromMinimizedFitsTheScreen()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs a window manager's frame (tst_settings_framed)");
        TestWindow w(false);
        w.setSetting("MainStat", "1");
        w.setSetting("MainHeight", "1e9");
        w.form->restoreSettings();
        w.form->show();
        QTRY_VERIFY(w.form->isMinimized());
        QTest::qWait(500); // framed while iconic
        w.form->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        const int screen = w.form->screen()->availableGeometry().height();
        QTRY_VERIFY2(w.form->frameGeometry().height() <= screen,
                     qPrintable(QStringLiteral("%1 > %2").arg(w.form->frameGeometry().height()).arg(screen)));
        QVERIFY(w.form->frameGeometry().height() > w.form->height()); // a frame was there to count
    }

    void windowOffEveryScreenComesBack()
    {
        TestWindow w(false);
        w.setSetting("MainLeft", "9000000");
        w.setSetting("MainTop", "-9000000");
        w.form->restoreSettings();
        w.form->show();
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(w.form->frameGeometry()));
        QCOMPARE(w.form->frameGeometry().size(), QSize(542, 437));
    }

    void unusableStore_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: the file's place is taken by a folder
        QTest::newRow("garbage") << QByteArray("\x00\xff[Settings\n=\x01==\n[", 15);
        QTest::newRow("not a file") << QByteArray();
    }
    void unusableStore()
    {
        QFETCH(QByteArray, content);
        TestWindow w(false);
        const QString path = w.store->filePath(QStringLiteral("wireProbeDesk"));
        QDir().mkpath(QFileInfo(path).path());
        if (content.isEmpty()) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        w.form->restoreSettings();
        w.form->show();
        QCOMPARE(w.TimeOutSlider->value(), 10);
        QCOMPARE(w.form->windowTitle(), QStringLiteral("wireProbeDesk   Ver. 0.1.0"));
        w.TimeOutSlider->setValue(33);
        w.form->close();
        // Garbage is replaced by a sound store; a folder in the file's place stays unwritten.
        QCOMPARE(w.setting("TimeOut"), content.isEmpty() ? QStringLiteral("<absent>") : QStringLiteral("33"));
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
