#include "gui/DetailsForm.h"

#include "core/ExchangeEngine.h"
#include "core/ExchangeReport.h"
#include "core/FailureNumber.h"
#include "core/HttpFraming.h"
#include "core/LineEndCount.h"
#include "core/PortText.h"
#include "core/TextCodec.h"
#include "core/TlsSetup.h"
#include "core/Translation.h"
#include "gui/ByteFind.h"
#include "gui/FindBar.h"
#include "gui/HexView.h"
#include "gui/ModalHelper.h"
#include "gui/PrettyPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iterator>

namespace {

struct Limit
{
    const char *text;
    qint64 bytes;
};
constexpr Limit Limits[] = {{"16 MiB", qint64(16) << 20},   {"64 MiB", qint64(64) << 20},
                            {"256 MiB", qint64(256) << 20}, {"512 MiB", qint64(512) << 20},
                            {"1 GiB", qint64(1) << 30},     {"4 GiB", qint64(4) << 30}};
constexpr int DefaultLimit = 3;

} // namespace

DetailsForm::DetailsForm(ExchangeEngine *engine) : m_engine(engine)
{
    setObjectName(QStringLiteral("detailsForm"));
    setWindowTitle(tr("詳細 - wireProbeDesk"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/wireprobedesk.png")));
    m_tabs = new QTabWidget(this);
    m_hexView = new HexView;
    m_hexView->setObjectName(QStringLiteral("hexView"));
    m_hexView->follow(engine);
    m_pages[int(Page::Overview)] = overviewPage();
    m_pages[int(Page::Hex)] = m_hexView;
    m_pages[int(Page::Request)] = requestPage();
    m_pages[int(Page::Tls)] = tlsPage();
    m_tabs->addTab(m_pages[int(Page::Overview)], tr("概要"));
    m_tabs->addTab(m_hexView, tr("16進表示"));
    m_findBar = new FindBar(this);
    m_hexFind = new ByteFind(
        m_hexView, [this] { return encoding(); }, [this] { return TextCodec::EncodeOptions{jisSymbols()}; }, true, this);
    connect(engine, &ExchangeEngine::cleared, m_hexFind, &FindTarget::changed);
    connect(engine, &ExchangeEngine::arrived, m_hexFind, &FindTarget::grew);
    connect(this, &DetailsForm::encodingChanged, m_hexFind, &FindTarget::changed);
    m_findBar->serve(this, {m_hexFind});
    m_pretty = new PrettyPage(engine, [this] {
        ReadableSetup setup;
        setup.limit = Limits[qBound(0, m_limitCmb->currentIndex(), int(std::size(Limits)) - 1)].bytes;
        setup.chosenEncoding = encoding();
        setup.headRequest = m_engine->framing().forHead();
        return setup;
    });
    m_pretty->setObjectName(QStringLiteral("prettyPage"));
    m_pages[int(Page::Pretty)] = m_pretty;
    m_tabs->addTab(m_pretty, tr("整形"));
    connect(this, &DetailsForm::encodingChanged, m_pretty, &PrettyPage::invalidate);
    connect(this, &DetailsForm::wrapChanged, m_pretty, &PrettyPage::setWrap);
    m_tabs->addTab(m_pages[int(Page::Request)], tr("要求"));
    m_tabs->addTab(m_pages[int(Page::Tls)], QStringLiteral("TLS"));
    m_pages[int(Page::Proxy)] = proxyPage();
    m_tabs->addTab(m_pages[int(Page::Proxy)], tr("プロキシ"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    resize(680, 460);

    m_progress.setInterval(250);
    connect(&m_progress, &QTimer::timeout, this, &DetailsForm::showProgress);
    connect(engine, &ExchangeEngine::cleared, this, &DetailsForm::exchangeCleared);
    connect(engine, &ExchangeEngine::started, this, &DetailsForm::exchangeStarted);
    connect(engine, &ExchangeEngine::outcomeChanged, this, &DetailsForm::outcomeChanged);
    connect(engine, &ExchangeEngine::failed, this, [this](qint32 number) {
        if (number == FailureNumber::ProxyAuthentication)
            forgetProxyPassword();
    });
    m_askPassword = [](QWidget *owner, const QString &subject) -> std::optional<QByteArray> {
        QInputDialog dlg;
        dlg.setWindowTitle(tr("パスワード"));
        dlg.setLabelText(tr("%1 のパスワード：").arg(subject));
        dlg.setTextEchoMode(QLineEdit::Password);
        ModalHelper::prepare(&dlg, owner);
        if (dlg.exec() != QDialog::Accepted)
            return std::nullopt;
        return dlg.textValue().toUtf8();
    };

    // Ctrl+D opened it; with the focus here it closes it again, as Esc does.
    auto *closeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{m_httpEndChk, m_halfCloseChk, m_contentLengthChk,
                                                                       m_crlfChk, m_tlsChk, m_verifyChk})
        connect(b, &QAbstractButton::toggled, this, &DetailsForm::optionsChanged);
    connect(m_limitCmb, &QComboBox::currentIndexChanged, this, &DetailsForm::optionsChanged);
    connect(m_proxyTypeCmb, &QComboBox::currentIndexChanged, this, &DetailsForm::optionsChanged);
    for (QLineEdit *e : {m_proxyHostTxt, m_proxyPortTxt})
        connect(e, &QLineEdit::textChanged, this, &DetailsForm::optionsChanged);
}

void DetailsForm::setPasswordQuestion(PasswordQuestion question)
{
    m_askPassword = std::move(question);
}

void DetailsForm::keyPressEvent(QKeyEvent *e)
{
    // Reaches here when the focused control has no use for Esc (the find
    // bar closes itself first).
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

QWidget *DetailsForm::overviewPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout;
    m_encodingCmb = new QComboBox(page);
    m_encodingCmb->setObjectName(QStringLiteral("encodingCmb"));
    m_encodingCmb->addItems(TextCodec::names());
    m_encodingCmb->setToolTip(
        tr("通信とファイルの文字コードを選びます。応答は受信したバイト列をこの文字コードで表示します。"));
    connect(m_encodingCmb, &QComboBox::currentTextChanged, this, [this] {
        emit encodingChanged();
        emit optionsChanged();
        showSummary();
    });
    form->addRow(tr("文字コード："), m_encodingCmb);
    m_limitCmb = new QComboBox(page);
    m_limitCmb->setObjectName(QStringLiteral("limitCmb"));
    for (const Limit &l : Limits)
        m_limitCmb->addItem(QString::fromLatin1(l.text));
    m_limitCmb->setCurrentIndex(DefaultLimit);
    m_limitCmb->setToolTip(tr("応答がこの大きさを超えたら受信を打ち切ります。"));
    form->addRow(tr("応答の上限："), m_limitCmb);
    form->addRow(tr("言語："), languageRow(page));
    m_wrapChk = new QCheckBox(tr("右端で折り返す"), page);
    m_wrapChk->setObjectName(QStringLiteral("wrapChk"));
    m_wrapChk->setChecked(true);
    connect(m_wrapChk, &QCheckBox::toggled, this, &DetailsForm::wrapChanged);
    m_httpEndChk = new QCheckBox(tr("HTTP の応答が終わったら完了する"), page);
    m_httpEndChk->setObjectName(QStringLiteral("httpEndChk"));
    m_httpEndChk->setToolTip(
        tr("Content-Length やチャンクの終端で応答の終わりが分かったら、サーバが接続を閉じるのを待たずに完了します。"));

    m_halfCloseChk = new QCheckBox(tr("送信後に送信側を閉じる"), page);
    m_halfCloseChk->setObjectName(QStringLiteral("halfCloseChk"));
    m_halfCloseChk->setToolTip(tr(
        "要求を送信したら接続の送信側を閉じます（ハーフクローズ）。入力の終わりまで読んでから応答するサーバ向けです。TLS では使われません。"));

    m_summary = new QPlainTextEdit(page);
    m_summary->setObjectName(QStringLiteral("summaryTxt"));
    m_summary->setReadOnly(true);
    m_summary->setFrameShape(QFrame::NoFrame);
    m_summary->viewport()->setAutoFillBackground(false);
    m_charsetCmd = new QPushButton(tr("この文字コードで表示"), page);
    m_charsetCmd->setObjectName(QStringLiteral("charsetCmd"));
    m_charsetCmd->hide();
    connect(m_charsetCmd, &QPushButton::clicked, this, [this] { setEncoding(m_suggestedCharset); });

    auto *v = new QVBoxLayout(page);
    v->addLayout(form);
    v->addWidget(m_wrapChk);
    v->addWidget(m_httpEndChk);
    v->addWidget(m_halfCloseChk);
    v->addWidget(m_summary, 1);
    v->addWidget(m_charsetCmd, 0, Qt::AlignLeft);
    auto *keys = new QLabel(
        tr("キー: Ctrl+Enter 送信　Ctrl+O 開く　Ctrl+S 保存　Ctrl+D 詳細ウィンドウ　"
           "Ctrl+Shift+S 要求を保存　Ctrl+H 履歴　Ctrl+F 検索　Esc 中止（送信中）、お知らせや詳細ウィンドウを閉じる"),
        page);
    keys->setObjectName(QStringLiteral("keysLbl"));
    keys->setWordWrap(true);
    v->addWidget(keys);
    return page;
}

QWidget *DetailsForm::languageRow(QWidget *page)
{
    auto *holder = new QWidget(page);
    m_languageCmb = new QComboBox(holder);
    m_languageCmb->setObjectName(QStringLiteral("languageCmb"));
    // Each language by its own name, as a user who cannot read the other looks for it.
    m_languageCmb->addItem(QStringLiteral("日本語"), Translation::code(Translation::Language::Japanese));
    m_languageCmb->addItem(QStringLiteral("English"), Translation::code(Translation::Language::English));
    m_languageCmb->setToolTip(tr("ウィンドウとメッセージの言語を選びます。次回の起動から適用されます。"));
    m_languageNoteLbl = new QLabel(tr("次回の起動から適用されます。"), holder);
    m_languageNoteLbl->setObjectName(QStringLiteral("languageNoteLbl"));
    connect(m_languageCmb, &QComboBox::currentIndexChanged, this, &DetailsForm::showLanguageNote);
    showLanguageNote();
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_languageCmb);
    row->addWidget(m_languageNoteLbl, 1);
    return holder;
}

void DetailsForm::showLanguageNote()
{
    // The texts are put in place at the start: the note says when the choice
    // differs from what this run shows.
    m_languageNoteLbl->setVisible(m_languageCmb->currentData().toString() != Translation::code(Translation::current()));
}

QWidget *DetailsForm::requestPage()
{
    auto *page = new QWidget;
    auto *v = new QVBoxLayout(page);
    m_lineEnds = new QLabel(page);
    m_lineEnds->setObjectName(QStringLiteral("lineEndsLbl"));
    auto *fix = new QPushButton(tr("Content-Length を修正"), page);
    fix->setObjectName(QStringLiteral("contentLengthCmd"));
    fix->setToolTip(tr("Content-Length ヘッダーを本文の送信バイト数に合わせます。"));
    connect(fix, &QPushButton::clicked, this, &DetailsForm::contentLengthRequested);
    m_contentLengthNote = new QLabel(page);
    m_contentLengthNote->setObjectName(QStringLiteral("contentLengthLbl"));
    m_contentLengthChk = new QCheckBox(tr("送信前に Content-Length を自動修正する"), page);
    m_contentLengthChk->setObjectName(QStringLiteral("contentLengthChk"));
    m_crlfChk = new QCheckBox(tr("読み込んだファイルの改行を CR LF に揃える"), page);
    m_crlfChk->setObjectName(QStringLiteral("crlfChk"));
    m_jisSymbolsChk = new QCheckBox(tr("JIS の記号を JIS の符号で送る"), page);
    m_jisSymbolsChk->setObjectName(QStringLiteral("jisSymbolsChk"));
    m_jisSymbolsChk->setChecked(true);
    m_jisSymbolsChk->setToolTip(tr("Shift_JIS、EUC-JP、ISO-2022-JP で、入力メソッドが入れる 〜 ‖ − ¢ £ ¬ "
                                   "(U+301C など) を JIS の符号 (Shift_JIS の 0x8160 など) で送ります。"));
    connect(m_jisSymbolsChk, &QCheckBox::toggled, this, &DetailsForm::jisSymbolsChanged);
    m_jisSymbolsLbl = new QLabel(page);
    m_jisSymbolsLbl->setObjectName(QStringLiteral("jisSymbolsLbl"));
    v->addWidget(new QLabel(tr("送信する改行："), page));
    v->addWidget(m_lineEnds);
    v->addWidget(m_crlfChk);
    v->addSpacing(8);
    v->addWidget(m_jisSymbolsChk);
    v->addWidget(m_jisSymbolsLbl);
    v->addSpacing(8);
    v->addWidget(fix, 0, Qt::AlignLeft);
    v->addWidget(m_contentLengthNote);
    v->addWidget(m_contentLengthChk);
    v->addStretch(1);
    return page;
}

QWidget *DetailsForm::fileRow(QLineEdit *&edit, const char *name, const QString &tip)
{
    auto *holder = new QWidget;
    edit = new QLineEdit(holder);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(tip);
    auto *browse = new QPushButton(tr("参照..."), holder);
    QLineEdit *field = edit;
    connect(browse, &QPushButton::clicked, this, [this, field, tip] {
        QFileDialog dlg(nullptr, tip, field->text());
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        dlg.setFileMode(QFileDialog::ExistingFile);
        ModalHelper::prepare(&dlg, this);
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
            field->setText(dlg.selectedFiles().constFirst());
    });
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit, 1);
    row->addWidget(browse);
    return holder;
}

QWidget *DetailsForm::tlsPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout;
    m_tlsChk = new QCheckBox(tr("TLS を使う"), page);
    m_tlsChk->setObjectName(QStringLiteral("tlsChk"));
    m_verifyChk = new QCheckBox(tr("サーバ証明書を検証する"), page);
    m_verifyChk->setObjectName(QStringLiteral("verifyChk"));
    m_verifyChk->setChecked(true);
    form->addRow(m_tlsChk);
    form->addRow(m_verifyChk);
    form->addRow(tr("CA 証明書："), fileRow(m_caFileTxt, "caFileTxt", tr("追加で信頼する CA 証明書ファイル (PEM)")));
    form->addRow(tr("クライアント証明書："),
                 fileRow(m_clientCertTxt, "clientCertTxt", tr("クライアント証明書ファイル (PEM または PKCS#12)")));
    form->addRow(tr("秘密鍵："), fileRow(m_clientKeyTxt, "clientKeyTxt", tr("クライアント証明書の秘密鍵ファイル (PEM)")));
    m_tlsSession = new QPlainTextEdit(page);
    m_tlsSession->setObjectName(QStringLiteral("tlsSessionTxt"));
    m_tlsSession->setReadOnly(true);
    m_tlsSession->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *v = new QVBoxLayout(page);
    v->addLayout(form);
    v->addWidget(m_tlsSession, 1);
    return page;
}

