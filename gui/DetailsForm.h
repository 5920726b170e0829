#pragma once

#include "core/ProxySettings.h"
#include "core/Settings.h"

#include <QHash>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class ExchangeEngine;
class FindBar;
class ByteFind;
class HexView;
class PrettyPage;
struct ExchangeSetup;

// The details of the last exchange and the options beyond the main window:
// the encoding, the response limit, TLS, HTTP framing, the request's line ends
// and Content-Length, the bytes as hex. One instance, not modal, and not a
// child of the main window, so that it keeps answering while that is busy.
class DetailsForm : public QWidget
{
    Q_OBJECT
public:
    enum class Page { Overview, Hex, Pretty, Request, Tls, Proxy };

    explicit DetailsForm(ExchangeEngine *engine);

    void restore(const Settings::Section &settings);
    // Puts its keys; the caller syncs.
    void save(Settings::Section &settings) const;
    // Shown beside owner the first time, where it was left after that.
    void showOver(QWidget *owner);
    void showPage(QWidget *owner, Page page);
    // Shown with the 整形 page in front.
    void showPretty(QWidget *owner);

    QString encoding() const;
    void setEncoding(const QString &name);
    void setTls(bool on);
    bool crlfOnLoad() const;
    bool fixContentLengthOnSend() const;
    bool jisSymbols() const;
    bool httpEnd() const;
    void setHttpEnd(bool on);
    bool halfClose() const;
    bool tlsEnabled() const;
    bool tlsVerify() const;
    // The response limit's name when it is not the usual one; empty when it is.
    QString unusualLimit() const;
    // "HTTP 127.0.0.1:3128" when a proxy is chosen; empty when none is.
    QString proxyLabel() const;
    // The limit, TLS, proxy, HTTP and half-close options of the next exchange.
    // Throws Failure for a proxy port that is not one.
    // owner: the window a password question is shown over.
    void fillSetup(ExchangeSetup &setup, QWidget *owner) const;
    // A file password kept for the run was refused: it is asked again.
    void forgetFilePasswords();

    // Asks for a password (of a key file, a PKCS#12 file or the proxy);
    // nullopt when the user cancels. A dialog unless replaced (tests do).
    using PasswordQuestion = std::function<std::optional<QByteArray>(QWidget *owner, const QString &subject)>;
    void setPasswordQuestion(PasswordQuestion question);

    // The request as it will go on the wire; its line ends are counted, and
    // the symbols sent as their JIS codes.
    void showRequest(const QByteArray &wire, int jisReplaced);
    void showContentLengthNote(const QString &note);

signals:
    void encodingChanged();
    // An option that changes the wire or the display was switched.
    void optionsChanged();
    void wrapChanged(bool on);
    void jisSymbolsChanged();
    void contentLengthRequested();

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    QWidget *overviewPage();
    QWidget *languageRow(QWidget *page);
    void showLanguageNote();
    QWidget *requestPage();
    QWidget *tlsPage();
    QWidget *proxyPage();
    ProxySettings proxySettings() const;
    void showProxyChoice();
    // The proxy password is kept for the run while the proxy and user stay
    // the same, and forgotten when the proxy refuses it.
    void keepProxyPassword();
    void forgetProxyPassword();
    QWidget *fileRow(QLineEdit *&edit, const char *name, const QString &tip);
    void exchangeCleared();
    void exchangeStarted();
    void outcomeChanged();
    void showProgress();
    void showSummary();

    ExchangeEngine *m_engine;
    QTabWidget *m_tabs = nullptr;
    QComboBox *m_encodingCmb = nullptr;
    QComboBox *m_limitCmb = nullptr;
    QCheckBox *m_wrapChk = nullptr;
    QCheckBox *m_httpEndChk = nullptr;
    QCheckBox *m_halfCloseChk = nullptr;
    QComboBox *m_languageCmb = nullptr;
    QLabel *m_languageNoteLbl = nullptr;
    QPlainTextEdit *m_summary = nullptr;
    QPushButton *m_charsetCmd = nullptr;
    QString m_suggestedCharset;
    HexView *m_hexView = nullptr;
    PrettyPage *m_pretty = nullptr;
    FindBar *m_findBar = nullptr;
    ByteFind *m_hexFind = nullptr;
    QLabel *m_lineEnds = nullptr;
    QLabel *m_contentLengthNote = nullptr;
    QCheckBox *m_contentLengthChk = nullptr;
    QCheckBox *m_crlfChk = nullptr;
    QCheckBox *m_jisSymbolsChk = nullptr;
    QLabel *m_jisSymbolsLbl = nullptr;
    QCheckBox *m_tlsChk = nullptr;
    QCheckBox *m_verifyChk = nullptr;
    QLineEdit *m_caFileTxt = nullptr;
    QLineEdit *m_clientCertTxt = nullptr;
    QLineEdit *m_clientKeyTxt = nullptr;
    QPlainTextEdit *m_tlsSession = nullptr;
    QWidget *m_pages[6] = {};
    QComboBox *m_proxyTypeCmb = nullptr;
    QLineEdit *m_proxyHostTxt = nullptr;
    QLineEdit *m_proxyPortTxt = nullptr;
    QLineEdit *m_proxyUserTxt = nullptr;
    QCheckBox *m_proxyRemoteDnsChk = nullptr;
    QLabel *m_proxyPasswordLbl = nullptr;
    QPushButton *m_proxyForgetCmd = nullptr;
    std::optional<QByteArray> m_proxyPassword;
    QString m_proxyPasswordFor; // the proxy and user it belongs to
    PasswordQuestion m_askPassword;
    mutable QHash<QString, QByteArray> m_filePasswords; // for the run only, never stored
    QTimer m_progress;
    bool m_placed = false;
};
