// Reading a response's body: extraction, charsets, the laid-out text, SOAP faults.
#include "core/ReadableBody.h"

#include <QStringEncoder>
#include <QTest>

#include <zlib.h>

namespace {

QByteArray compressed(const QByteArray &data, int windowBits)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(data.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}
QByteArray gzip(const QByteArray &d)
{
    return compressed(d, 31);
}

QByteArray ok(const QByteArray &fields, const QByteArray &body)
{
    return "HTTP/1.1 200 OK\r\n" + fields + "\r\n" + body;
}

QByteArray chunked(const QByteArray &fields, const QByteArray &body)
{
    const qsizetype half = body.size() / 2;
    return ok("Transfer-Encoding: chunked\r\n" + fields, QByteArray::number(half, 16) + "\r\n" + body.left(half)
                                                             + "\r\n" + QByteArray::number(body.size() - half, 16)
                                                             + "\r\n" + body.mid(half) + "\r\n0\r\n\r\n");
}

QByteArray encoded(const QString &text, const char *encoding)
{
    QStringEncoder e(encoding);
    return e.encode(text);
}

const QByteArray Xml = "<?xml version=\"1.0\"?><a><b>x &amp; y</b></a>";

} // namespace

class BodyTest : public QObject
{
    Q_OBJECT
private slots:
    void extracts_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("note"); // a note that must be there; empty: none at all
        const qint64 big = qint64(512) << 20;
        const QByteArray zeros(qint64(64) << 20, '\0');
        QTest::newRow("length") << ok("Content-Length: 5\r\n", "hello") << big << QByteArray("hello") << "";
        QTest::newRow("chunked") << chunked("", Xml) << big << Xml << "";
        QTest::newRow("gzip, chunked") << chunked("Content-Encoding: gzip\r\n", gzip(Xml)) << big << Xml << "gzip を展開";
        QTest::newRow("two gzip members") << ok("Content-Encoding: x-gzip\r\n", gzip("ab") + gzip("cd")) << big
                                          << QByteArray("abcd") << "x-gzip を展開";
        QTest::newRow("deflate, zlib-wrapped")
            << ok("Content-Encoding: deflate\r\n", compressed(Xml, 15)) << big << Xml << "deflate を展開";
        QTest::newRow("deflate, raw") << ok("Content-Encoding: deflate\r\n", compressed(Xml, -15)) << big << Xml
                                      << "deflate を展開";
        QTest::newRow("bomb stops at the limit") << ok("Content-Encoding: gzip\r\n", gzip(zeros)) << qint64(1 << 20)
                                                 << QByteArray(1 << 20, '\0') << "上限 1 MiB に達した";
        QTest::newRow("exactly the limit is no bomb")
            << ok("Content-Encoding: gzip\r\n", gzip("abcd")) << qint64(4) << QByteArray("abcd") << "gzip を展開";
        QTest::newRow("corrupt gzip") << ok("Content-Encoding: gzip\r\n", "not gzip") << big << QByteArray("not gzip")
                                      << "gzip として展開できない";
        QTest::newRow("unknown coding") << ok("Content-Encoding: br\r\n", "\x0b\x02") << big << QByteArray("\x0b\x02")
                                        << "br は展開できない";
        QTest::newRow("Content-Length too large")
            << ok("Content-Length: 900000000000\r\n", "hi") << big << QByteArray("hi") << "届いた本文は 2 バイト";
        QTest::newRow("Content-Length too small")
            << ok("Content-Length: 2\r\n", "hello") << big << QByteArray("hello") << "接続が閉じるまでを本文";
        QTest::newRow("a second response after it")
            << ok("Content-Length: 2\r\n", "hiHTTP/1.1 200 OK\r\n\r\n") << big << QByteArray("hi") << "別の応答";
        QTest::newRow("broken chunk goes on as it came") << ok("Transfer-Encoding: chunked\r\n", "2\r\nhi\r\nzz\r\nrest")
                                                         << big << QByteArray("hizz\r\nrest") << "チャンクの区切り";
        QTest::newRow("not HTTP") << QByteArray("<a/>") << big << QByteArray("<a/>") << "HTTP/1.x の応答ではない";
        QTest::newRow("bytes after the gzip stream") << ok("Content-Encoding: gzip\r\n", gzip("ab") + "junk") << big
                                                     << QByteArray("ab") << "後の 4 バイトは表示しません";
    }
    void extracts()
    {
        QFETCH(QByteArray, response);
        QFETCH(qint64, limit);
        QFETCH(QByteArray, body);
        QFETCH(QString, note);
        const HttpBody b = extractBody(response, limit);
        QCOMPARE(b.bytes.size(), body.size());
        QCOMPARE(b.bytes, body);
        const QString notes = b.notes.join(QLatin1Char('\n'));
        QVERIFY2(note.isEmpty() ? notes.isEmpty() : notes.contains(note), qPrintable(notes));
    }

    void truncatedGzipGivesWhatItHas()
    {
        QByteArray text = "<r>";
        for (int i = 0; i < 20000; ++i)
            text += QByteArray::number(i * 7919 % 100003) + ' ';
        const HttpBody b = extractBody(ok("Content-Encoding: gzip\r\n", gzip(text).chopped(200)), 1 << 30);
        QVERIFY(b.bytes.size() > 1000 && text.startsWith(b.bytes));
        QVERIFY(b.notes.join(QString()).contains(QStringLiteral("途中で終わって")));
    }

    // The charset of Content-Type, else the XML declaration's, else the chosen one.
    void laysOut_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("encoding"); // what decoded it
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("text");
        using S = BodyText::Source;
        const QString sjis = QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a><b>応答～①</b></a>");
        const QString laid = QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a>\n  <b>応答～①</b>\n</a>");
        QTest::newRow("Shift_JIS from the declaration")
            << ok("", encoded(sjis, "Shift_JIS")) << "Shift_JIS" << int(S::XmlDeclaration) << laid;
        QTest::newRow("EUC-JP from Content-Type over the declaration")
            << ok("Content-Type: text/xml; charset=\"euc-jp\"\r\n", encoded(sjis, "EUC-JP")) << "EUC-JP"
            << int(S::ContentType) << laid;
        QTest::newRow("Cyrillic in windows-1251")
            << ok("Content-Type: application/json;charset=windows-1251\r\n",
                  encoded(QStringLiteral("{\"имя\":\"Иван\"}"), "windows-1251"))
            << "windows-1251" << int(S::ContentType) << QStringLiteral("{\n  \"имя\": \"Иван\"\n}");
        QTest::newRow("chosen when nothing says")
            << QByteArray("<a>\xC3\xA9</a>") << "UTF-8" << int(S::Chosen) << "<a>é</a>";
        QTest::newRow("namespaces, attributes, entities, CDATA")
            << ok("", "<s:E xmlns:s='urn:s'><s:B a=\"1 &gt; 0\" b='x'>&lt;&#x41;<![CDATA[<c>&amp;]]></s:B>"
                      "<s:C/>\r\n  <!-- n -->\r\n<?pi x?><m>t<i/>u</m><e>\r\n</e></s:E>")
            << "UTF-8" << int(S::Chosen)
            << "<s:E xmlns:s='urn:s'>\n  <s:B a=\"1 &gt; 0\" b='x'>&lt;&#x41;<![CDATA[<c>&amp;]]></s:B>\n  <s:C/>\n"
               "  <!-- n -->\n  <?pi x?>\n  <m>\n    t\n    <i/>\n    u\n  </m>\n  <e></e>\n</s:E>";
        QTest::newRow("doctype") << ok("", "<!DOCTYPE a [<!ENTITY e \"v>\">]><a>&e;</a>") << "UTF-8" << int(S::Chosen)
                                 << "<!DOCTYPE a [<!ENTITY e \"v>\">]>\n<a>&e;</a>";
        QTest::newRow("malformed XML") << ok("", "<a><b>x</c></a>") << "UTF-8" << int(S::Chosen)
                                       << "<a>\n  <b>\n    x\n▲ XML の構文エラー（1 行 11 桁目）: Opening and ending tag mismatch. "
                                          "― ここから先は書かれたままです\n</c></a>";
        QTest::newRow("JSON as written") << ok("Content-Type: application/json\r\n",
                                               "{\"b\":1,\"a\":12345678901234567890,\"c\":[1.10,-0e+5,true,null,{},[]],"
                                               "\"d\":{\"e\":\"\\u00e9\\\"}\"}}")
                                         << "UTF-8" << int(S::Chosen)
                                         << "{\n  \"b\": 1,\n  \"a\": 12345678901234567890,\n  \"c\": [\n    1.10,\n"
                                            "    -0e+5,\n    true,\n    null,\n    {},\n    []\n  ],\n  \"d\": {\n"
                                            "    \"e\": \"\\u00e9\\\"}\"\n  }\n}";
        QTest::newRow("malformed JSON") << ok("", "{\"a\": [1, 2,, 3]}") << "UTF-8" << int(S::Chosen)
                                        << "{\n  \"a\": [\n    1,\n    2,\n▲ JSON の構文エラー（1 行 13 桁目）: 値がありません"
                                           " ― ここから先は書かれたままです\n, 3]}";
        QTest::newRow("JSON cut short") << ok("", "[1, {\"k\": tru") << "UTF-8" << int(S::Chosen)
                                        << "[\n  1,\n  {\n    \"k\": \n▲ JSON の構文エラー（1 行 11 桁目）: 値がありません"
                                           " ― ここから先は書かれたままです\ntru";
        QTest::newRow("text stays as it is") << ok("", "a  b\r\n c") << "UTF-8" << int(S::Chosen) << "a  b\n c";
        QTest::newRow("quotes hold > and />, blanks inside an element stay")
            << ok("", "\xEF\xBB\xBF<?xml version='1.0' standalone='yes'?><?app x?><a x=\"1>2\" y='/>'> t  <b/></a>")
            << "UTF-8" << int(S::Chosen)
            << "<?xml version='1.0' standalone='yes'?>\n<?app x?>\n<a x=\"1>2\" y='/>'>\n  t\n  <b/>\n</a>";
        QTest::newRow("text alone keeps its blanks")
            << ok("", "<a xmlns='urn:d'> t </a>") << "UTF-8" << int(S::Chosen) << "<a xmlns='urn:d'> t </a>";
        QTest::newRow("undeclared prefix")
            << ok("", "<a>\r\n<p:b/></a>") << "UTF-8" << int(S::Chosen)
            << "<a>\n▲ XML の構文エラー（2 行 6 桁目）: Namespace prefix 'p' not declared ― "
               "ここから先は書かれたままです\n<p:b/></a>";
        QTest::newRow("JSON strings hold brackets")
            << ok("", " [\"]}{[\\\"\", {\"k\": [{}]}, -1.5E-3] ") << "UTF-8" << int(S::Chosen)
            << "[\n  \"]}{[\\\"\",\n  {\n    \"k\": [\n      {}\n    ]\n  },\n  -1.5E-3\n]";
        QTest::newRow("JSON value then more") << ok("", "{} {}") << "UTF-8" << int(S::Chosen)
                                              << "{}\n▲ JSON の構文エラー（1 行 4 桁目）: 値の後に余分な文字があります"
                                                 " ― ここから先は書かれたままです\n{}";
        QTest::newRow("JSON bad escape") << ok("", "[\"a\\x\"]") << "UTF-8" << int(S::Chosen)
                                         << "[\n▲ JSON の構文エラー（1 行 4 桁目）: 使えないエスケープです"
                                            " ― ここから先は書かれたままです\n\"a\\x\"]";
    }
    void laysOut()
    {
        QFETCH(QByteArray, response);
        QFETCH(QString, encoding);
        QFETCH(int, source);
        QFETCH(QString, text);
        const ReadableBody r = readBody(response, {});
        QCOMPARE(r.text.encoding, encoding);
        QCOMPARE(int(r.text.source), source);
        QCOMPARE(r.formatted.text, text);
        if (r.formatted.failed)
            QVERIFY(r.formatted.text.split(QLatin1Char('\n'))[r.formatted.errorLine].startsWith(QStringLiteral("▲")));
    }

    // The page says which charset it used and why, and which it passed over.
    void namesTheCharset_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("said");
        const QByteArray sjis = "<?xml version='1.0' encoding='Shift_JIS'?><a>\x89\x9E</a>";
        QTest::newRow("Content-Type") << ok("Content-Type: text/xml; charset=Shift_JIS\r\n", sjis)
                                      << "文字コード: Shift_JIS（Content-Type の charset による）";
        QTest::newRow("unknown charset, then the declaration")
            << ok("Content-Type: text/xml; charset=x-nothing\r\n", sjis)
            << "文字コード: Shift_JIS（XML 宣言の encoding による）。Content-Type の charset「x-nothing」は読めないため使っていません";
        QTest::newRow("nothing said") << ok("", "<a/>")
                                      << "文字コード: EUC-JP（応答が文字コードを示していないため、選んだ文字コード）";
    }
    void namesTheCharset()
    {
        QFETCH(QByteArray, response);
        QFETCH(QString, said);
        ReadableSetup setup;
        setup.chosenEncoding = QStringLiteral("EUC-JP");
        const ReadableBody r = readBody(response, setup);
        QCOMPARE(r.about().value(0), said);
        QVERIFY(!r.formatted.text.contains(QChar::ReplacementCharacter));
    }

    void deepNestingIsNoRecursion_data()
    {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        QTest::newRow("XML") << "<a>"
                             << "</a>";
        QTest::newRow("JSON") << "["
                              << "]";
    }
    void deepNestingIsNoRecursion()
    {
        QFETCH(QString, open);
        QFETCH(QString, close);
        const int depth = 10000;
        const QString body = open.repeated(depth) + close.repeated(depth);
        const BodyFormat::Result r = BodyFormat::format(body, QString());
        QVERIFY(!r.failed);
        const QStringList lines = r.text.split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= depth);
        // The indentation stops growing, so the text stays proportional to the body.
        QCOMPARE(lines[depth / 2].indexOf(QRegularExpression(QStringLiteral("\\S"))), 2 * BodyFormat::MaxIndentLevels);
        QVERIFY(r.text.size() < body.size() * 2 * (BodyFormat::MaxIndentLevels + 2));
    }

    void soapFaults_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("summary"); // empty: no fault
        QTest::addColumn<QString>("detail");
        const QByteArray v11 = "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Header><h>"
                               "<Fault/></h></soap:Header><soap:Body><soap:Fault><faultcode>soap:Server</faultcode>"
                               "<faultstring>在庫がありません</faultstring><detail><e:OutOfStock xmlns:e=\"urn:e\">"
                               "<item>42</item></e:OutOfStock><e:Other/></detail></soap:Fault></soap:Body></soap:Envelope>";
        const QByteArray v12 =
            "<env:Envelope xmlns:env=\"http://www.w3.org/2003/05/soap-envelope\"><env:Body><env:Fault>"
            "<env:Code><env:Value>env:Sender</env:Value><env:Subcode><env:Value>m:BadInput</env:Value>"
            "</env:Subcode></env:Code><env:Reason><env:Text xml:lang=\"ja\">入力が不正です</env:Text>"
            "<env:Text xml:lang=\"en\">Bad input</env:Text></env:Reason><env:Detail>"
            "<m:Field xmlns:m=\"urn:m\">zip</m:Field></env:Detail></env:Fault></env:Body></env:Envelope>";
        QTest::newRow("SOAP 1.1, gzip and chunked")
            << chunked("Content-Encoding: gzip\r\n", gzip(v11)) << "SOAP Fault: soap:Server — 在庫がありません"
            << "e:OutOfStock: 42";
        QTest::newRow("SOAP 1.2 with a subcode") << ok("", v12) << "SOAP Fault: env:Sender / m:BadInput — 入力が不正です"
                                                 << "m:Field: zip";
        QTest::newRow("an answer holding a Fault element")
            << ok("", "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body><m:Answer xmlns:m='urn:m'>"
                      "<s:Fault/></m:Answer></s:Body></s:Envelope>")
            << ""
            << "";
        QTest::newRow("cut short after faultstring, entities read")
            << ok("", "<s:Envelope xmlns:s='http://schemas.xmlsoap.org/soap/envelope/'><s:Body><s:Fault>"
                      "<faultcode>s:Client</faultcode><faultstring>a &amp; b</faultstring><detail>")
            << "SOAP Fault: s:Client — a & b"
            << "";
        QTest::newRow("Fault outside the envelope's namespace")
            << ok("", "<Envelope><Body><Fault><faultcode>x</faultcode></Fault></Body></Envelope>") << ""
            << "";
    }
    void soapFaults()
    {
        QFETCH(QByteArray, response);
        QFETCH(QString, summary);
        QFETCH(QString, detail);
        const std::optional<SoapFault> f = soapFaultInResponse(response, QStringLiteral("UTF-8"));
        QCOMPARE(f.has_value(), !summary.isEmpty());
        if (f) {
            QCOMPARE(f->summary(), summary);
            QCOMPARE(f->detail, detail);
            QCOMPARE(readBody(response, {}).fault->describe(), f->describe());
        }
    }
};

QTEST_GUILESS_MAIN(BodyTest)
#include "tst_body.moc"
