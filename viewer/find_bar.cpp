#include "viewer/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "viewer/find_measure_texts.h"
#include "viewer/text_search.h"

namespace zivek::backplot {
namespace {

QToolButton* barButton(QWidget* parent, Qt::ArrowType arrow, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

FindBar::FindBar(QWidget* parent, std::function<const std::string&()> text,
                 std::function<int()> current)
    : QWidget(parent),
      text_(std::move(text)),
      current_(std::move(current)),
      field_(new QLineEdit(this)),
      count_(new QLabel(this)) {
    field_->setPlaceholderText(findPlaceholderText());
    field_->setClearButtonEnabled(true);
    field_->setMinimumWidth(60);
    field_->installEventFilter(this);
    auto* previous = barButton(this, Qt::UpArrow, findPreviousTip());
    auto* next = barButton(this, Qt::DownArrow, findNextTip());
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("✕"));
    close->setToolTip(closeBarTip());
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(field_, 1);
    row->addWidget(count_);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(close);
    connect(field_, &QLineEdit::textChanged, this, &FindBar::search);
    connect(previous, &QToolButton::clicked, this, &FindBar::previous);
    connect(next, &QToolButton::clicked, this, &FindBar::next);
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit closed();
    });
}

void FindBar::open(const QString& typed) {
    show();
    if (!typed.isEmpty()) field_->setText(typed);
    field_->setFocus();
    if (typed.isEmpty()) field_->selectAll();
}

void FindBar::programChanged() {
    if (!field_->text().isEmpty()) search();
}

void FindBar::search() {
    const QByteArray needle = field_->text().toUtf8();
    found_ = linesContaining(text_(), std::string_view(needle.constData(), needle.size()));
    // The first line found at or after the chosen one, as an editor's find goes on.
    if (!found_.empty()) {
        const int current = std::max(current_(), 0);
        const auto at = std::lower_bound(found_.begin(), found_.end(), std::uint32_t(current));
        emit lineChosen(int(at != found_.end() ? *at : found_.front()));
    }
    showCount();
}

void FindBar::step(int direction) {
    if (found_.empty()) return;
    const int current = current_();
    std::uint32_t line = direction > 0 ? found_.front() : found_.back();  // round the end
    if (current >= 0) {
        const auto chosen = std::uint32_t(current);
        if (direction > 0) {
            const auto at = std::upper_bound(found_.begin(), found_.end(), chosen);
            if (at != found_.end()) line = *at;
        } else {
            const auto at = std::lower_bound(found_.begin(), found_.end(), chosen);
            if (at != found_.begin()) line = *(at - 1);
        }
    }
    emit lineChosen(int(line));
    showCount();
}

void FindBar::showCount() {
    if (field_->text().isEmpty()) {
        count_->clear();
        return;
    }
    if (found_.empty()) {
        count_->setText(notFoundText());
        count_->setStyleSheet(QStringLiteral("color: #d61f1f"));
        return;
    }
    count_->setStyleSheet({});
    const int current = current_();
    const auto chosen = std::uint32_t(std::max(current, 0));
    const auto at = std::lower_bound(found_.begin(), found_.end(), chosen);
    const bool onOne = current >= 0 && at != found_.end() && *at == chosen;
    count_->setText(findCountText(onOne ? std::size_t(at - found_.begin()) + 1 : 0, found_.size()));
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            step(key->modifiers() & Qt::ShiftModifier ? -1 : +1);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            emit closed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zivek::backplot