QWidget *DetailsForm::proxyPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout;
    m_proxyTypeCmb = new QComboBox(page);
    m_proxyTypeCmb->setObjectName(QStringLiteral("proxyTypeCmb"));
    m_proxyTypeCmb->addItem(tr("なし"), ProxySettings::typeName(ProxySettings::Type::None));
    m_proxyTypeCmb->addItem(tr("HTTP (CONNECT)"), ProxySettings::typeName(ProxySettings::Type::Http));
    m_proxyTypeCmb->addItem(tr("SOCKS5"), ProxySettings::typeName(ProxySettings::Type::Socks5));
    m_proxyTypeCmb->setToolTip(
        tr("接続先にプロキシを経由して接続します。要求メッセージはトンネルの中をそのまま送られます。"));
    const auto edit = [page](QLineEdit *&e, const char *name, const QString &tip) {
        e = new QLineEdit(page);
        e->setObjectName(QString::fromLatin1(name));
        e->setToolTip(tip);
        return e;
    };
    form->addRow(tr("種類："), m_proxyTypeCmb);
    form->addRow(tr("ホスト："), edit(m_proxyHostTxt, "proxyHostTxt", tr("プロキシのホスト名または IP アドレス")));
    form->addRow(tr("ポート："), edit(m_proxyPortTxt, "proxyPortTxt", tr("プロキシのポート番号")));
    form->addRow(tr("ユーザー名："),
                 edit(m_proxyUserTxt, "proxyUserTxt",
                      tr("プロキシが認証を求めるときのユーザー名。パスワードは送信のときに尋ねます。")));
    m_proxyRemoteDnsChk = new QCheckBox(tr("接続先の名前をプロキシで解決する (socks5h)"), page);
    m_proxyRemoteDnsChk->setObjectName(QStringLiteral("proxyRemoteDnsChk"));
    m_proxyRemoteDnsChk->setChecked(true);
    m_proxyRemoteDnsChk->setToolTip(
        tr("オフにすると、接続先の名前をこのコンピュータで解決し、アドレスをプロキシに渡します。"));
    form->addRow(m_proxyRemoteDnsChk);
    m_proxyPasswordLbl = new QLabel(page);
    m_proxyPasswordLbl->setObjectName(QStringLiteral("proxyPasswordLbl"));
    m_proxyPasswordLbl->setWordWrap(true);
    m_proxyForgetCmd = new QPushButton(tr("パスワードを忘れる"), page);
    m_proxyForgetCmd->setObjectName(QStringLiteral("proxyForgetCmd"));
    connect(m_proxyForgetCmd, &QPushButton::clicked, this, &DetailsForm::forgetProxyPassword);
    auto *v = new QVBoxLayout(page);
    v->addLayout(form);
    v->addWidget(m_proxyPasswordLbl);
    v->addWidget(m_proxyForgetCmd, 0, Qt::AlignLeft);
    v->addStretch(1);
    connect(m_proxyTypeCmb, &QComboBox::currentIndexChanged, this, &DetailsForm::showProxyChoice);
    for (QLineEdit *e : {m_proxyHostTxt, m_proxyPortTxt, m_proxyUserTxt})
        connect(e, &QLineEdit::textChanged, this, &DetailsForm::showProxyChoice);
    showProxyChoice();
    return page;
}

