#pragma once

#include "core/SettingsStore.h"

#include <QString>
#include <limits>
#include <optional>

// Every stored setting, declared once with its key, type and default. To add a
// setting, add one declaration here and read it with Settings::Section::get,
// write it with put (or set). The values' texts are those of SettingsValues.
namespace Settings {

template<typename T>
struct Setting
{
    QString key;
    T defaultValue;
};

// A stored number outside [min, max] reads as the nearest bound.
template<>
struct Setting<int>
{
    QString key;
    int defaultValue;
    int min = std::numeric_limits<int>::min();
    int max = std::numeric_limits<int>::max();
};

// The main window: outer geometry and split position in twips.
inline const Setting<float> MainLeft{"MainLeft", 800};
inline const Setting<float> MainTop{"MainTop", 800};
inline const Setting<float> MainWidth{"MainWidth", 8130};
inline const Setting<float> MainHeight{"MainHeight", 6555};
inline const Setting<int> MainStat{"MainStat", 0, -32768, 32767}; // 2 maximized, 1 minimized
inline const Setting<int> TimeOut{"TimeOut", 10, 1, 60};
inline const Setting<float> MainX{"MainX", 3840};
// The last destinations, newest first: Address1..Address5, Port1..Port5.
constexpr int HistoryLength = 5;
Setting<QString> address(int index); // index from 0
Setting<QString> port(int index);
// The folders the file dialogs start in.
inline const Setting<QString> OpenDir{"openDir", QString()};
inline const Setting<QString> SaveDir{"saveDir", QString()};

// The details window.
inline const Setting<QString> Encoding{"Encoding", "UTF-8"};
inline const Setting<QString> ResponseLimit{"ResponseLimit", "512 MiB"}; // as the limit is named
inline const Setting<bool> Wrap{"Wrap", true};
inline const Setting<bool> HttpEnd{"HttpEnd", false};
inline const Setting<bool> HalfClose{"HalfClose", false};
inline const Setting<bool> FixContentLength{"FixContentLength", false};
inline const Setting<bool> CrLfOnLoad{"CrLfOnLoad", false};
inline const Setting<bool> JisSymbols{"JisSymbols", true};
inline const Setting<bool> Tls{"Tls", false};
inline const Setting<bool> TlsVerify{"TlsVerify", true};
inline const Setting<QString> TlsCaFile{"TlsCaFile", QString()};
inline const Setting<QString> TlsCertFile{"TlsCertFile", QString()};
inline const Setting<QString> TlsKeyFile{"TlsKeyFile", QString()};
// The proxy: "none", "http" or "socks5"; the password is never stored.
inline const Setting<QString> ProxyType{"ProxyType", "none"};
inline const Setting<QString> ProxyHost{"ProxyHost", QString()};
inline const Setting<QString> ProxyPort{"ProxyPort", QString()}; // as typed
inline const Setting<QString> ProxyUser{"ProxyUser", QString()};
inline const Setting<bool> ProxyRemoteDns{"ProxyRemoteDns", true};
// The language of both windows, "ja" or "en", from the next start.
inline const Setting<QString> Language{"Language", "ja"};
// Absent until the window has been placed once.
inline const Setting<std::optional<int>> DetailsLeft{"DetailsLeft", std::nullopt};
inline const Setting<std::optional<int>> DetailsTop{"DetailsTop", std::nullopt};

// The history: recording, its limits, its window and export folder.
inline const Setting<bool> HistoryRecord{"HistoryRecord", true};
inline const Setting<int> HistoryMaxEntries{"HistoryMaxEntries", 1000, 1, 10000000};
inline const Setting<int> HistoryMaxMiB{"HistoryMaxMiB", 1024, 1, 1 << 24};
inline const Setting<int> HistoryEntryCapMiB{"HistoryEntryCapMiB", 64, 1, 4096};
inline const Setting<std::optional<int>> HistoryLeft{"HistoryLeft", std::nullopt};
inline const Setting<std::optional<int>> HistoryTop{"HistoryTop", std::nullopt};
inline const Setting<std::optional<int>> HistoryWidth{"HistoryWidth", std::nullopt};
inline const Setting<std::optional<int>> HistoryHeight{"HistoryHeight", std::nullopt};
inline const Setting<QString> HistoryExportDir{"historyExportDir", QString()};
// The folder 要求を保存 last used.
inline const Setting<QString> RequestSaveDir{"requestSaveDir", QString()};
// The comparison window.
inline const Setting<bool> CompareIgnoreHeaders{"CompareIgnoreHeaders", true};
inline const Setting<QString> CompareIgnoredHeaders{"CompareIgnoredHeaders",
                                                    "Date, Set-Cookie, Expires, Last-Modified, ETag, Age, X-Request-Id"};
inline const Setting<std::optional<int>> CompareLeft{"CompareLeft", std::nullopt};
inline const Setting<std::optional<int>> CompareTop{"CompareTop", std::nullopt};
inline const Setting<std::optional<int>> CompareWidth{"CompareWidth", std::nullopt};
inline const Setting<std::optional<int>> CompareHeight{"CompareHeight", std::nullopt};

// The stored text of a value, and a value from a stored text (a text that does
// not parse gives the setting's default).
QString toText(float v);
QString toText(int v);
QString toText(bool v);
QString toText(const QString &v);
QString toText(const std::optional<int> &v);
float fromText(const QString &text, const Setting<float> &s);
int fromText(const QString &text, const Setting<int> &s);
bool fromText(const QString &text, const Setting<bool> &s);
QString fromText(const QString &text, const Setting<QString> &s);
std::optional<int> fromText(const QString &text, const Setting<std::optional<int>> &s);

// The program's section of a store, typed. Reads go to the store each time;
// writes gather with put until sync, which writes them together.
class Section
{
public:
    // The store must outlive the section.
    explicit Section(SettingsStore *store);

    template<typename T>
    T get(const Setting<T> &s) const
    {
        return fromText(read(s.key, toText(s.defaultValue)), s);
    }
    template<typename T, typename V>
    void put(const Setting<T> &s, const V &value)
    {
        m_pending.append({s.key, toText(T(value))});
    }
    // Writes what was put, with one sync of the store.
    bool sync();
    // One value at once.
    template<typename T, typename V>
    bool set(const Setting<T> &s, const V &value)
    {
        put(s, value);
        return sync();
    }

private:
    QString read(const QString &key, const QString &absent) const;

    SettingsStore *m_store;
    SettingsStore::Values m_pending;
};

} // namespace Settings
