// The history: recording each exchange as it ends, the history window, and
// what it asks of this window (open, re-send, export).
#include "gui/wireProbeDeskForm.h"

#include "core/ExchangeEngine.h"
#include "core/HistoryService.h"
#include "core/ResponseFile.h"
#include "core/TextCodec.h"
#include "gui/CommonDialog.h"
#include "gui/CompareForm.h"
#include "gui/DetailsForm.h"
#include "gui/HistoryForm.h"
#include "gui/MessageBox.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

void wireProbeDeskForm::composeHistory(const QString &historyPath)
{
    m_historyService = std::make_unique<HistoryService>(historyPath.isEmpty() ? HistoryStore::defaultPath()
                                                                              : historyPath);
    m_history = std::make_unique<HistoryForm>(m_historyService.get(), m_box);
    connect(m_history.get(), &HistoryForm::openRequested, this, &wireProbeDeskForm::openFromHistory);
    connect(m_history.get(), &HistoryForm::resendRequested, this, &wireProbeDeskForm::resendFromHistory);
    connect(m_history.get(), &HistoryForm::exportRequested, this, &wireProbeDeskForm::exportFromHistory);
    connect(m_history.get(), &HistoryForm::compareRequested, this, &wireProbeDeskForm::compareFromHistory);
    m_compare = std::make_unique<CompareForm>();
    connect(m_engine, &ExchangeEngine::outcomeChanged, m_history.get(),
            [this](ExchangeEngine::Outcome o) { m_history->setExchangeRunning(o == ExchangeEngine::Outcome::Running); });
}

void wireProbeDeskForm::restoreHistorySettings()
{
    m_history->restore(m_settings);
    m_compare->restore(m_settings);
    m_historyService->setLimits(HistoryStore::limitsFrom(m_settings));
}

void wireProbeDeskForm::saveHistorySettings()
{
    m_history->save(m_settings);
    m_compare->save(m_settings);
}

void wireProbeDeskForm::showHistory()
{
    m_history->showOver(this);
}

void wireProbeDeskForm::recordExchange(HistoryEntry::Outcome outcome, qint32 number, const QString &description)
{
    if (!m_recordPending)
        return;
    m_recordPending = false;
    if (!m_history->recording())
        return;
    // The bytes are shared with the engine, not copied: the store's thread
    // does the rest while this window goes on.
    m_historyService->record(
        ExchangeHistory::entryFor(*m_engine, m_sentPort, m_sentEncoding, outcome, number, description));
}

void wireProbeDeskForm::openFromHistory(const HistoryEntry &entry)
{
    if (m_engine->isRunning())
        return;
    m_addressCmb->setEditText(entry.host);
    m_portCmb->setEditText(entry.port);
    m_details->setEncoding(entry.encoding);
    m_details->setTls(entry.tls);
    const QString encoding = this->encoding();
    const QString request = TextCodec::decode(entry.request, encoding);
    m_requestTxt->setRawText(request);
    // The pane and the details follow the engine.
    m_engine->adoptResponse(entry.request, entry.response);

    QString status =
        tr("%1 の履歴（%2）の要求と応答を表示しています。")
            .arg(QDateTime::fromMSecsSinceEpoch(entry.startedMs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                 entry.destination());
    if (entry.cut)
        //: Follows the sentence before at once: the translation starts with its own separator.
        status += tr("応答は保存の上限で切れています。");
    bool sameBytes = false;
    try {
        sameBytes = TextCodec::encode(request, encoding) == entry.request;
    } catch (const Failure &) {}
    if (!sameBytes)
        //: Follows the sentence before at once: the translation starts with its own separator.
        status += tr("要求にはこの文字コードで表せないバイトがあり、送信すると記録と違うバイト列になります。");
    setStatus(status);
}

void wireProbeDeskForm::resendFromHistory(const HistoryEntry &entry)
{
    if (m_engine->isRunning())
        return;
    openFromHistory(entry);
    sendRequest();
}

void wireProbeDeskForm::compareFromHistory(const HistoryEntry &left, const std::optional<HistoryEntry> &right)
{
    const auto side = [](const HistoryEntry &e) {
        return CompareForm::Side{
            QDateTime::fromMSecsSinceEpoch(e.startedMs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss "))
                + e.destination() + QLatin1Char(' ') + e.label,
            e.response, e.encoding};
    };
    // One entry: against the response in this window, as it arrived.
    m_compare->compare(side(left), right ? side(*right)
                                         : CompareForm::Side{tr("応答メッセージ"), m_engine->response(), encoding()});
}

void wireProbeDeskForm::exportFromHistory(const HistoryEntry &entry)
{
    CommonDialog &dlg = *m_dialog;
    dlg.dialogTitle = tr("要求を書き出すファイル（応答は同じフォルダに request を response にした名前で）");
    dlg.flags = CommonDialog::OverwritePrompt;
    dlg.filter = tr("すべてのﾌｧｲﾙ (*.*)") + QStringLiteral("|*.*");
    dlg.defaultExt.clear();
    dlg.fileName = QStringLiteral("%1-request.txt").arg(entry.id);
    dlg.initDir = dialogFolder(Settings::HistoryExportDir);
    if (!dlg.showSave(m_history.get()))
        return;
    rememberFolder(Settings::HistoryExportDir, dlg.fileName);
    const QString requestPath = dlg.fileName;
    const QFileInfo info(requestPath);
    QString name = info.fileName();
    const qsizetype at = name.lastIndexOf(QLatin1String("request"));
    if (at >= 0)
        name.replace(at, 7, QStringLiteral("response"));
    else
        name = info.completeBaseName() + QStringLiteral("-response")
               + (info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix());
    const QString responsePath = info.dir().filePath(name);
    const auto keepAnswering = [] { QApplication::processEvents(); };
    for (const auto &[path, bytes] : {std::pair{requestPath, entry.request}, std::pair{responsePath, entry.response}}) {
        try {
            ResponseFile::save(path, bytes, keepAnswering);
        } catch (const Failure &f) {
            m_box->showError(m_history.get(), QString::number(f.number) + QStringLiteral(" : ") + f.description
                                                  + QLatin1Char('\n') + path);
            return;
        }
    }
}