ProxySettings DetailsForm::proxySettings() const
{
    ProxySettings p;
    p.type = ProxySettings::typeFromName(m_proxyTypeCmb->currentData().toString());
    p.host = m_proxyHostTxt->text().trimmed();
    p.user = m_proxyUserTxt->text();
    p.remoteDns = m_proxyRemoteDnsChk->isChecked();
    return p;
}

void DetailsForm::showProxyChoice()
{
    const ProxySettings p = proxySettings();
    for (QWidget *w : std::initializer_list<QWidget *>{m_proxyHostTxt, m_proxyPortTxt, m_proxyUserTxt})
        w->setEnabled(p.used());
    m_proxyRemoteDnsChk->setEnabled(p.type == ProxySettings::Type::Socks5);
    const QString owner = ProxySettings::typeName(p.type) + QLatin1Char('\n') + p.host + QLatin1Char('\n')
                          + m_proxyPortTxt->text().trimmed() + QLatin1Char('\n') + p.user;
    if (m_proxyPassword && owner != m_proxyPasswordFor)
        forgetProxyPassword();
    m_proxyPasswordFor = owner;
    const bool asked = p.used() && !p.user.isEmpty();
    m_proxyPasswordLbl->setText(!asked ? QString()
                                : m_proxyPassword ? tr("パスワードは終了するまで覚えています（保存はしません）。")
                                                  : tr("パスワードは送信のときに尋ねます（保存はしません）。"));
    m_proxyForgetCmd->setEnabled(m_proxyPassword.has_value());
}

