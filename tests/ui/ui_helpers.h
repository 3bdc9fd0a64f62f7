#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QRect>
#include <QTimer>
#include <memory>
#include <optional>

namespace sorvane::testing {

// What a message box showed before it was dismissed.
struct SeenMessageBox {
    QString text;
    QString title;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool iconPixmapEmpty = false;
    bool okButtonHasIcon = true;
    bool modal = false;
};

// Waits for the next modal message box, notes what it shows and presses its OK
// button, as a person would.
inline std::shared_ptr<std::optional<SeenMessageBox>> DismissNextMessageBox()
{
    auto seen = std::make_shared<std::optional<SeenMessageBox>>();
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [seen, poll](int triesLeft) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (triesLeft > 0) QTimer::singleShot(10, [poll, triesLeft] { (*poll)(triesLeft - 1); });
            return;
        }
        SeenMessageBox s;
        s.text = box->text();
        s.title = box->windowTitle();
        s.buttons = static_cast<int>(box->buttons().size());
        s.icon = box->icon();
        s.iconPixmapEmpty = box->iconPixmap().isNull();
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        s.okButtonHasIcon = ok == nullptr || !ok->icon().isNull();
        s.modal = box->isModal();
        *seen = s;
        if (ok != nullptr) ok->click();
        *poll = nullptr;  // breaks the cycle between the poll and itself
    };
    QTimer::singleShot(0, [poll] { (*poll)(300); });
    return seen;
}

// The smallest rectangle holding every pixel of the colour, and their count.
struct ColourSpread {
    QRect bounds;
    int count = 0;
};

inline ColourSpread FindColour(const QImage& image, QRgb colour)
{
    ColourSpread spread;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) continue;
            spread.bounds = spread.bounds.united(QRect(x, y, 1, 1));
            ++spread.count;
        }
    }
    return spread;
}

}  // namespace sorvane::testing
