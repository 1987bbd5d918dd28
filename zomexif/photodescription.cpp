// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomexif/photodescription.h"

#include "zomexif/zomexifinfo.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <mutex>

// The XMP and IPTC reader's headers still name std::auto_ptr.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>

namespace {

// IPTC text without a declared character set is often Latin-1; UTF-8 is taken when it decodes.
QString decodedText(const std::string &bytes)
{
    const QByteArray raw = QByteArray::fromStdString(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(raw);
    return utf8.hasError() ? QString::fromLatin1(raw) : text;
}

QString usable(const QString &text)
{
    const QString trimmed = text.trimmed();
    return isPlaceholderDescription(trimmed) ? QString() : trimmed;
}

QString xmpOrIptcDescription(const QString &path)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
    });
    try {
        Exiv2::Image::AutoPtr image
            = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        if (!image.get())
            return QString();
        image->readMetadata();
        const Exiv2::XmpData &xmp = image->xmpData();
        const auto described = xmp.findKey(Exiv2::XmpKey("Xmp.dc.description"));
        if (described != xmp.end()) {
            std::string text;
            if (const auto *alternatives
                = dynamic_cast<const Exiv2::LangAltValue *>(&described->value())) {
                text = alternatives->toString("x-default");
                if (text.empty() && !alternatives->value_.empty())
                    text = alternatives->value_.begin()->second;
            } else {
                text = described->toString();
            }
            const QString found = usable(QString::fromStdString(text));
            if (!found.isEmpty())
                return found;
        }
        const Exiv2::IptcData &iptc = image->iptcData();
        const auto caption = iptc.findKey(Exiv2::IptcKey("Iptc.Application2.Caption"));
        if (caption != iptc.end())
            return usable(decodedText(caption->toString()));
    } catch (const std::exception &) {
        // A file the reader cannot make sense of has no description to give.
    }
    return QString();
}

} // namespace

#pragma GCC diagnostic pop

bool isPlaceholderDescription(const QString &text)
{
    // Cameras write a fixed word or two in capitals where the owner wrote nothing.
    static const QRegularExpression placeholder(
        QStringLiteral("^(|[A-Z0-9 _-]*(CAMERA|DSC|DIGITAL|IMAGE|PICTURE)[A-Z0-9 _-]*)$"));
    return placeholder.match(text.trimmed()).hasMatch();
}

QString photoDescription(const QString &path)
{
    const QString described = xmpOrIptcDescription(path);
    if (!described.isEmpty())
        return described;
    return usable(ZomExifInfo(path).description());
}
