#include "editor/canvas/canvas_fonts.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <mutex>

void InstallCanvasFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        const QStringList gothic{QStringLiteral("NanumGothic"), QStringLiteral("UnDotum"),
                                 QStringLiteral("DejaVu Sans")};
        const QStringList serif{QStringLiteral("NanumMyeongjo"), QStringLiteral("UnBatang"),
                                QStringLiteral("DejaVu Serif")};
        // 돋움 and 굴림: plain gothics; 바탕: a myeongjo (serif); 샘물, a round
        // display face, and 으뜸, a bold headline face, get the nearest ones.
        QFont::insertSubstitutions(QStringLiteral("돋움"), gothic);
        QFont::insertSubstitutions(QStringLiteral("굴림"),
                                   QStringList{QStringLiteral("NanumBarunGothic")} + gothic);
        QFont::insertSubstitutions(QStringLiteral("바탕"), serif);
        QFont::insertSubstitutions(QStringLiteral("샘물"),
                                   QStringList{QStringLiteral("NanumSquareRound")} + gothic);
        QFont::insertSubstitutions(QStringLiteral("으뜸"),
                                   QStringList{QStringLiteral("UnGraphic")} + gothic);
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   QStringList{QStringLiteral("Liberation Sans")} + gothic);
        QFont::insertSubstitutions(
            kFixedAlnumFace,
            QStringList{QStringLiteral("NanumGothicCoding"), QStringLiteral("DejaVu Sans Mono")} +
                gothic);
    });
}

CVylCanvasFonts::CVylCanvasFonts() {
    InstallCanvasFontSubstitutions();
}

const QFont& CVylCanvasFonts::Font(const QString& face, int pixelHeight, int averageWidth,
                                   bool bold, bool wide) {
    const QString key = face + QLatin1Char('/') + QString::number(pixelHeight) + QLatin1Char('/') +
                        QString::number(averageWidth) +
                        (bold ? QLatin1String("/b") : QLatin1String("/n")) +
                        (wide ? QLatin1String("/w") : QLatin1String("/s"));
    const auto found = m_fonts.constFind(key);
    if (found != m_fonts.constEnd()) {
        return *found;
    }
    QFont font(face);
    font.setPixelSize(std::max(pixelHeight, 1));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    if (averageWidth > 0) {
        const QFontMetricsF metrics(font);
        const double natural = wide ? metrics.horizontalAdvance(QStringLiteral("가")) / 2
                                    : metrics.horizontalAdvance(QLatin1Char('x'));
        if (natural > 0) {
            const int stretch = static_cast<int>(std::lround(100.0 * averageWidth / natural));
            font.setStretch(std::clamp(stretch, 1, 4000));
        }
    }
    return *m_fonts.insert(key, font);
}
