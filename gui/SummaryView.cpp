// The summary line at the right end of the status bar: what the exchange came
// to, and the options that change the wire or the display.
#include "gui/wireProbeDeskForm.h"

#include "core/ExchangeEngine.h"
#include "core/FramingVerdict.h"
#include "core/HttpFraming.h"
#include "gui/ElidedLabel.h"
#include "gui/SummaryLine.h"

#include <QLocale>
#include <QPushButton>

namespace {

QString sizeText(qint64 n)
{
    if (n < (qint64(1) << 20))
        return QCoreApplication::translate("wireProbeDeskForm", "%1 バイト").arg(QLocale::c().toString(n));
    return QLocale::c().formattedDataSize(n, 1, QLocale::DataSizeIecFormat);
}

QString timeText(double ms)
{
    if (ms < 10000)
        return QStringLiteral("%1 ms").arg(qRound64(ms));
    return QCoreApplication::translate("wireProbeDeskForm", "%1 秒").arg(ms / 1000, 0, 'f', 1);
}

} // namespace

void wireProbeDeskForm::showSummary()
{
    using Part = SummaryLine::Part;
    using Page = DetailsForm::Page;
    const ExchangeEngine &e = *m_engine;
    QList<Part> parts;
    const qint64 size = e.response().size();
    if (e.isRunning()) {
        // Under a few milliseconds the rate means nothing.
        const double elapsed = e.elapsedMs();
        QString text = tr("受信 %1").arg(sizeText(size));
        if (size > 0 && elapsed >= 100)
            //: Follows the byte count at once: the translation starts with its own separator.
            text += tr("（%1/秒）")
                        .arg(QLocale::c().formattedDataSize(qint64(size * 1000.0 / elapsed), 1,
                                                            QLocale::DataSizeIecFormat));
        parts << Part{text, false, Page::Overview};
    } else if (e.timings().end >= 0) {
        const HttpFraming &f = e.framing();
        if (f.isHttp() && !f.diagnosis().statusLine.isEmpty())
            parts << Part{f.diagnosis().statusLine, false, Page::Overview};
        const FramingVerdict v = FramingVerdict::of(f);
        if (v.kind != FramingVerdict::Kind::None)
            parts << Part{v.text(), v.isWarning(), Page::Overview};
        parts << Part{sizeText(size), false, Page::Hex} << Part{timeText(e.timings().end), false, Page::Overview};
    }
    m_summaryLbl->setExchange(parts);
    layOutStatusRow();
}

void wireProbeDeskForm::showOptionsSummary()
{
    using Part = SummaryLine::Part;
    using Page = DetailsForm::Page;
    const DetailsForm &d = *m_details;
    QList<Part> parts;
    if (d.tlsEnabled()) {
        parts << Part{QStringLiteral("TLS"), false, Page::Tls};
        if (!d.tlsVerify())
            parts << Part{tr("証明書を検証しない"), true, Page::Tls};
    }
    if (const QString proxy = d.proxyLabel(); !proxy.isEmpty())
        parts << Part{tr("プロキシ %1").arg(proxy), false, Page::Proxy};
    if (d.encoding() != QLatin1String("UTF-8"))
        parts << Part{d.encoding(), false, Page::Overview};
    if (d.httpEnd())
        parts << Part{tr("HTTP の終わりで完了"), false, Page::Overview};
    if (d.halfClose())
        parts << Part{tr("送信後に送信側を閉じる"), false, Page::Overview};
    if (d.fixContentLengthOnSend())
        parts << Part{tr("Content-Length 自動修正"), false, Page::Request};
    if (d.crlfOnLoad())
        parts << Part{tr("読み込み時 CR LF"), false, Page::Request};
    if (!d.unusualLimit().isEmpty())
        parts << Part{tr("上限 %1").arg(d.unusualLimit()), false, Page::Overview};
    m_summaryLbl->setOptions(parts);
    layOutStatusRow();
}

void wireProbeDeskForm::layOutStatusRow()
{
    // The status text comes first: the summary gets what is left beside it,
    // but never less than a quarter of the row; what is cut is in the tooltips.
    const QRect inner = m_statusBar->contentsRect();
    // While the response pane is edited, 元に戻す sits just before the summary.
    const int revert = m_revertResponseCmd->isVisibleTo(this) ? m_revertResponseCmd->sizeHint().width() : 0;
    const int avail = inner.width() - revert;
    const int want = m_summaryLbl->fullWidth();
    const int status = m_statusBar->fullWidth();
    constexpr int Gap = 4;
    int width = want;
    if (status + Gap + want > avail)
        width = qMin(want, qMax(avail - status - Gap, avail / 4));
    m_summaryLbl->setGeometry(inner.right() + 1 - width, inner.top(), width, inner.height());
    m_summaryLbl->setVisible(width > 0);
    if (revert > 0) {
        const QPoint at = m_statusBar->mapTo(this, QPoint(inner.right() + 1 - width - revert, inner.top()));
        m_revertResponseCmd->setGeometry(at.x(), at.y(), revert, inner.height());
        m_revertResponseCmd->raise();
    }
    m_statusBar->setReservedRight(width + revert > 0 ? width + revert + Gap : 0);
}

void wireProbeDeskForm::openDetailsAt(DetailsForm::Page page)
{
    if (isBusy())
        return; // Stop alone takes input while a command runs
    m_details->showPage(this, page);
    countRequest();
}
