#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <optional>

// What a response says about its own framing, as far as it has arrived.
struct HttpDiagnosis
{
    enum class Framing {
        Unknown,    // the final response's header block has not ended
        NoBody,     // HEAD, 204, 304
        Length,     // a valid Content-Length
        Chunked,    // Transfer-Encoding ending in chunked
        UntilClose, // nothing usable says where it ends
    };
    enum class Amount { Unknown, Short, Exact, Longer };
    enum class Problem {
        StatusLineBad, // what follows a 1xx is no status line
        HeaderTooLong, // no blank line within the header limit
        ContentLengthNotNumber,
        ContentLengthNegative,
        ContentLengthTooLarge,
        ContentLengthConflict, // several different values
        LengthIgnored,         // Transfer-Encoding decides instead
        ChunkSizeBad,
        ChunkSizeTooLarge,
        ChunkEndBad, // chunk data not followed by a line end
        TrailerTooLong,
    };

    QString statusLine;
    int statusCode = 0;
    int interimResponses = 0; // 1xx blocks read past
    bool headerComplete = false;
    Framing framing = Framing::Unknown;
    std::optional<qint64> contentLength;
    qint64 headerBytes = 0;
    qint64 bodyBytes = 0;
    Amount amount = Amount::Unknown;
    bool chunked = false;
    bool lastChunkReceived = false; // the size-0 chunk; the trailers may still be open
    QString charset;                // from Content-Type, as sent
    QString contentType;            // the media type, without parameters
    QString contentEncoding;        // as sent, e.g. "gzip"
    QList<Problem> problems;
};

// Follows a response byte stream piece by piece and tells whether it is HTTP/1.x
// and where its first final response ends. It only looks; the bytes themselves
// stay with the caller. Memory is bounded by the header limit whatever the body.
class HttpFraming
{
public:
    static constexpr qsizetype HeaderLimit = 64 * 1024;
    static constexpr qsizetype ChunkLineLimit = 4 * 1024;

    void reset(bool headRequest);
    void feed(QByteArrayView piece);

    // Receives the final response's body as it passes: chunks joined, up to
    // Content-Length or the last chunk, everything when only the close ends it.
    // Where the framing breaks inside the body, the rest follows as it came.
    using BodySink = std::function<void(QByteArrayView)>;
    void setBodySink(BodySink sink) { m_sink = std::move(sink); }
    bool forHead() const { return m_head; }

    static bool methodIsHead(QByteArrayView request);

    // False until the first bytes look like "HTTP/1.x NNN".
    bool isHttp() const;
    // Whether enough bytes arrived to tell if it is HTTP.
    bool isDecided() const;
    bool finalResponseComplete() const;
    // Stream offset just past the final response, -1 while not complete.
    qint64 completeAt() const;
    qint64 headerBytes() const;
    qint64 bodyBytes() const;
    qint64 totalBytes() const;

    HttpDiagnosis diagnosis() const;
    // Japanese lines for the details window; closed = the peer has closed.
    QStringList describe(bool closed) const;

private:
    enum class State { Detect, Head, LengthBody, ChunkSize, ChunkData, ChunkCr, ChunkLf, Trailers, Rest };

    qsizetype detect(const char *p, qsizetype n);
    qsizetype takeLine(const char *p, qsizetype n, qsizetype room, bool *ended);
    qsizetype head(const char *p, qsizetype n);
    qsizetype chunkSize(const char *p, qsizetype n);
    qsizetype trailers(const char *p, qsizetype n);
    void consume(qsizetype n);
    void toBody(const char *p, qsizetype n);
    void headerLine(QByteArrayView line);
    void statusLine(QByteArrayView line);
    void commitField();
    void contentLength(QByteArrayView value);
    void endOfBlock();
    void complete();
    void giveUp(HttpDiagnosis::Problem problem);
    void problem(HttpDiagnosis::Problem problem);

    bool m_head = false;
    State m_state = State::Detect;
    bool m_notHttp = false;
    bool m_broken = false; // a framing fault: only the close ends it
    qsizetype m_matched = 0;
    qint64 m_total = 0;
    qint64 m_completeAt = -1;
    QByteArray m_line; // the header, chunk-size or trailer line still open
    int m_lineNo = 0;  // within the current header block
    qint64 m_trailerBytes = 0;
    qint64 m_chunkLeft = 0;

    // Fields of the current header block.
    bool m_fieldOpen = false;
    QByteArray m_fieldName;
    QByteArray m_fieldValue;
    bool m_lengthSeen = false;
    bool m_lengthBad = false;
    qint64 m_length = 0;
    bool m_teSeen = false;
    bool m_teChunked = false;

    HttpDiagnosis m_d;
    BodySink m_sink;
};
