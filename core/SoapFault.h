#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// A SOAP 1.1 or 1.2 Fault in a response body: what it says at a glance.
struct SoapFault
{
    int version = 11; // 11 or 12
    QString code;     // faultcode, or Code/Value with its Subcode values after " / "
    QString reason;   // faultstring, or the first Reason/Text
    QString detail;   // the detail's first element: its name, and its text when it has some

    // "faultcode: … / faultstring: … / detail: …", in the version's own words.
    QString describe() const;
    // "SOAP Fault: code — reason", for a line that has room for one.
    QString summary() const;
};

// The Fault in Envelope/Body of an XML text, if there is one.
std::optional<SoapFault> findSoapFault(QStringView xml);

// The Fault in a kept response (header, chunks and compression as the 整形
// page reads them), decoded the way that page decodes it. Bodies larger than
// MaxFaultBody are not looked into: a Fault is small, and this runs where the
// window waits for it.
constexpr qint64 MaxFaultBody = 4 << 20;
std::optional<SoapFault> soapFaultInResponse(const QByteArray &response, const QString &chosenEncoding,
                                             bool headRequest = false);
