// The shared editor library as the application uses it: this program links
// VyEdit alone, so every call below must be exported.
#include <gtest/gtest.h>

#include <QTest>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/hex_pane.h"
#include "editor/canvas/notice.h"
#include "editor/link/serial_link.h"

namespace {

TEST(VyEditLibrary, ACanvasOnTheVirtualModuleDrawsAndSends) {
    QStringList notices;
    const VyNoticeSink previous = SetNoticeSink(
        [&notices](const QString& text, const QString&, QWidget*) { notices << text; });
    CVylMSComm link;
    link.SetString("device", "virtual");
    link.Pool().Setup(2, 1, 10);
    ASSERT_TRUE(link.OpenPort());
    CVylHexPane pane;
    {
        CVylCanvas canvas;
        canvas.resize(690, 530);
        canvas.SetLink(&link);
        canvas.SetHexPane(&pane);
        canvas.Core().SetTool(kToolFilledBox);
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(45, 45));
        QTest::mouseMove(&canvas, QPoint(125, 105));
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(125, 105));
        // Released on the grid where the drag began: the create is the whole edit.
        EXPECT_EQ(canvas.Core().History().GetCount(), 1u);
        EXPECT_EQ(canvas.Core().Group().GetCount(), 1u);
        EXPECT_TRUE(pane.toPlainText().startsWith(QStringLiteral("1B 53 43")));
        canvas.Core().UndoEditActionAndDrawAll();
        EXPECT_EQ(canvas.Core().Group().GetCount(), 0u);
    }
    EXPECT_TRUE(notices.isEmpty());
    SetNoticeSink(previous);
}

}  // namespace
