#include "gui/CompareForm.h"

#include "gui/CompareView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QThread>
#include <QVBoxLayout>

#include <sys/resource.h>
#include <unistd.h>

CompareForm::CompareForm()
{
    setObjectName(QStringLiteral("compareForm"));
    setWindowTitle(tr("応答の比較 - wireProbeDesk"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/wireprobedesk.png")));

    m_leftTitle = new QLabel(this);
    m_leftTitle->setObjectName(QStringLiteral("compareLeftLbl"));
    m_rightTitle = new QLabel(this);
    m_rightTitle->setObjectName(QStringLiteral("compareRightLbl"));
    for (QLabel *l : {m_leftTitle, m_rightTitle}) {
        l->setTextFormat(Qt::PlainText);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    m_ignoreChk = new QCheckBox(tr("毎回変わるヘッダー行を無視する："), this);
    m_ignoreChk->setObjectName(QStringLiteral("compareIgnoreChk"));
    m_ignoreChk->setChecked(true);
    m_ignoreTxt = new QLineEdit(Settings::CompareIgnoredHeaders.defaultValue, this);
    m_ignoreTxt->setObjectName(QStringLiteral("compareIgnoreTxt"));
    m_ignoreTxt->setToolTip(tr("値が違っても差分に数えないヘッダーの名前（コンマ区切り）。"));
    m_prevCmd = new QPushButton(tr("前の差分"), this);
    m_prevCmd->setObjectName(QStringLiteral("comparePrevCmd"));
    m_prevCmd->setToolTip(QStringLiteral("Shift+F7"));
    m_nextCmd = new QPushButton(tr("次の差分"), this);
    m_nextCmd->setObjectName(QStringLiteral("compareNextCmd"));
    m_nextCmd->setToolTip(QStringLiteral("F7"));
    m_countLbl = new QLabel(this);
    m_countLbl->setObjectName(QStringLiteral("compareCountLbl"));
    m_noteLbl = new QLabel(this);
    m_noteLbl->setObjectName(QStringLiteral("compareNoteLbl"));
    m_noteLbl->setWordWrap(true);
    m_view = new CompareView(this);
    m_view->setObjectName(QStringLiteral("compareView"));

    auto *titles = new QHBoxLayout;
    titles->addWidget(m_leftTitle, 1);
    titles->addWidget(m_rightTitle, 1);
    auto *options = new QHBoxLayout;
    options->addWidget(m_ignoreChk);
    options->addWidget(m_ignoreTxt, 1);
    options->addWidget(m_countLbl);
    options->addWidget(m_prevCmd);
    options->addWidget(m_nextCmd);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(titles);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_noteLbl);
    resize(1000, 640);

    connect(m_nextCmd, &QPushButton::clicked, this, &CompareForm::nextDifference);
    connect(m_prevCmd, &QPushButton::clicked, this, &CompareForm::previousDifference);
    connect(new QShortcut(QKeySequence(Qt::Key_F7), this), &QShortcut::activated, this, &CompareForm::nextDifference);
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7), this), &QShortcut::activated, this,
            &CompareForm::previousDifference);
    connect(m_ignoreChk, &QCheckBox::toggled, this, &CompareForm::compareAgain);
    connect(m_ignoreTxt, &QLineEdit::editingFinished, this, &CompareForm::compareAgain);
}

CompareForm::~CompareForm()
{
    stopWorker();
}

void CompareForm::restore(const Settings::Section &settings)
{
    m_ignoreChk->setChecked(settings.get(Settings::CompareIgnoreHeaders));
    m_ignoreTxt->setText(settings.get(Settings::CompareIgnoredHeaders));
    const std::optional<int> left = settings.get(Settings::CompareLeft), top = settings.get(Settings::CompareTop),
                             width = settings.get(Settings::CompareWidth),
                             height = settings.get(Settings::CompareHeight);
    if (!left || !top || !width || !height)
        return;
    const int x = *left, y = *top, w = *width, h = *height;
    if (qAbs(x) >= 100000 || qAbs(y) >= 100000 || w >= 100000 || h >= 100000)
        return;
    QSize size(qMax(400, w), qMax(300, h));
    if (const QScreen *s = screen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);
    move(x, y);
    m_placed = true;
}

