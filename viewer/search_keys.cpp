#include "viewer/search_keys.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QShortcut>

#include "viewer/find_bar.h"
#include "viewer/go_to_line_bar.h"

namespace zivek::backplot {
namespace {

class TypingToBars : public QObject {
  public:
    TypingToBars(QAbstractItemView* lines, FindBar* find, GoToLineBar* goTo)
        : QObject(lines), find_(find), goTo_(goTo) {
        lines->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Typing a letter that is also a window's key (M) types it here all the same.
        const bool override = event->type() == QEvent::ShortcutOverride;
        if (event->type() != QEvent::KeyPress && !override)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const auto held = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (held != Qt::NoModifier || text.isEmpty() || !text.front().isPrint() ||
            text.front().isSpace())
            return QObject::eventFilter(watched, event);
        if (override) {
            event->accept();
            return true;
        }
        if (text.front().isDigit()) {
            goTo_->open(text);
        } else {
            find_->open(text);
        }
        return true;
    }

  private:
    FindBar* find_;
    GoToLineBar* goTo_;
};

}  // namespace

void addSearchKeys(QWidget* window, QAbstractItemView* lines, FindBar* find, GoToLineBar* goTo) {
    const auto key = [window](QKeySequence keys, auto action) {
        QObject::connect(new QShortcut(keys, window), &QShortcut::activated, window, action);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_F), [find] { find->open(); });
    key(QKeySequence(Qt::Key_F3), [find] { find->next(); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F3), [find] { find->previous(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_G), [goTo] { goTo->open(); });
    new TypingToBars(lines, find, goTo);
}

}  // namespace zivek::backplot
