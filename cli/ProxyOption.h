#pragma once

#include "core/ProxySettings.h"

#include <QString>
#include <optional>

// The proxy of a command line, read as curl reads it: --proxy, else the
// environment's all_proxy / ALL_PROXY; a host on the no-proxy list goes direct.
namespace ProxyOption {

// "http://[user[:password]@]host[:port]", "socks5://…" (the name resolved
// here), "socks5h://…" (resolved by the proxy). No scheme means http:// and
// no port 1080. The user and password may be percent-encoded. Throws UsageError.
ProxySettings parse(const QString &text);

// list: "*" for every host, or names and addresses separated by commas (or
// blanks). A name matches itself and every name under it ("example.com" and
// ".example.com" both match "a.example.com"); an address matches itself.
bool bypassed(const QString &host, const QString &list);

// proxy: --proxy's value if given (empty: no proxy), noProxy: --noproxy's.
// Without them the environment decides: all_proxy, ALL_PROXY, no_proxy,
// NO_PROXY, the lower-case name first. Throws UsageError.
ProxySettings choose(const std::optional<QString> &proxy, const std::optional<QString> &noProxy, const QString &host);

} // namespace ProxyOption
