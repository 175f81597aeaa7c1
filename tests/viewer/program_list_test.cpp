// The list of program lines: rows of one height reached by the bar, the keys and the
// mouse, however many there are.
#include <QAbstractListModel>
#include <QScrollBar>
#include <QTest>

#include "viewer/program_list_view.h"

namespace {

// Rows made on demand, as the program's line model makes them; one row may be long.
class CountingModel : public QAbstractListModel {
  public:
    void setRows(int rows, int longRow = -1) {
        beginResetModel();
        rows_ = rows;
        longRow_ = longRow;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        const QString text = QStringLiteral("N%1 G1 X10 Z-5").arg(index.row() + 1);
        return index.row() == longRow_ ? text.repeated(40) : text;
    }

  private:
    int rows_ = 0;
    int longRow_ = -1;
};

}  // namespace

class ProgramListTest : public QObject {
    Q_OBJECT
    CountingModel model_;
    zivek::backplot::ProgramListView* view_ = nullptr;

    int row(const char* keys) {
        for (const QString& key : QString::fromLatin1(keys).split(u' '))
            QTest::keyClick(view_, QKeySequence(key)[0].key());
        return view_->currentIndex().row();
    }
    bool inView(int row) const {
        return view_->viewport()->rect().contains(view_->visualRect(model_.index(row, 0)).center());
    }

  private slots:
    void init() {
        view_ = new zivek::backplot::ProgramListView;
        view_->setModel(&model_);
        view_->resize(240, 300);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_));
    }
    void cleanup() { delete view_; }

    // Two million rows: the row chosen is scrolled to the centre, found where it is
    // drawn, and as high as the first.
    void farRowInView() {
        model_.setRows(2'000'000);
        const QModelIndex far = model_.index(1'234'567, 0);
        view_->setCurrentIndex(far);
        view_->scrollTo(far, QAbstractItemView::PositionAtCenter);
        QVERIFY(inView(far.row()));
        QCOMPARE(view_->indexAt(view_->visualRect(far).center()), far);
        QCOMPARE(view_->visualRect(far).height(), view_->visualRect(model_.index(0, 0)).height());
        QScrollBar* bar = view_->verticalScrollBar();
        QCOMPARE(bar->maximum() + bar->pageStep(), 2'000'000);
    }

    void keys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("row");
        QTest::newRow("down") << "Down Down" << 2;
        QTest::newRow("end") << "End" << 9999;
        QTest::newRow("end, up") << "End Up" << 9998;
        QTest::newRow("page down") << "PgDown" << -1;  // one view further
        QTest::newRow("home") << "End Home" << 0;
    }
    void keys() {
        QFETCH(QString, keys);
        QFETCH(int, row);
        model_.setRows(10'000);
        view_->setFocus();
        view_->setCurrentIndex(model_.index(0, 0));
        const int reached = this->row(keys.toLatin1().constData());
        QCOMPARE(reached, row >= 0 ? row : view_->verticalScrollBar()->pageStep());
        QVERIFY(inView(reached));
    }

    void clickChoosesRow() {
        model_.setRows(500);
        view_->scrollTo(model_.index(300, 0), QAbstractItemView::PositionAtTop);
        const QRect third = view_->visualRect(model_.index(302, 0));
        QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, third.center());
        QCOMPARE(view_->currentIndex().row(), 302);
        QVERIFY(view_->selectionModel()->isSelected(model_.index(302, 0)));
    }

    // A new program with fewer lines: the bar shrinks to it; a long line in view
    // widens the horizontal bar.
    void resetAndWidth() {
        model_.setRows(100'000);
        view_->scrollTo(model_.index(99'999, 0));
        model_.setRows(50, 45);
        QScrollBar* bar = view_->verticalScrollBar();
        QTRY_COMPARE(bar->maximum() + bar->pageStep(), 50);
        QCOMPARE(bar->value(), bar->maximum());  // the long line is in view
        view_->viewport()->repaint();
        QVERIFY(view_->horizontalScrollBar()->maximum() > 0);
    }
};

QTEST_MAIN(ProgramListTest)
#include "program_list_test.moc"
