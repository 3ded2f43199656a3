#include "platform/Text.h"

#include <QStringDecoder>

namespace corvex {

QString toQString(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(QByteArrayView(text.data(), qsizetype(text.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string toFileText(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace corvex
