#include "windows/designed_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <limits>
#include <vector>

#include "output_box/output_box.h"
#include "windows/framed_picture.h"
#include "windows/outline_frame.h"
#include "windows/picture_button.h"
#include "windows/pictures.h"
#include "windows/window_scale.h"

namespace zivek::windows {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor rgb(std::uint32_t colour) {
    return QColor::fromRgb(static_cast<QRgb>(colour));
}

void setColour(QWidget* widget, QPalette::ColorRole role, std::uint32_t colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, rgb(colour));
    widget->setPalette(palette);
}

// The tables were laid out for a smaller user-interface font than most platforms
// use now; a caption that would be cut off is drawn a little smaller instead.
void fitCaption(QLabel* label) {
    QFont font = label->font();
    if (font.pointSizeF() <= 0) return;
    const QRect room = label->contentsRect();
    for (qreal size = font.pointSizeF(); size > 5; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(label->text()) <= room.width() &&
            metrics.height() <= room.height())
            break;
    }
    label->setFont(font);
}

QWidget* makeWidget(const ControlDefinition& control, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(qs(control.text), parent);
            box->setMaxLength(std::numeric_limits<int>::max());  // a text box has no limit
            return box;
        }
        case ControlKind::OutputBox:
            return new OutputBox(parent);
        case ControlKind::Label: {
            auto* label = new QLabel(qs(control.text), parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setFocusPolicy(Qt::NoFocus);
            label->setAutoFillBackground(true);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, Qt::black);
            label->setPalette(palette);
            if (control.colour) setColour(label, QPalette::Window, *control.colour);
            return label;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(qs(control.text), parent);
            // Enter presses the focused button, as Space does, as on the original platform.
            button->setAutoDefault(true);
            if (control.colour) setColour(button, QPalette::Button, *control.colour);
            return button;
        }
        case ControlKind::DrawingArea: {
            auto* picture = new FramedPicture(parent);
            picture->setPicture(control.picture, FramedPicture::Fit::OwnSize);
            return picture;
        }
        case ControlKind::PictureButton: {
            // A menu picture fills its frame: no strip of ground at its right or bottom.
            auto* button = new PictureButton(qs(control.text), parent);
            button->setPicture(control.picture, FramedPicture::Fit::FillFrame);
            return button;
        }
        case ControlKind::Frame: {
            auto* frame = new OutlineFrame(parent);
            frame->lower();  // a drawn shape lies beneath the controls it encloses
            return frame;
        }
    }
    return nullptr;
}

}  // namespace

DesignedWindow::DesignedWindow(const WindowFrame& frame,
                               std::span<const ControlDefinition> controls,
                               std::span<const TabPosition> tabPositions)
    : background_(rgb(frame.background)),
      placement_(frame.placement),
      border_(frame.border),
      client_(pixels(frame.clientWidth), pixels(frame.clientHeight)),
      controls_(controls.begin(), controls.end()) {
    setObjectName(qs(frame.name));
    setWindowTitle(qs(frame.caption));
    setWindowIcon(applicationIcon());
    setAttribute(Qt::WA_DeleteOnClose);  // closing a window discards it and its contents
    if (border_ == Border::FixedSingle) {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                       Qt::CustomizeWindowHint);
        setFixedSize(client_);
    } else {
        resize(client_);
    }
    placed_.reserve(controls_.size());
    for (const ControlDefinition& control : controls_) buildControl(control);
    applyTabPositions(tabPositions);
    fitToScreen();
}

void DesignedWindow::buildControl(const ControlDefinition& control) {
    QWidget* parent = this;
    if (control.onDrawing) {
        parent = findChild<FramedPicture*>(QStringLiteral("Picture1"));
        Q_ASSERT(parent);
    }
    QWidget* widget = makeWidget(control, parent);
    widget->setObjectName(qs(control.name));
    if (!control.hint.empty()) widget->setToolTip(qs(control.hint));
    placed_.push_back({widget, &control});
    placeControl(placed_.back());
}