void DetailsForm::keepProxyPassword()
{
    const ProxySettings &used = m_engine->proxy();
    const ProxySettings now = proxySettings();
    if (!used.password || used.type != now.type || used.host != now.host || used.user != now.user
        || QString::number(used.port) != m_proxyPortTxt->text().trimmed())
        return;
    m_proxyPassword = used.password;
    showProxyChoice();
}

void DetailsForm::forgetProxyPassword()
{
    if (m_proxyPassword)
        m_proxyPassword->fill('\0');
    m_proxyPassword.reset();
    showProxyChoice();
}

void DetailsForm::restore(const Settings::Section &settings)
{
    setEncoding(settings.get(Settings::Encoding));
    const QString limit = settings.get(Settings::ResponseLimit);
    int index = DefaultLimit;
    for (int i = 0; i < int(std::size(Limits)); ++i)
        if (limit == QLatin1String(Limits[i].text))
            index = i;
    m_limitCmb->setCurrentIndex(index);
    m_wrapChk->setChecked(settings.get(Settings::Wrap));
    m_httpEndChk->setChecked(settings.get(Settings::HttpEnd));
    m_halfCloseChk->setChecked(settings.get(Settings::HalfClose));
    m_contentLengthChk->setChecked(settings.get(Settings::FixContentLength));
    m_crlfChk->setChecked(settings.get(Settings::CrLfOnLoad));
    m_jisSymbolsChk->setChecked(settings.get(Settings::JisSymbols));
    m_tlsChk->setChecked(settings.get(Settings::Tls));
    m_verifyChk->setChecked(settings.get(Settings::TlsVerify));
    m_caFileTxt->setText(settings.get(Settings::TlsCaFile));
    m_clientCertTxt->setText(settings.get(Settings::TlsCertFile));
    m_clientKeyTxt->setText(settings.get(Settings::TlsKeyFile));
    const int proxyType = m_proxyTypeCmb->findData(
        ProxySettings::typeName(ProxySettings::typeFromName(settings.get(Settings::ProxyType))));
    m_proxyTypeCmb->setCurrentIndex(qMax(0, proxyType));
    m_proxyHostTxt->setText(settings.get(Settings::ProxyHost));
    m_proxyPortTxt->setText(settings.get(Settings::ProxyPort));
    m_proxyUserTxt->setText(settings.get(Settings::ProxyUser));
    m_proxyRemoteDnsChk->setChecked(settings.get(Settings::ProxyRemoteDns));
    const std::optional<Translation::Language> language = Translation::fromCode(settings.get(Settings::Language));
    m_languageCmb->setCurrentIndex(
        m_languageCmb->findData(Translation::code(language.value_or(Translation::Language::Japanese))));
    showLanguageNote();
    const std::optional<int> x = settings.get(Settings::DetailsLeft);
    const std::optional<int> y = settings.get(Settings::DetailsTop);
    if (x && y && qAbs(*x) < 100000 && qAbs(*y) < 100000) {
        move(*x, *y);
        m_placed = true;
    }
}

