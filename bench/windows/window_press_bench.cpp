// A whole "G KOD" press at the window for the largest accepted program, against the
// press alone on the same boxes (what the window adds: the output box taking the text),
// and against setPlainText of the same text into the standard multi-line box.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "largest_program.h"
#include "output/press.h"
#include "support/ratio_reporter.h"
#include "windows/operation_window.h"

namespace {

using zivek::windows::OperationWindow;

struct OpenWindow {
    QTemporaryDir home;
    zivek::NoViewer viewer;
    OperationWindow window{zivek::windows::form4(),
                           {zivek::OutputPlace{home.path().toStdString()}, &viewer}};
    OpenWindow() {
        window.open();
        zivek::bench::typeLargestProgram(window);
    }
    QString program() const {
        QFile file(home.filePath("ALANTEMIZLEME.TXT"));
        file.open(QIODevice::ReadOnly);
        return QString::fromLatin1(file.readAll());
    }
};

void WindowPress(benchmark::State& state) {
    OpenWindow form4;
    for (auto _ : state) form4.window.KOD_Click();
    state.counters["bytes"] = static_cast<double>(form4.program().size());
}
BENCHMARK(WindowPress)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The press the window makes, on the boxes as the window reads them, without the window.
void CorePress(benchmark::State& state) {
    OpenWindow form4;
    zivek::BoxTexts boxes;
    for (const QLineEdit* box : form4.window.findChildren<QLineEdit*>())
        boxes[box->objectName().toStdString()] = box->text().toStdString();
    zivek::NoViewer viewer;
    const zivek::OutputPlace place{form4.home.path().toStdString()};
    for (auto _ : state) {
        auto result = zivek::press(zivek::windows::form4().cycle(), boxes, place, viewer);
        benchmark::DoNotOptimize(result.programText.data());
    }
}
BENCHMARK(CorePress)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The reference: the standard multi-line text box, shown at Text1's size, taking the
// same program.
void SetPlainText(benchmark::State& state) {
    OpenWindow form4;
    form4.window.KOD_Click();
    const QString program = form4.program();
    QPlainTextEdit box;
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.resize(257, 361);
    box.show();
    for (auto _ : state) box.setPlainText(program);
}
BENCHMARK(SetPlainText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    zivek::bench::RatioReporter reporter({
        {"WindowPress", "CorePress", "press at the window against the press alone"},
        {"WindowPress", "SetPlainText", "press at the window against setPlainText alone"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