// Where the table is turned into pixels: the control's rectangle, and what is drawn to
// the scale of the window (a drawing at its own size, a caption fitted to its label).
void DesignedWindow::placeControl(const Placed& placed) {
    const ControlDefinition& control = *placed.definition;
    QPoint origin(0, 0);
    if (control.onDrawing) origin = placed.widget->parentWidget()->contentsRect().topLeft();
    placed.widget->setGeometry(pixelRect(control.geometry, scale_).translated(origin));
    if (control.kind == ControlKind::DrawingArea) {
        Picture drawn = control.picture;
        drawn.width = scaledPixels(drawn.width, scale_);
        drawn.height = scaledPixels(drawn.height, scale_);
        static_cast<FramedPicture*>(placed.widget)->setPicture(drawn, FramedPicture::Fit::OwnSize);
    }
    if (auto* label = qobject_cast<QLabel*>(placed.widget)) {
        label->setFont(font());
        fitCaption(label);
    }
}

void DesignedWindow::applyScale(double scale) {
    scale_ = scale;
    // Every control without a font of its own takes the window's.
    setFont(scaledFont(QApplication::font(this), scale_));
    const QSize client(scaledPixels(client_.width(), scale_),
                       scaledPixels(client_.height(), scale_));
    if (border_ == Border::FixedSingle)
        setFixedSize(client);
    else
        resize(client);
    for (const Placed& placed : placed_) placeControl(placed);
}

void DesignedWindow::fitInto(const QRect& available, const QMargins& frame,
                             qreal devicePixelRatio) {
    const QSize room = available.size().shrunkBy(frame);
    const double scale = fittingScale(client_, room, QApplication::font(this), devicePixelRatio);
    if (scale != scale_) applyScale(scale);
}

// The frame around the window: as the style draws a title bar and border, or the one
// the window has on the screen where that is larger. Before the window is shown, and on
// some desktops for a while after, the platform does not know its frame yet.
QMargins DesignedWindow::frameMarginsNow() const {
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const QMargins guess(border, title + border, border, border);
    if (!isVisible()) return guess;
    const QRect inner = geometry();
    const QRect outer = frameGeometry();
    return {std::max(guess.left(), inner.left() - outer.left()),
            std::max(guess.top(), inner.top() - outer.top()),
            std::max(guess.right(), outer.right() - inner.right()),
            std::max(guess.bottom(), outer.bottom() - inner.bottom())};
}

void DesignedWindow::fitToScreen() {
    // Until it is shown the window belongs to the screen it will be centred on.
    const QScreen* screen = isVisible() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) fitInto(screen->availableGeometry(), frameMarginsNow(), screen->devicePixelRatio());
}

void DesignedWindow::applyTabPositions(std::span<const TabPosition> tabPositions) {
    std::vector<std::pair<int, QWidget*>> chain;
    for (const TabPosition& tab : tabPositions) {
        auto* widget = findChild<QWidget*>(qs(tab.name));
        Q_ASSERT(widget);
        if (widget->focusPolicy() & Qt::TabFocus) chain.emplace_back(tab.position, widget);
    }
    std::sort(chain.begin(), chain.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1].second, chain[i].second);
    if (!chain.empty()) chain.front().second->setFocus(Qt::OtherFocusReason);
}

void DesignedWindow::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect place(QPoint(0, 0), frameGeometry().size());
    place.moveCenter(screen->availableGeometry().center());
    move(place.topLeft());
}

void DesignedWindow::open() {
    if (placement_ != Placement::CentreOfScreen) {
        show();
        followScreen();
        return;
    }
    // The whole window with its frame is centred; the frame's size is known for
    // certain only once the window is shown, and the window may then need to be smaller.
    centreOnScreen();
    const QSize before = frameGeometry().size();
    show();
    followScreen();
    if (frameGeometry().size() != before) centreOnScreen();
}

// Fits the window to the screen it is shown on, and again whenever it is moved to
// another screen, which may be smaller or larger.
void DesignedWindow::followScreen() {
    fitToScreen();
    if (QWindow* window = windowHandle())
        connect(window, &QWindow::screenChanged, this, &DesignedWindow::fitToScreen,
                Qt::UniqueConnection);
}

void DesignedWindow::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), background_);
}

}  // namespace zivek::windows
