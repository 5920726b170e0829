// The text pane's model (the request pane): valid UTF-8 cut into arbitrary byte pieces
// (inside characters, between CR and LF) reads back exactly; arbitrary bytes
// never crash, hang or lose a byte of ASCII text.
#include "core/TextCodec.h"
#include "gui/RawTextPane.h"

#include <QApplication>
#include <cstdint>
#include <cstdlib>

namespace {
QApplication *app = nullptr;
RawTextPane *pane = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = new QApplication(*argc, *argv);
    pane = new RawTextPane;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const bool keepInvalid = data[0] & 1;
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    if (!keepInvalid)
        bytes = QString::fromUtf8(bytes).toUtf8(); // valid UTF-8 from here on

    pane->setRawText(QString());
    StreamDecoder decoder;
    unsigned s = data[0] | 1;
    for (qsizetype pos = 0; pos < bytes.size();) {
        s = s * 1103515245u + 12345u;
        const qsizetype n = 1 + static_cast<qsizetype>((s >> 16) % 5);
        pane->appendRaw(decoder.decode(bytes.mid(pos, n)));
        pos += n;
    }
    pane->appendRaw(decoder.finish());
    const QString text = pane->rawText();

    if (!keepInvalid) {
        if (text.toUtf8() != bytes)
            std::abort();
        return 0;
    }
    QByteArray ascii, got;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) < 0x80)
            ascii += c;
    for (QChar c : text)
        if (c.unicode() < 0x80)
            got += static_cast<char>(c.unicode());
    if (got != ascii)
        std::abort();
    return 0;
}
