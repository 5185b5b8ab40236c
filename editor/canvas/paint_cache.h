// What the canvas painting keeps from one paint to the next: fonts,
// decoded and scaled pictures, converted characters, laid-out texts and
// sprites (objects drawn once into a small transparent picture and then
// only copied). Bounded by a memory budget, so that a long session does not
// grow it without end.
#pragma once

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "editor/canvas/canvas_fonts.h"
#include "editor/command/text_layout.h"
#include "editor/model/device_context.h"
#include "editor/model/drawing_object.h"

struct VySprite {
    QImage image;
    QPoint origin;  // where its top left corner goes
};

class CVylPaintCache {
  public:
    static constexpr int64_t kBudgetBytes = int64_t{96} << 20;

    CVylCanvasFonts& Fonts() { return m_fonts; }
    // The picture of a BMP file scaled to size (in device-independent
    // pixels, drawn for a device of the given pixel ratio), white made
    // transparent; a null picture when the bytes are no readable picture.
    const QImage& Picture(std::string_view bmpFile, QSize size, qreal pixelRatio);
    // The picture at its own size.
    const QImage& Picture(std::string_view bmpFile);
    // One character of the system code page (one or two bytes).
    const QString& Character(std::string_view bytes);
    const std::vector<VyTextLine>& Layout(const CVylObject& text, const CVylDeviceContext& dc,
                                          int64_t width, int64_t height);
    // The sprite kept under key, or one that make draws now.
    const VySprite& Sprite(const std::string& key, const std::function<VySprite()>& make);

  private:
    // Looked up by the bytes themselves, without copying them.
    struct BytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view bytes) const {
            return std::hash<std::string_view>()(bytes);
        }
    };
    template <typename Map>
    using ByBytes = std::unordered_map<std::string, Map, BytesHash, std::equal_to<>>;

    struct Pictures {
        QImage original;
        QHash<quint64, QImage> scaled;  // by device size and pixel ratio
    };

    // Drops everything held when the budget would be exceeded.
    void Spend(int64_t bytes);

    CVylCanvasFonts m_fonts;
    ByBytes<Pictures> m_pictures;
    QHash<uint16_t, QString> m_characters;
    ByBytes<std::vector<VyTextLine>> m_layouts;
    ByBytes<VySprite> m_sprites;
    int64_t m_spent = 0;
};
