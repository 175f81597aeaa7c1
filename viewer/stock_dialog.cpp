#include "viewer/stock_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace zivek::backplot {
namespace {

struct BoxRow {
    const char* label;
    double Stock::*field;
};
constexpr std::array<BoxRow, 5> kRows{{
    {"Çap (D)", &Stock::diameter},
    {"Boy (L)", &Stock::length},
    {"Delik çapı, boru için (B)", &Stock::bore},
    {"Alın payı, Z0'ın önünde (F)", &Stock::faceAllowance},
    {"Alından ayna çenesine (J)", &Stock::jawLength},
}};

}  // namespace

StockDialog::StockDialog(QWidget* parent, const Stock& shown, bool inch) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ham parça"));
    auto* form = new QFormLayout(this);
    auto* hint = new QLabel(
        QStringLiteral("Bu programın kesildiği çubuk; bu dosya için saklanır. Delik 0: dolu "
                       "çubuk; ayna 0: bilinmiyor."),
        this);
    hint->setWordWrap(true);
    form->addRow(hint);
    const QString unit = inch ? QStringLiteral(" inç") : QStringLiteral(" mm");
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(QLatin1String(kStockBoxNames[i]));
        box->setDecimals(3);
        box->setRange(0, inch ? 400 : 10000);
        box->setSuffix(unit);
        box->setValue(shown.*kRows[i].field);
        boxes_[i] = box;
        form->addRow(QString::fromUtf8(kRows[i].label), box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Tamam"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Vazgeç"));
    QPushButton* forget =
        buttons->addButton(QStringLiteral("Programa bırak"), QDialogButtonBox::ResetRole);
    forget->setObjectName(QLatin1String(kStockForgetButton));
    forget->setToolTip(QStringLiteral("Programın açıklamasındaki ya da tahmin edilen çubuk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &StockDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(forget, &QPushButton::clicked, this, [this] {
        choice_ = std::optional<Stock>();
        QDialog::accept();
    });
    form->addRow(buttons);
}

void StockDialog::accept() {
    Stock stock;
    for (std::size_t i = 0; i < kRows.size(); ++i) stock.*kRows[i].field = boxes_[i]->value();
    // The words check the bar as the command line's would: a bore narrower than the bar,
    // a face allowance shorter than it.
    const auto checked = readStockWords(stockWords(stock));
    if (!checked) {
        boxes_[0]->setFocus();
        boxes_[0]->setStyleSheet(QStringLiteral("background: #ffd6d6"));
        return;
    }
    choice_ = checked;
    QDialog::accept();
}

}  // namespace zivek::backplot