void CompareForm::save(Settings::Section &settings) const
{
    settings.put(Settings::CompareIgnoreHeaders, m_ignoreChk->isChecked());
    settings.put(Settings::CompareIgnoredHeaders, m_ignoreTxt->text());
    if (!m_placed)
        return;
    settings.put(Settings::CompareLeft, pos().x());
    settings.put(Settings::CompareTop, pos().y());
    settings.put(Settings::CompareWidth, width());
    settings.put(Settings::CompareHeight, height());
}

int CompareForm::differenceCount() const
{
    return m_result ? int(m_result->differences.size()) : 0;
}

void CompareForm::compare(const Side &left, const Side &right)
{
    m_left = left;
    m_right = right;
    m_leftTitle->setText(left.title + QStringLiteral("  (") + left.encoding + QLatin1Char(')'));
    m_rightTitle->setText(right.title + QStringLiteral("  (") + right.encoding + QLatin1Char(')'));
    compareAgain();
    if (!m_placed)
        m_placed = true;
    QWidget::show();
    raise();
    activateWindow();
}

void CompareForm::stopWorker()
{
    if (!m_worker)
        return;
    m_cancel->store(true);
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
}

void CompareForm::compareAgain()
{
    stopWorker();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_countLbl->setText(tr("比較しています…"));
    m_noteLbl->clear();
    ResponseDiff::Options options;
    if (m_ignoreChk->isChecked())
        options.ignoredHeaders = m_ignoreTxt->text().split(QLatin1Char(','), Qt::SkipEmptyParts);
    // Implicitly shared: the thread reads the same bytes, nothing is copied.
    const Side left = m_left, right = m_right;
    const std::shared_ptr<std::atomic<bool>> cancel = m_cancel;
    m_worker = QThread::create([this, left, right, options, cancel]() mutable {
        ::setpriority(PRIO_PROCESS, ::gettid(), 10); // the window's thread first
        options.cancel = cancel.get();
        auto result = std::make_shared<const ResponseDiff::Result>(
            ResponseDiff::compare(left.bytes, left.encoding, right.bytes, right.encoding, options));
        QMetaObject::invokeMethod(
            this,
            [this, result, cancel] {
                if (cancel != m_cancel)
                    return; // a later comparison replaced this one
                show(result);
            },
            Qt::QueuedConnection);
    });
    m_worker->setObjectName(QStringLiteral("Compare"));
    m_worker->start();
}

void CompareForm::show(std::shared_ptr<const ResponseDiff::Result> result)
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    m_result = std::move(result);
    m_view->setResult(m_result);
    m_currentDifference = -1;
    const int n = differenceCount();
    m_countLbl->setText(n == 0 ? tr("差分はありません") : tr("差分 %1 か所").arg(n));
    QStringList notes;
    if (m_result->left.cut || m_result->right.cut)
        notes << tr("応答が大きいため、先頭の %1 MiB ずつだけを比べています。").arg(ResponseDiff::Options().maxBytes >> 20);
    if (m_result->alignmentCut)
        notes << tr("差分が多いため、途中から先は行の対応を取らずに並べています。");
    m_noteLbl->setText(notes.join(QLatin1Char(' ')));
    m_prevCmd->setEnabled(n > 0);
    m_nextCmd->setEnabled(n > 0);
    if (n > 0)
        nextDifference();
    emit compared();
}

void CompareForm::nextDifference()
{
    const int n = differenceCount();
    if (n == 0)
        return;
    m_currentDifference = (m_currentDifference + 1) % n;
    m_view->showRow(m_result->differences[m_currentDifference]);
    m_countLbl->setText(tr("差分 %1 / %2 か所").arg(m_currentDifference + 1).arg(n));
}

void CompareForm::previousDifference()
{
    const int n = differenceCount();
    if (n == 0)
        return;
    m_currentDifference = m_currentDifference <= 0 ? n - 1 : m_currentDifference - 1;
    m_view->showRow(m_result->differences[m_currentDifference]);
    m_countLbl->setText(tr("差分 %1 / %2 か所").arg(m_currentDifference + 1).arg(n));
}
