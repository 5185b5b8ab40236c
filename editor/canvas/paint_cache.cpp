#include "editor/canvas/paint_cache.h"

#include "editor/image/bmp_codec.h"
#include "editor/image/image_decoder.h"
#include "editor/tree/code_page.h"
#include "editor/tree/decimal_text.h"

namespace {

int64_t ImageBytes(const QImage& image) {
    return static_cast<int64_t>(image.sizeInBytes());
}

QImage DecodePicture(std::string_view bmpFile) {
    const std::optional<VyRaster> raster = DecodeBmp(bmpFile);
    if (!raster) {
        return {};
    }
    QImage picture = QImageFromRaster(*raster).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF) {
                line[x] = 0;  // white dots are off: the LCD shows through
            }
        }
    }
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

void CVylPaintCache::Spend(int64_t bytes) {
    if (m_spent + bytes > kBudgetBytes) {
        m_pictures.clear();
        m_sprites.clear();
        m_layouts.clear();
        m_spent = 0;
    }
    m_spent += bytes;
}

const QImage& CVylPaintCache::Picture(std::string_view bmpFile, QSize size, qreal pixelRatio) {
    static const QImage kNone;
    const QSize device = (QSizeF(size) * pixelRatio).toSize();
    const quint64 sizeKey = (static_cast<quint64>(device.width() & 0xFFFFFF) << 40) |
                            (static_cast<quint64>(device.height() & 0xFFFFFF) << 16) |
                            static_cast<quint64>(qRound(pixelRatio * 100) & 0xFFFF);
    const auto found = m_pictures.find(bmpFile);
    if (found != m_pictures.end()) {
        const auto scaled = found->second.scaled.constFind(sizeKey);
        if (found->second.original.isNull() || scaled != found->second.scaled.constEnd()) {
            return found->second.original.isNull() ? kNone : *scaled;
        }
    }
    // Made first, then paid for (which may drop what is held), then kept.
    const QImage original =
        found != m_pictures.end() ? found->second.original : DecodePicture(bmpFile);
    QImage image = original.isNull()
                       ? QImage()
                       : original.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image.setDevicePixelRatio(pixelRatio);
    Spend(ImageBytes(original) + ImageBytes(image) + static_cast<int64_t>(bmpFile.size()));
    Pictures& pictures = m_pictures[std::string(bmpFile)];
    pictures.original = original;
    if (original.isNull()) {
        return kNone;
    }
    return *pictures.scaled.insert(sizeKey, std::move(image));
}

const QImage& CVylPaintCache::Picture(std::string_view bmpFile) {
    const auto found = m_pictures.find(bmpFile);
    if (found != m_pictures.end()) {
        return found->second.original;
    }
    QImage original = DecodePicture(bmpFile);
    Spend(ImageBytes(original) + static_cast<int64_t>(bmpFile.size()));
    return m_pictures.emplace(std::string(bmpFile), Pictures{std::move(original), {}})
        .first->second.original;
}

const QString& CVylPaintCache::Character(std::string_view bytes) {
    const auto code = static_cast<uint16_t>(
        bytes.size() == 2 ? (static_cast<uint8_t>(bytes[0]) << 8) | static_cast<uint8_t>(bytes[1])
                          : static_cast<uint8_t>(bytes[0]));
    const auto found = m_characters.constFind(code);
    if (found != m_characters.constEnd()) {
        return *found;
    }
    QString character = QString::fromStdString(Cp949ToUtf8(bytes));
    // What the code page cannot show comes out as the module's "?".
    if (character.isEmpty() || (character.trimmed().isEmpty() && bytes != " ")) {
        character = QStringLiteral("?");
    }
    return *m_characters.insert(code, character);
}

const std::vector<VyTextLine>& CVylPaintCache::Layout(const CVylObject& text,
                                                      const CVylDeviceContext& dc, int64_t width,
                                                      int64_t height) {
    const std::string content = text.Unique().GetString(kKeyTextContent);
    const int32_t korFont = AtoiValue(text.Unique().GetString(kKeyKorFontIndex));
    const int32_t alnumFont = AtoiValue(text.Unique().GetString(kKeyAlnumFontIndex));
    std::string key = DecimalText(korFont) + "/" + DecimalText(alnumFont) + "/" +
                      DecimalText(width) + "/" + DecimalText(height) + "/" + content;
    const auto found = m_layouts.find(key);
    if (found != m_layouts.end()) {
        return found->second;
    }
    Spend(static_cast<int64_t>(2 * key.size()));
    return m_layouts
        .emplace(std::move(key), LayoutTextInBox(content, korFont, alnumFont, width, height, dc))
        .first->second;
}

const VySprite& CVylPaintCache::Sprite(const std::string& key,
                                       const std::function<VySprite()>& make) {
    const auto found = m_sprites.find(key);
    if (found != m_sprites.end()) {
        return found->second;
    }
    VySprite sprite = make();
    Spend(ImageBytes(sprite.image) + static_cast<int64_t>(key.size()));
    return m_sprites.emplace(key, std::move(sprite)).first->second;
}
