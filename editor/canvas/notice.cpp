#include "editor/canvas/notice.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <utility>

namespace {

void ShowMessageBox(const QString& text, const QString& caption, QWidget* parent) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok,
                    parent != nullptr ? parent : QApplication::activeWindow());
    box.exec();
}

VyNoticeSink& Sink() {
    static VyNoticeSink sink = ShowMessageBox;
    return sink;
}

}  // namespace

void ShowNotice(const QString& text, const QString& caption, QWidget* parent) {
    Sink()(text, caption.isEmpty() ? QCoreApplication::translate("VyNotice", "알림") : caption,
           parent);
}

VyNoticeSink SetNoticeSink(VyNoticeSink sink) {
    return std::exchange(Sink(), sink ? std::move(sink) : VyNoticeSink(ShowMessageBox));
}
