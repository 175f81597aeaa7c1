#include "viewer/go_to_line_bar.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "viewer/find_measure_texts.h"

namespace zivek::backplot {

GoToLineBar::GoToLineBar(QWidget* parent, std::function<std::size_t()> lineCount)
    : QWidget(parent),
      lineCount_(std::move(lineCount)),
      field_(new QLineEdit(this)),
      answer_(new QLabel(this)) {
    // Digits only; the range is answered in words, not refused silently.
    field_->setValidator(new QIntValidator(0, 999999999, field_));
    field_->setMinimumWidth(50);
    field_->installEventFilter(this);
    answer_->setWordWrap(true);
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("✕"));
    close->setToolTip(closeBarTip());
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(new QLabel(goToLineLabelText(), this));
    row->addWidget(field_, 1);
    row->addWidget(close);
    // The answer under the number: beside it a narrow list would wrap it word by word.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(0);
    column->addLayout(row);
    column->addWidget(answer_);
    connect(field_, &QLineEdit::returnPressed, this, &GoToLineBar::go);
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit closed();
    });
}

void GoToLineBar::open(const QString& typed) {
    field_->setPlaceholderText(goToLinePlaceholderText(lineCount_()));
    answer_->clear();
    show();
    field_->setFocus();
    if (typed.isEmpty()) {
        field_->selectAll();
    } else {
        field_->setText(typed);
    }
}

void GoToLineBar::go() {
    const std::size_t count = lineCount_();
    bool ok = false;
    const qlonglong n = field_->text().toLongLong(&ok);
    if (!ok || n < 1 || std::size_t(n) > count) {
        answer_->setStyleSheet(QStringLiteral("color: #d61f1f"));
        answer_->setText(lineOutOfRangeText(field_->text(), count));
        field_->selectAll();
        return;
    }
    answer_->setStyleSheet({});
    answer_->setText(wentToLineText(std::size_t(n - 1), count));
    field_->selectAll();
    emit lineChosen(int(n - 1));
}

bool GoToLineBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hide();
        emit closed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zivek::backplot