void DetailsForm::save(Settings::Section &settings) const
{
    settings.put(Settings::Encoding, encoding());
    settings.put(Settings::ResponseLimit, m_limitCmb->currentText());
    settings.put(Settings::Wrap, m_wrapChk->isChecked());
    settings.put(Settings::HttpEnd, m_httpEndChk->isChecked());
    settings.put(Settings::HalfClose, m_halfCloseChk->isChecked());
    settings.put(Settings::FixContentLength, m_contentLengthChk->isChecked());
    settings.put(Settings::CrLfOnLoad, m_crlfChk->isChecked());
    settings.put(Settings::JisSymbols, m_jisSymbolsChk->isChecked());
    settings.put(Settings::Tls, m_tlsChk->isChecked());
    settings.put(Settings::TlsVerify, m_verifyChk->isChecked());
    settings.put(Settings::TlsCaFile, m_caFileTxt->text());
    settings.put(Settings::TlsCertFile, m_clientCertTxt->text());
    settings.put(Settings::TlsKeyFile, m_clientKeyTxt->text());
    settings.put(Settings::ProxyType, m_proxyTypeCmb->currentData().toString());
    settings.put(Settings::ProxyHost, m_proxyHostTxt->text());
    settings.put(Settings::ProxyPort, m_proxyPortTxt->text());
    settings.put(Settings::ProxyUser, m_proxyUserTxt->text());
    settings.put(Settings::ProxyRemoteDns, m_proxyRemoteDnsChk->isChecked());
    settings.put(Settings::Language, m_languageCmb->currentData().toString());
    if (m_placed) {
        settings.put(Settings::DetailsLeft, pos().x());
        settings.put(Settings::DetailsTop, pos().y());
    }
}

