// Every failure number the programs report is explained in the README's table.
#include "core/FailureNumber.h"

#include <QFile>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <iterator>

namespace {
// The numbers in the first column of the table under "## Failure numbers":
// "199, 208–222" gives 199 and 208 to 222.
QSet<qint32> readmeNumbers()
{
    QFile f(QStringLiteral(WPD_README));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", WPD_README);
    const QString text = QString::fromUtf8(f.readAll());
    const qsizetype from = text.indexOf(QStringLiteral("\n## Failure numbers"));
    const qsizetype to = text.indexOf(QStringLiteral("\n## "), from + 1);
    QSet<qint32> numbers;
    if (from < 0)
        return numbers;
    const QRegularExpression item(QStringLiteral("^(\\d+)(?:\\s*[–-]\\s*(\\d+))?$"));
    for (const QString &line : text.mid(from, to < 0 ? -1 : to - from).split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1Char('|')))
            continue;
        for (const QString &part : line.section(QLatin1Char('|'), 1, 1).split(QLatin1Char(','))) {
            const QRegularExpressionMatch m = item.match(part.trimmed());
            if (!m.hasMatch())
                continue;
            const qint32 first = m.captured(1).toInt();
            const qint32 last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
            for (qint32 n = first; n <= last; ++n)
                numbers.insert(n);
        }
    }
    return numbers;
}
} // namespace

class FailuresTest : public QObject
{
    Q_OBJECT
private slots:
    void readmeListsEveryNumber_data()
    {
        QTest::addColumn<int>("number");
        const QMetaEnum e = QMetaEnum::fromType<FailureNumber::Number>();
        for (int i = 0; i < e.keyCount(); ++i) {
            const auto n = static_cast<FailureNumber::Number>(e.value(i));
            if (std::find(std::begin(FailureNumber::NotYetReported), std::end(FailureNumber::NotYetReported), n)
                == std::end(FailureNumber::NotYetReported))
                QTest::newRow(e.key(i)) << e.value(i);
        }
    }
    void readmeListsEveryNumber()
    {
        QFETCH(int, number);
        static const QSet<qint32> listed = readmeNumbers();
        QVERIFY2(listed.contains(number), qPrintable(QString::number(number)));
    }
};

QTEST_MAIN(FailuresTest)
#include "tst_failures.moc"
