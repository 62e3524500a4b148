#include "core/text_encoding.h"

#include "core/win1250.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace {

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// UTF-16 without its byte order mark (iconv writes it so): text in Latin
// letters has a zero in every other byte, where 8-bit text has none.
std::optional<TextEncoding> unmarkedUtf16(QByteArrayView bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return std::nullopt;
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0')
            ++zeros[i % 2];
    }
    const qsizetype characters = bytes.size() / 2;
    if (2 * zeros[1] > characters && 4 * zeros[0] < zeros[1])
        return TextEncoding::Utf16LE;
    if (2 * zeros[0] > characters && 4 * zeros[1] < zeros[0])
        return TextEncoding::Utf16BE;
    return std::nullopt;
}

} // namespace

TextEncoding guessTextEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return TextEncoding::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return TextEncoding::Utf16BE;
    if (const std::optional<TextEncoding> utf16 = unmarkedUtf16(bytes))
        return *utf16;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::Utf8Bom;
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return TextEncoding::Ascii;
    return isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1250;
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        return QStringDecoder(QStringDecoder::Utf8).decode(bytes);
    case TextEncoding::Utf16LE:
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes);
    case TextEncoding::Utf16BE:
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes);
    case TextEncoding::Ascii:
    case TextEncoding::Windows1250:
        break;
    }
    return decodeWin1250(bytes.toByteArray());
}

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Ascii: return QStringLiteral("ASCII");
    case TextEncoding::Windows1250: break;
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf8Bom: return QStringLiteral("UTF-8 (BOM)");
    case TextEncoding::Utf16LE: return QStringLiteral("UTF-16LE");
    case TextEncoding::Utf16BE: return QStringLiteral("UTF-16BE");
    }
    return QStringLiteral("Windows-1250");
}
