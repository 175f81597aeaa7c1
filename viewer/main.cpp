#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "common/command_line.h"
#include "common/qt_translation.h"
#include "viewer/file_claim.h"
#include "viewer/main_window.h"
#include "viewer/rapid_rate_box.h"
#include "viewer/reader_names.h"
#include "viewer/setup_sheet.h"
#include "viewer/shop_stock.h"
#include "viewer/texts.h"
#include "viewer/tool_table_dialog.h"
#include "zivek/gcode/program_file.h"
#include "zivek/gcode/summary_json.h"

namespace {

using zivek::app::complain;
using zivek::app::kExitBadCommandLine;
using zivek::app::kExitDone;
using zivek::app::kExitFailed;

const QCommandLineOption kWorkpiece(QStringLiteral("workpiece"),
                                    zivek::backplot::workpieceOptionText(),
                                    QStringLiteral("metin"));
const QCommandLineOption kSummary(QStringLiteral("summary"), zivek::backplot::summaryOptionText(),
                                  QStringLiteral("dosya"));
const QCommandLineOption kSheet(QStringLiteral("sheet"), zivek::backplot::sheetOptionText());
const QCommandLineOption kRapid(QStringLiteral("rapid"), zivek::backplot::rapidOptionText(),
                                QStringLiteral("mm/dk"));

// The machine's rapid traverse in mm/min from --rapid; none when not given, 0 when the
// value is no rate.
std::optional<double> rapidOption(const QCommandLineParser& parser) {
    if (!parser.isSet(kRapid)) return std::nullopt;
    bool number = false;
    const double rate = parser.value(kRapid).toDouble(&number);
    return number && rate > 0 && std::isfinite(rate) ? rate : 0;
}

const QCommandLineOption kTools(QStringLiteral("tools"), zivek::backplot::toolsOptionText(),
                                QStringLiteral("dosya"));

// The table --tools names, read for this run; false, said, when it cannot be read.
bool givenTools(const QCommandLineParser& parser,
                std::shared_ptr<const zivek::backplot::ToolTable>& out) {
    if (!parser.isSet(kTools)) return true;
    const QString file = parser.value(kTools);
    out = zivek::backplot::loadToolTable(file);
    if (!out) complain(zivek::backplot::toolTableUnreadableText(file));
    return out != nullptr;
}

const QCommandLineOption kStock(QStringLiteral("stock"),
                                QStringLiteral("Programın kesildiği çubuk: \"D50 L80\", isteğe "
                                               "bağlı B (delik), F (alın payı), J (aynaya)"),
                                QStringLiteral("D.. L.."));
// The bar --stock gives; false, having said why, when its words make none.
bool givenStock(const QCommandLineParser& parser, std::optional<zivek::backplot::Stock>& out) {
    if (!parser.isSet(kStock)) return true;
    out = zivek::backplot::readStockWords(parser.value(kStock).toStdString());
    if (!out)
        complain(QStringLiteral("--stock anlaşılmadı: \"%1\" (örnek: --stock D50 L80 J30)")
                     .arg(parser.value(kStock)));
    return out.has_value();
}

const QCommandLineOption kDialect(QStringLiteral("dialect"), zivek::backplot::dialectOptionText(),
                                  QStringLiteral("lehçe"));

// The dialect --dialect names, or none when it is not given; false when it names none.
bool givenDialect(const QCommandLineParser& parser, std::optional<zivek::backplot::Dialect>& out) {
    if (!parser.isSet(kDialect)) return true;
    out = zivek::backplot::dialectByKey(parser.value(kDialect));
    if (!out) complain(zivek::backplot::unknownDialectText(parser.value(kDialect)));
    return out.has_value();
}

// `zivek-backplot --summary FILE [RAPID-RATE]`: the totals as JSON, no window, no display.
int printSummary(const QCommandLineParser& parser) {
    using namespace zivek::backplot;
    const QString file = parser.value(kSummary);
    const QStringList rest = parser.positionalArguments();
    double rapid = rapidOption(parser).value_or(10000);
    bool number = true;
    if (!rest.isEmpty()) rapid = rest.constFirst().toDouble(&number);
    if (!number || !(rapid > 0) || rest.size() > 1) {
        complain(summaryUsageText());
        return kExitBadCommandLine;
    }
    const std::filesystem::path program = zivek::app::toPath(file);
    const LoadedProgram loaded = loadProgramFile(program);
    if (loaded.status != LoadStatus::Ok) {
        complain(loadFailureText(loaded.status, file));
        return kExitFailed;
    }
    // o<name> calls search the program's own folder first, then the user's folders.
    ReadOptions options;
    options.subroutineFolders = zivek::app::subroutineFolders(&parser);
    options.subroutineFolders.insert(options.subroutineFolders.begin(),
                                     std::filesystem::absolute(program).parent_path());
    std::optional<Dialect> given;
    if (!givenDialect(parser, given)) return kExitBadCommandLine;
    options.autoDialect = !given;
    if (given) options.dialect = *given;
    if (!givenTools(parser, options.tools)) return kExitFailed;
    std::optional<Stock> stock;
    if (!givenStock(parser, stock)) return kExitBadCommandLine;
    const std::shared_ptr<const ToolTable> tools = options.tools;
    const auto path = std::make_shared<const Toolpath>(interpret(loaded.text, options));
    // The machine's rate is in mm/min; an inch program's rapids are timed in inches.
    std::string json = summaryJson(*path, loaded.decoded, ratePerMinute(rapid, path->inch));
    // The bar's cut only when asked for: the totals stay as scripts have read them.
    const auto use =
        parser.isSet(kStock) || tools ? stockFor(stock, loaded.text, *path) : std::nullopt;
    if (use) {
        ShopCut shop = shopCut(use->stock, tools.get(), path->inch, toolChangesOf(*path),
                               contourPart(*path, loaded.text, use->stock));
        shop.start.warnRapidsIntoMaterial = use->source != StockSource::Guessed;
        shop.start.arcs = arcChords(*path);
        const WorkpieceCut cut(std::move(shop.start),
                               std::shared_ptr<const std::vector<Move>>(path, &path->moves));
        const std::size_t close = json.rfind('}');
        json.insert(close == std::string::npos ? json.size() : close - 1,
                    stockSummaryJson(*use, cut));
    }
    std::fputs(json.c_str(), stdout);
    return kExitDone;
}

// `zivek-backplot --sheet PROGRAM OUT.pdf`: the window, never shown, writes its sheet.
int writeSheetOnly(zivek::backplot::MainWindow& window, const QStringList& files) {
    using namespace zivek::backplot;
    if (files.size() != 2) {
        complain(sheetUsageText());
        return kExitBadCommandLine;
    }
    window.openFile(files[0]);
    if (!window.message().isEmpty()) {
        complain(window.message());
        return kExitFailed;
    }
    // Laid out as on screen, so the plot's view is the one a window would show.
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QCoreApplication::processEvents();
    if (writeSetupSheet(files[1], window.sheetContent())) return kExitDone;
    complain(sheetFailedText(files[1]) + QLatin1Char(' ') +
             fileErrorText(files[1], QFileDevice::OpenError));
    return kExitFailed;
}

// Without a display Qt warns of what the offscreen platform lacks (XDG_RUNTIME_DIR,
// propagateSizeHints ...): nothing a user of --sheet can act on. Its errors still show.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qPrintable(qFormatLogMessage(type, context, text) + QLatin1Char('\n')), stderr);
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace zivek::backplot;
    QCommandLineParser parser;
    zivek::app::describeProgram(parser, {QStringLiteral("zivek-backplot"),
                                         viewerDescriptionText(),
                                         {{kExitDone, exitDoneText()},
                                          {kExitFailed, exitFailedText()},
                                          {kExitBadCommandLine, exitBadCommandLineText()}}});
    parser.addPositionalArgument(QStringLiteral("dosya"), programArgumentText(),
                                 QStringLiteral("[dosya]"));
    parser.addOption(kWorkpiece);
    parser.addOption(kSummary);
    parser.addOption(kSheet);
    parser.addOption(kRapid);
    parser.addOption(kDialect);
    parser.addOption(kStock);
    parser.addOption(kTools);
    parser.addOption(zivek::app::subroutinePathOption());
    zivek::app::answerWithoutDisplay(parser, argc, argv);
    if (rapidOption(parser) == 0.0) {
        complain(rapidUsageText());
        return kExitBadCommandLine;
    }
    // Neither the totals nor the sheet needs a display.
    if (parser.isSet(kSummary)) {
        QCoreApplication core(argc, argv);
        parser.process(joinStockWords(core.arguments()));
        return printSummary(parser);
    }
    if (parser.isSet(kSheet)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(keepQtErrorsOnly);
    }
    QApplication app(argc, argv);
    parser.process(joinStockWords(app.arguments()));
    zivek::app::installQtTranslation();
    const QStringList files = parser.positionalArguments();
    std::optional<Dialect> given;
    if (!givenDialect(parser, given)) return kExitBadCommandLine;
    std::optional<FileClaim> claim;
    if (!parser.isSet(kSheet) && !files.isEmpty()) {
        claim.emplace(files.constFirst(), parser.value(kWorkpiece),
                      GivenReading{given ? parser.value(kDialect) : QString(),
                                   rapidOption(parser) ? parser.value(kRapid) : QString()});
        if (claim->handedOver()) return kExitDone;
    }
    MainWindow window;
    window.setSubroutineFolders(zivek::app::subroutineFolders(&parser));
    if (const auto rapid = rapidOption(parser)) window.setRapidRate(*rapid);
    // For the file named, as if chosen in the window; files opened later are guessed again.
    if (given && !files.isEmpty()) window.chooseDialect(*given, files.constFirst());
    if (parser.isSet(kWorkpiece))
        window.setWorkpiece(zivek::readWorkpiece(parser.value(kWorkpiece).toStdString()));
    if (parser.isSet(kTools)) {
        std::shared_ptr<const ToolTable> tools;
        if (!givenTools(parser, tools)) return kExitFailed;
        window.setToolTableFile(parser.value(kTools));
    }
    std::optional<Stock> stock;
    if (!givenStock(parser, stock)) return kExitBadCommandLine;
    if (stock && !files.isEmpty()) window.giveStock(files.constFirst(), stock);
    if (parser.isSet(kSheet)) return writeSheetOnly(window, files);
    if (!files.isEmpty()) {
        window.openFile(files.constFirst());
        claim->release();  // the window listens for the file now
    } else {
        window.showMessage(noFileText());
    }
    window.show();
    return app.exec();
}