void DetailsForm::showPretty(QWidget *owner)
{
    m_tabs->setCurrentWidget(m_pretty);
    showOver(owner);
}

void DetailsForm::showOver(QWidget *owner)
{
    if (!m_placed && owner) {
        // Beside the window where the screen has room, else as far right as it does.
        QRect r(owner->frameGeometry().topRight() + QPoint(8, 0), frameGeometry().size());
        if (const QScreen *screen = owner->screen()) {
            const QRect avail = screen->availableGeometry();
            r.moveRight(qMin(r.right(), avail.right()));
            r.moveLeft(qMax(r.left(), avail.left()));
        }
        move(r.topLeft());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void DetailsForm::showPage(QWidget *owner, Page page)
{
    m_tabs->setCurrentWidget(m_pages[int(page)]);
    showOver(owner);
}

QString DetailsForm::encoding() const
{
    return m_encodingCmb->currentText();
}

void DetailsForm::setEncoding(const QString &name)
{
    m_encodingCmb->setCurrentText(TextCodec::normalized(name));
}

void DetailsForm::setTls(bool on)
{
    m_tlsChk->setChecked(on);
}

bool DetailsForm::crlfOnLoad() const
{
    return m_crlfChk->isChecked();
}

bool DetailsForm::fixContentLengthOnSend() const
{
    return m_contentLengthChk->isChecked();
}

bool DetailsForm::httpEnd() const
{
    return m_httpEndChk->isChecked();
}

void DetailsForm::setHttpEnd(bool on)
{
    m_httpEndChk->setChecked(on);
}

bool DetailsForm::halfClose() const
{
    return m_halfCloseChk->isChecked();
}

bool DetailsForm::tlsEnabled() const
{
    return m_tlsChk->isChecked();
}

bool DetailsForm::tlsVerify() const
{
    return m_verifyChk->isChecked();
}

QString DetailsForm::unusualLimit() const
{
    return m_limitCmb->currentIndex() == DefaultLimit ? QString() : m_limitCmb->currentText();
}

bool DetailsForm::jisSymbols() const
{
    return m_jisSymbolsChk->isChecked();
}

QString DetailsForm::proxyLabel() const
{
    ProxySettings p = proxySettings();
    if (!p.used())
        return QString();
    p.port = m_proxyPortTxt->text().trimmed().toUShort();
    return p.label();
}

void DetailsForm::forgetFilePasswords()
{
    m_filePasswords.clear();
}

void DetailsForm::fillSetup(ExchangeSetup &setup, QWidget *owner) const
{
    setup.responseLimit = Limits[qBound(0, m_limitCmb->currentIndex(), int(std::size(Limits)) - 1)].bytes;
    setup.httpEnd = m_httpEndChk->isChecked();
    setup.halfClose = m_halfCloseChk->isChecked();
    setup.tls.enabled = m_tlsChk->isChecked();
    setup.tls.verify = m_verifyChk->isChecked();
    setup.tls.caFile = m_caFileTxt->text().trimmed();
    setup.tls.certFile = m_clientCertTxt->text().trimmed();
    setup.tls.keyFile = m_clientKeyTxt->text().trimmed();
    // A key's or PKCS#12 file's password is kept for the run once given (a
    // refused one is forgotten: forgetFilePasswords); the proxy's is kept
    // (keepProxyPassword) once the exchange has started with it.
    const QStringList files{setup.tls.certFile, setup.tls.keyFile};
    setup.askPassword = [this, owner, files](const QString &subject) -> std::optional<QByteArray> {
        const bool file = !subject.isEmpty() && files.contains(subject);
        if (const auto kept = m_filePasswords.constFind(subject); file && kept != m_filePasswords.cend())
            return *kept;
        std::optional<QByteArray> answer = m_askPassword(owner, subject);
        if (file && answer)
            m_filePasswords.insert(subject, *answer);
        return answer;
    };
    setup.proxy = proxySettings();
    if (!setup.proxy.used())
        return;
    const QString portText = m_proxyPortTxt->text();
    qint32 port = 0;
    try {
        port = PortText::toInt(portText);
    } catch (const Failure &f) {
        if (f.number == FailureNumber::PortNotNumber)
            throw Failure{f.number, tr("プロキシのポート番号「%1」を数値に変換できません。").arg(portText)};
    }
    if (port < 1 || port > 65535)
        throw Failure{FailureNumber::PortOutOfRange, tr("プロキシのポート番号は1から65535の範囲で指定して下さい。")};
    setup.proxy.port = static_cast<quint16>(port);
    if (!setup.proxy.user.isEmpty())
        setup.proxy.password = m_proxyPassword;
}

void DetailsForm::exchangeCleared()
{
    m_tlsSession->clear();
    showSummary();
}

void DetailsForm::exchangeStarted()
{
    keepProxyPassword();
    showSummary();
    // While it runs the text is refreshed a few times a second, not at each arrival.
    m_progress.start();
}

void DetailsForm::outcomeChanged()
{
    if (m_engine->isRunning())
        return;
    m_progress.stop();
    // An abort reports nothing.
    if (m_engine->outcome() != ExchangeEngine::Outcome::Idle)
        showSummary();
}

void DetailsForm::showProgress()
{
    if (isVisible())
        showSummary();
}

void DetailsForm::showSummary()
{
    const ExchangeEngine &e = *m_engine;
    const HttpFraming &f = e.framing();
    const QStringList lines = ExchangeReport::summary(
        e, tr("HTTP の応答は完了していました。サーバが接続を開いたままにする場合は"
              "「HTTP の応答が終わったら完了する」を選ぶと、時間切れを待たずに完了します。"));
    // Refreshed a few times a second: only when something changed, so a
    // selection the user is making survives.
    const QString text = lines.join(QLatin1Char('\n'));
    if (text != m_summary->toPlainText())
        m_summary->setPlainText(text);

    m_suggestedCharset = f.isHttp() ? TextCodec::known(f.diagnosis().charset) : QString();
    m_charsetCmd->setVisible(!m_suggestedCharset.isEmpty() && m_suggestedCharset != encoding());
    if (e.usedTls() && !e.isRunning())
        m_tlsSession->setPlainText(e.tlsDetails().join(QLatin1Char('\n')));
}

void DetailsForm::showRequest(const QByteArray &wire, int jisReplaced)
{
    m_jisSymbolsLbl->setText(!TextCodec::hasJisSymbols(encoding()) ? tr("（この文字コードには関係しません）")
                             : jisReplaced > 0 ? tr("JIS の符号で送る記号: %1 文字").arg(jisReplaced)
                                               : tr("JIS の符号で送る記号: なし"));
    const LineEndCount c = countLineEnds(wire);
    m_lineEnds->setText(tr("CR LF: %1　LF のみ: %2　CR のみ: %3（%4）")
                            .arg(c.crlf)
                            .arg(c.lf)
                            .arg(c.cr)
                            .arg(ExchangeReport::bytesText(wire.size())));
}

void DetailsForm::showContentLengthNote(const QString &note)
{
    m_contentLengthNote->setText(note);
}
