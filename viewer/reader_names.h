#pragma once

// What the viewer takes from the program reader and the workpiece, by name: the edge
// between them, written once. The viewer shows what they make; it does not reach inside.

#include "zivek/gcode/arcs.h"
#include "zivek/gcode/dialect_names.h"
#include "zivek/gcode/program_file.h"
#include "zivek/gcode/program_header.h"
#include "zivek/gcode/summary_json.h"
#include "zivek/gcode/text_decoding.h"
#include "zivek/gcode/tool_table.h"
#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/finishing_contour.h"
#include "zivek/workpiece/shop_cut.h"
#include "zivek/workpiece/stock.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::backplot {

// The path and what it says of the program.
using gcode::Arc;
using gcode::CompensationFault;
using gcode::CycleContour;
using gcode::Dialect;
using gcode::DialectChoice;
using gcode::DialectSign;
using gcode::Extent;
using gcode::LineWarning;
using gcode::Move;
using gcode::MoveKind;
using gcode::MoveTotals;
using gcode::Point;
using gcode::ReadOptions;
using gcode::Spindle;
using gcode::Summary;
using gcode::TimeGap;
using gcode::ToolChange;
using gcode::Toolpath;
using gcode::Warning;
using enum gcode::MoveFlag;
using gcode::interpret;
using gcode::lineAt;
using gcode::lineStarts;
using gcode::polyline;
using gcode::splitLines;

// The program's file and its text, its summary, its arcs drawn.
using gcode::classifyText;
using gcode::DecodedText;
using gcode::decodeToUtf8;
using gcode::flattenArc;
using gcode::kMaxProgramBytes;
using gcode::LoadedProgram;
using gcode::loadProgramFile;
using gcode::LoadStatus;
using gcode::ProgramHeader;
using gcode::readProgramHeader;
using gcode::summaryJson;

// The user's tool table: the nose G41/G42 take.
using gcode::NoseUsed;
using gcode::readToolTable;
using gcode::readToolTableFile;
using gcode::ToolEntry;
using gcode::ToolTable;
using gcode::ToolTableReading;
using gcode::writeToolTable;

// The dialects' names.
using gcode::DialectName;
using gcode::dialectNameOf;
using gcode::dialectNames;

// The cut of the workpiece.
using workpiece::ConvexRegion;
using workpiece::CutCheck;
using workpiece::CuttingTool;
using workpiece::CutWarning;
using workpiece::Damage;
using workpiece::WorkpieceCut;

// The bar and the shop's tools for a program that is not the wizard's.
using gcode::readToolTable;
using gcode::readToolTableFile;
using gcode::ToolTable;
using workpiece::arcChords;
using workpiece::contourPart;
using workpiece::guessStock;
using workpiece::readStockWords;
using workpiece::ShopCut;
using workpiece::shopCut;
using workpiece::Stock;
using workpiece::stockFromComments;
using workpiece::stockWords;
using workpiece::ToolFrom;

}  // namespace zivek::backplot
