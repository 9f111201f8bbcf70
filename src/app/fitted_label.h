#pragma once
#include <QLabel>
#include <QResizeEvent>

namespace cpt::app {

// A label whose longest line always fits its width: the font shrinks from the
// model's size as far as needed (never below a readable floor), so that no
// line is cut off on a small screen. The height is the caller's to give.
class FittedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setLargestPointSize(double size) {
        if (size == largest_) return;
        largest_ = size;
        fit();
    }
    void setFittedText(const QString& text) {
        setText(text);
        fit();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        if (event->size().width() != event->oldSize().width()) fit();
    }

private:
    static constexpr double Floor = 8;

    void fit() {
        if (fitting_) return;
        fitting_ = true;
        const int room = contentsRect().width() - 2 * margin() - 4;
        QFont shrunk = font();
        double size = largest_ > 0 ? largest_ : QLabel::font().pointSizeF();
        for (; size > Floor; size -= 0.5) {
            shrunk.setPointSizeF(size);
            if (QFontMetrics(shrunk).size(0, text()).width() <= room) break;
        }
        shrunk.setPointSizeF(size);
        if (font() != shrunk) setFont(shrunk);
        fitting_ = false;
    }

    double largest_ = 0;
    bool fitting_ = false;
};

}  // namespace cpt::app
