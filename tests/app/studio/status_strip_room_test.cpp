// The status strip at every window width from the least up, in Korean and
// in English: each text and box is whole, none overlaps another, and the
// strip's rows stay inside the window.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/studio/studio_language.h"
#include "tests/app/studio/studio_fixture.h"

namespace {

// The room a text needs inside its widget, beyond its own advance.
int Padding(const QWidget* widget) {
    if (qobject_cast<const QPushButton*>(widget) != nullptr) {
        return 8;
    }
    return qobject_cast<const QLineEdit*>(widget) != nullptr ? 4 : 0;
}

QString TextOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        return button->text();
    }
    const auto* box = qobject_cast<const QLineEdit*>(widget);
    return box != nullptr ? box->text() : QString();
}

class StatusStripRoom : public StudioFixture {
  protected:
    // Every visible text of the strip, with its rectangle in the strip.
    std::vector<std::pair<QString, QRect>> Parts() {
        std::vector<std::pair<QString, QRect>> parts;
        CDlgGlobalStatus& strip = window->View().Editor().StatusStrip();
        for (QWidget* child : strip.findChildren<QWidget*>()) {
            if (!child->isVisibleTo(&strip) || TextOf(child).isEmpty() ||
                child->findChildren<QWidget*>().size() > 0) {
                continue;
            }
            parts.emplace_back(TextOf(child),
                               QRect(child->mapTo(&strip, QPoint(0, 0)), child->size()));
            const int needed = child->fontMetrics().horizontalAdvance(TextOf(child));
            EXPECT_LE(needed + Padding(child), child->contentsRect().width())
                << "\"" << TextOf(child).toStdString() << "\" is cut at a window "
                << window->width() << " wide";
        }
        return parts;
    }
    void CheckEveryWidth() {
        StartWindow();
        CDlgGlobalStatus& strip = window->View().Editor().StatusStrip();
        // The longest state the strip shows: a port, the scale, an update's
        // size and saving, and the no-answer warning.
        DrawBox();
        const int least = window->minimumWidth();
        for (int width : {least, least + 60, 560, 700, 900, 1200, 1600}) {
            window->resize(width, 700);
            QApplication::processEvents();
            strip.SetStateText(QStringLiteral("/dev/ttyUSB0: 115200,N,8,1"),
                               QStringLiteral("1600.00%"));
            strip.UpdateLcdPointEditCtrl();
            const auto parts = Parts();
            ASSERT_FALSE(parts.empty());
            for (size_t i = 0; i < parts.size(); ++i) {
                EXPECT_TRUE(strip.rect().contains(parts[i].second))
                    << parts[i].first.toStdString() << " leaves the strip at " << width;
                for (size_t j = i + 1; j < parts.size(); ++j) {
                    EXPECT_FALSE(parts[i].second.intersects(parts[j].second))
                        << parts[i].first.toStdString() << " overlaps "
                        << parts[j].first.toStdString() << " at " << width;
                }
            }
            const QRect placed(strip.mapTo(window.get(), QPoint(0, 0)), strip.size());
            EXPECT_TRUE(window->rect().contains(placed)) << "the strip leaves the window";
            EXPECT_GE(strip.height(), strip.heightForWidth(strip.width()));
        }
    }
};

TEST_F(StatusStripRoom, KoreanTextsAreWholeAtEveryWidth) {
    CheckEveryWidth();
}

TEST_F(StatusStripRoom, EnglishTextsAreWholeAtEveryWidth) {
    ASSERT_TRUE(ApplyUiLanguage(true));
    CheckEveryWidth();
    ApplyUiLanguage(false);
}

TEST_F(StatusStripRoom, ANarrowWindowStacksTheRowsAndTheCanvasMakesRoom) {
    StartWindow();
    CDlgGlobalStatus& strip = window->View().Editor().StatusStrip();
    window->resize(1600, 700);
    QApplication::processEvents();
    const int oneRow = strip.height();
    const int wideCanvas = window->View().Canvas().height();
    window->resize(window->minimumWidth(), 700);
    QApplication::processEvents();
    EXPECT_GT(strip.height(), oneRow);
    EXPECT_EQ(window->View().Canvas().height(), wideCanvas - (strip.height() - oneRow));
    // A text that needs a row more asks the frame for it at once.
    const int rows = strip.height();
    strip.SetStateText(QString(60, QLatin1Char('W')), QStringLiteral("100.00%"));
    EXPECT_GE(strip.height(), rows);
    EXPECT_EQ(strip.height(), std::max(strip.heightForWidth(strip.width()), oneRow));
    EXPECT_TRUE(strip.StateText().startsWith(QString(60, QLatin1Char('W'))))
        << "a port name longer than the strip is only shortened on screen";
}

}  // namespace
