#include "gui/PrettyPage.h"

#include "core/ExchangeEngine.h"
#include "gui/BodyHighlighter.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QThreadPool>
#include <QVBoxLayout>

namespace {
constexpr qint64 TargetMs = 30;
constexpr qsizetype MinSlice = 8 * 1024;
constexpr qsizetype MaxSlice = 1024 * 1024;
} // namespace

// One reading of the response; a newer one makes it stale.
struct PrettyPage::Job
{
    QByteArray response; // shares the kept bytes, which no longer change
    ReadableSetup setup;
    std::atomic_bool cancel{false};
    ReadableBody result;
};

PrettyPage::PrettyPage(const ExchangeEngine *engine, Setup setup, QWidget *parent)
    : QWidget(parent), m_engine(engine), m_setup(std::move(setup))
{
    m_about = new QLabel(this);
    m_about->setObjectName(QStringLiteral("prettyInfoLbl"));
    m_about->setWordWrap(true);
    m_about->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_fault = new QLabel(this);
    m_fault->setObjectName(QStringLiteral("faultLbl"));
    m_fault->setWordWrap(true);
    m_fault->setTextFormat(Qt::PlainText);
    m_fault->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_fault->setStyleSheet(QStringLiteral("QLabel { background: #fde8e8; color: #8a0018; border: 1px solid #e0a0a8;"
                                          " padding: 4px; font-weight: bold; }"));
    m_fault->hide();
    m_view = new QPlainTextEdit(this);
    m_view->setObjectName(QStringLiteral("prettyView"));
    m_view->setReadOnly(true);
    m_view->setUndoRedoEnabled(false);
    m_view->setWordWrapMode(QTextOption::WrapAnywhere);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_highlighter = new BodyHighlighter(m_view->document());
    m_copy = new QPushButton(tr("整形した本文をコピー"), this);
    m_copy->setObjectName(QStringLiteral("prettyCopyCmd"));
    m_copy->setEnabled(false);
    connect(m_copy, &QPushButton::clicked, this, &PrettyPage::copyText);

    auto *v = new QVBoxLayout(this);
    v->addWidget(m_about);
    v->addWidget(m_fault);
    v->addWidget(m_view, 1);
    v->addWidget(m_copy, 0, Qt::AlignLeft);

    m_fill.setSingleShot(true);
    connect(&m_fill, &QTimer::timeout, this, &PrettyPage::fill);
    connect(engine, &ExchangeEngine::cleared, this, &PrettyPage::invalidate);
    connect(engine, &ExchangeEngine::outcomeChanged, this, &PrettyPage::invalidate);
}

PrettyPage::~PrettyPage()
{
    if (m_job)
        m_job->cancel = true;
}

void PrettyPage::setWrap(bool on)
{
    m_view->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void PrettyPage::invalidate()
{
    m_stale = true;
    if (m_job) {
        m_job->cancel = true;
        m_job.reset();
    }
    if (isVisible())
        refresh();
}

void PrettyPage::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (m_stale)
        refresh();
}

void PrettyPage::refresh()
{
    m_fill.stop();
    m_text.clear();
    m_shown = 0;
    m_lines = 0;
    m_view->clear();
    m_fault->hide();
    m_copy->setEnabled(false);
    if (m_engine->isRunning()) {
        // Sharing the bytes while they grow would copy them at the next arrival.
        m_about->setText(tr("受信中です。受信が終わると整形します。"));
        return;
    }
    m_stale = false;
    if (m_engine->response().isEmpty()) {
        m_about->setText(tr("応答がありません。"));
        return;
    }
    m_about->setText(tr("整形しています…"));
    auto job = std::make_shared<Job>();
    job->response = m_engine->response();
    job->setup = m_setup();
    m_job = job;
    QPointer<PrettyPage> page(this);
    QThreadPool::globalInstance()->start([job, page] {
        job->result = readBody(job->response, job->setup, &job->cancel);
        job->response = QByteArray();
        if (job->cancel)
            return;
        QMetaObject::invokeMethod(qApp, [job, page] {
            if (page)
                page->present(job);
        });
    });
}

void PrettyPage::present(const std::shared_ptr<Job> &job)
{
    if (job != m_job)
        return;
    const ReadableBody &r = job->result;
    m_about->setText(r.about().join(QLatin1Char('\n')));
    if (r.fault) {
        m_fault->setText(r.fault->describe());
        m_fault->show();
    }
    m_highlighter->setKind(r.formatted.kind, r.formatted.errorLine);
    m_text = r.formatted.text;
    m_job.reset();
    m_copy->setEnabled(!m_text.isEmpty());
    fill();
}

// Lays the text out a slice at a time, whole lines each, sized so that a slice
// with its colouring takes about TargetMs.
void PrettyPage::fill()
{
    QElapsedTimer t;
    t.start();
    qsizetype end = qMin(m_text.size(), m_shown + m_slice);
    if (end < m_text.size()) {
        const qsizetype lf = m_text.lastIndexOf(QLatin1Char('\n'), end);
        if (lf > m_shown)
            end = lf + 1;
    }
    // Lines go into blocks of LinesPerBlock, joined by line separators: the
    // document's cost is per block, and the separators read back as LF.
    QString slice = QStringView(m_text).sliced(m_shown, end - m_shown).toString();
    for (QChar &ch : slice) {
        if (ch == QLatin1Char('\n') && ++m_lines % BodyHighlighter::LinesPerBlock != 0)
            ch = QChar::LineSeparator;
    }
    QTextCursor c(m_view->document());
    c.movePosition(QTextCursor::End);
    c.insertText(slice);
    if (m_shown == 0)
        m_view->moveCursor(QTextCursor::Start);
    m_shown = end;
    const qint64 ms = qMax<qint64>(1, t.elapsed());
    m_slice = qBound(MinSlice, qsizetype(m_slice * TargetMs / ms), MaxSlice);
    if (m_shown < m_text.size())
        m_fill.start(0);
    else
        emit shown();
}

void PrettyPage::copyText()
{
    QGuiApplication::clipboard()->setText(m_text);
}
