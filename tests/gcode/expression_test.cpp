// LinuxCNC's arithmetic and o-word flow, with values worked out by hand and checked
// against LinuxCNC's own interpreter (rs274 in lathe mode).

#include "gcode/expression.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

TEST(Expression, ValuesAsLinuxCncComputesThem) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"[1+2*3]", 7},
        {"[[1+2]*3]", 9},
        {"[2**3**2]", 64},  // left to right, as LinuxCNC does
        {"[-2**2]", 4},     // the sign belongs to the number
        {"[2*3**2]", 18},
        {"[10-4-3]", 3},
        {"[12/4/3]", 1},
        {"[-7 MOD 3]", 2},  // never negative
        {"[7 MOD -3]", 1},
        {"[7.5 MOD 2]", 1.5},
        {"[1+2*3 GT 6 AND 1]", 1},
        {"[1 EQ 1.00001]", 1},  // equal within a ten-thousandth
        {"[1 NE 1.001]", 1},
        {"[2 GE 2]", 1},
        {"[2 LT 2]", 0},
        {"[3 LE 2 OR 0]", 0},
        {"[1 XOR 1]", 0},
        {"[1 XOR 0]", 1},
        {"[0 AND 5]", 0},
        {"[ATAN[1]/[1]]", 45},
        {"[ATAN[1]/[-1]]", 135},
        {"[SIN[30]]", 0.5},
        {"[COS[60]]", 0.5},
        {"[TAN[45]]", 1},
        {"[ASIN[1]]", 90},
        {"[ACOS[0]]", 90},
        {"[SQRT[16]+ABS[-2]]", 6},
        {"[EXP[0]+LN[1]]", 1},
        {"[FIX[-2.5]]", -3},
        {"[FUP[-2.5]]", -2},
        {"[FIX[2.5]]", 2},
        {"[ROUND[2.5]]", 3},
        {"[ROUND[-2.5]]", -3},
        {"[ROUND[2.4999]]", 2},
        {"[ round [ 1.5 ] * 2 ]", 4},
        {"-[2]", -2},
        {"#1", 0},  // unset reads 0
        {"[#5399+1]", 1},
        // each function at its domain's edge
        {"[ASIN[-1]]", -90},
        {"[ACOS[1]]", 0},
        {"[ACOS[-1]]", 180},
        {"[SQRT[0]]", 0},
        {"[EXP[709]/EXP[708]]", 2.718281828459045},
        {"[10**308/10**307]", 10},
        {"[[-8]**[3]]", -512},
        {"[0**0]", 1},
        {"[0/5]", 0},
        {"[0 MOD 5]", 0},
        {"[ATAN[0]/[-1]]", 180},
        {"[ROUND[0.5]]", 1},
        {"[ROUND[-0.5]]", -1},
        {"[FIX[-3]]", -3},
        {"[FUP[3]]", 3},
    };
    const Parameters params;
    for (const Case& c : cases) {
        double v = 0;
        ExprError e = ExprError::None;
        EXPECT_EQ(readValue(c.text, params, v, e), std::string(c.text).size()) << c.text;
        EXPECT_EQ(e, ExprError::None) << c.text;
        EXPECT_NEAR(v, c.value, 1e-12) << c.text;
    }
}

TEST(Expression, FaultsAreNamedNotThrown) {
    struct Case {
        const char* text;
        ExprError error;
    };
    const Case cases[] = {
        {"[1/0]", ExprError::DivisionByZero},
        {"[1/[2-2]]", ExprError::DivisionByZero},
        {"[5 MOD 0]", ExprError::DivisionByZero},
        {"[SQRT[-1]]", ExprError::Domain},
        {"[LN[0]]", ExprError::Domain},
        {"[ASIN[2]]", ExprError::Domain},
        {"[ACOS[-1.5]]", ExprError::Domain},
        {"[[-8]**[1/3]]", ExprError::Domain},
        {"[EXP[1000]]", ExprError::Domain},
        {"[10**400]", ExprError::Domain},
        {"[1+]", ExprError::Syntax},
        {"[1+2", ExprError::Syntax},
        {"[1 ++ ]", ExprError::Syntax},
        {"[ATAN[1]]", ExprError::Syntax},
        {"[FOO[1]]", ExprError::Syntax},
        {"#0", ExprError::Syntax},
        {"#99999", ExprError::Syntax},
        {"#<missing>", ExprError::UnknownName},
        {"[EXISTS[5]]", ExprError::Syntax},
        // just past each function's domain
        {"[ASIN[1.000001]]", ExprError::Domain},
        {"[ACOS[-1.000001]]", ExprError::Domain},
        {"[SQRT[-0.000001]]", ExprError::Domain},
        {"[LN[-1]]", ExprError::Domain},
        {"[EXP[710]]", ExprError::Domain},
        {"[[-8]**[0.5]]", ExprError::Domain},
        {"[0/0]", ExprError::DivisionByZero},
    };
    const Parameters params;
    for (const Case& c : cases) {
        double v = 0;
        ExprError e = ExprError::None;
        EXPECT_EQ(readValue(c.text, params, v, e), 0u) << c.text;
        EXPECT_EQ(e, c.error) << c.text;
    }
    // Brackets nested without end stop at a depth, not at the stack's end.
    const std::string deep = std::string(100000, '[') + "1" + std::string(100000, ']');
    double v = 0;
    ExprError e = ExprError::None;
    EXPECT_EQ(readValue(deep, params, v, e), 0u);
}

// Every pair of binary operators, "[a op1 b op2 c]", against LinuxCNC's binding levels
// kept here as an independent table: the tighter pair first, left to right within a
// level. The operands are chosen so that the two groupings differ for every pair whose
// order matters.
TEST(Expression, EveryOperatorPairBindsAsInLinuxCnc) {
    using Apply = std::optional<double> (*)(double, double);
    struct Operator {
        const char* text;
        int level;  // tighter binds higher
        Apply apply;
    };
    const Operator ops[] = {
        {"**", 6,
         [](double a, double b) -> std::optional<double> {
             const double v = std::pow(a, b);
             if ((a < 0 && b != std::floor(b)) || !std::isfinite(v)) return std::nullopt;
             return v;
         }},
        {"*", 5, [](double a, double b) -> std::optional<double> { return a * b; }},
        {"/", 5,
         [](double a, double b) -> std::optional<double> {
             if (b == 0) return std::nullopt;
             return a / b;
         }},
        {"MOD", 5,
         [](double a, double b) -> std::optional<double> {
             if (b == 0) return std::nullopt;
             const double r = std::fmod(a, b);
             return r < 0 ? r + std::abs(b) : r;
         }},
        {"+", 4, [](double a, double b) -> std::optional<double> { return a + b; }},
        {"-", 4, [](double a, double b) -> std::optional<double> { return a - b; }},
        {"EQ", 3, [](double a, double b) { return std::optional<double>(a == b ? 1 : 0); }},
        {"NE", 3, [](double a, double b) { return std::optional<double>(a != b ? 1 : 0); }},
        {"GT", 3, [](double a, double b) { return std::optional<double>(a > b ? 1 : 0); }},
        {"GE", 3, [](double a, double b) { return std::optional<double>(a >= b ? 1 : 0); }},
        {"LT", 3, [](double a, double b) { return std::optional<double>(a < b ? 1 : 0); }},
        {"LE", 3, [](double a, double b) { return std::optional<double>(a <= b ? 1 : 0); }},
        {"AND", 2,
         [](double a, double b) { return std::optional<double>(a != 0 && b != 0 ? 1 : 0); }},
        {"OR", 2,
         [](double a, double b) { return std::optional<double>(a != 0 || b != 0 ? 1 : 0); }},
        {"XOR", 2,
         [](double a, double b) { return std::optional<double>((a != 0) != (b != 0) ? 1 : 0); }},
    };
    const double operands[][3] = {{7, 3, 2}, {2, 3, 2}, {1, 0, 2}, {3, 2, 3},
                                  {0, 1, 1}, {1, 1, 0}, {2, 2, 1}, {1, 2, 0}};
    const Parameters params;
    for (const Operator& first : ops) {
        for (const Operator& second : ops) {
            for (const auto& [a, b, c] : operands) {
                std::optional<double> want;
                if (first.level >= second.level) {
                    if (const auto ab = first.apply(a, b)) want = second.apply(*ab, c);
                } else if (const auto bc = second.apply(b, c)) {
                    want = first.apply(a, *bc);
                }
                std::ostringstream text;
                text << '[' << a << ' ' << first.text << ' ' << b << ' ' << second.text << ' ' << c
                     << ']';
                double v = 0;
                ExprError e = ExprError::None;
                readValue(text.str(), params, v, e);
                ASSERT_EQ(e == ExprError::None, want.has_value()) << text.str();
                if (want) {
                    EXPECT_NEAR(v, *want, 1e-9 * std::max(1.0, std::abs(*want))) << text.str();
                }
            }
        }
    }
}

// The end point of every feed and rapid move, in program units (X as written: radius).
std::vector<Point> ends(const Toolpath& path) {
    std::vector<Point> out;
    for (const Move& m : path.moves) out.push_back(m.to);
    return out;
}

std::string warningsOf(const Toolpath& path) {
    std::string s;
    for (const LineWarning& w : path.warnings)
        s += std::to_string(w.line) + ":" + std::to_string(int(w.code)) + ":" + w.word + " ";
    return s;
}

TEST(Parameters, ProgramsMoveWhereLinuxCncMoves) {
    struct Case {
        const char* name;
        const char* program;
        std::vector<Point> ends;  // {z, x}
    };
    const Case cases[] = {
        {"settings on a line take effect after it",
         "G18 G7\n#1=2\n#1=5 #2=#1\nG0 X#2 Z#1\n#3=1 G0 X#3 Z1\nM2\n",
         {{5, 1}, {1, 0}}},
        {"named locals and globals",
         "G18 G8\n#<a>=3\n#<_Bq> = [#<a>*2]\nG0 X#<A> Z#<_bq>\nG0 X[EXISTS[#<a>]] "
         "Z[EXISTS[#<c>]]\nM2\n",
         {{6, 3}, {0, 1}}},
        {"indirection and a computed word",
         "G18 G8\n#2=7\n#1=2\nG0 X##1 Z-#1\nG[#1-2] X0 Z0\nG1 X1 Z-[1] F100\nM2\n",
         {{-2, 7}, {0, 0}, {-1, 1}}},
        {"a while loop of passes",
         "G18 G8 G0 X10 Z2\n#1=0\no100 while [#1 LT 3]\nG1 X[9-#1] Z-5 F100\nG0 Z2\n#1=[#1+1]\n"
         "o100 endwhile\nM2\n",
         {{2, 10}, {-5, 9}, {2, 9}, {-5, 8}, {2, 8}, {-5, 7}, {2, 7}}},
        {"repeat, and a while with continue and break",
         "G18 G8 G0 X0 Z0\n#1=0\no1 repeat [3]\n#1=[#1+1]\nG1 X#1 F100\no1 endrepeat\n"
         "#2=0\no2 while [1]\n#2=[#2+1]\no3 if [#2 EQ 2]\no2 continue\no3 endif\n"
         "o4 if [#2 GT 3]\no2 break\no4 endif\nG1 Z-#2\no2 endwhile\nG0 X1\nM2\n",
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {-1, 3}, {-3, 3}, {-3, 1}}},
        {"a do-while runs its body before the test",
         "G18 G8 G0 X0 Z0\n#5=0\no5 do\n#5=[#5+1]\nG0 X#5\no5 while [#5 LT 3]\n#6=5\n"
         "o6 do\nG0 Z#6\no6 while [#6 LT 3]\nM2\n",
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {5, 3}}},
        {"if, elseif and else",
         "G18 G8 G0 X0 Z0\n#1=2\no1 if [#1 EQ 1]\nG0 X1\no1 elseif [#1 EQ 2]\nG0 X2\no1 elseif "
         "[#1 EQ 2]\nG0 X22\no1 else\nG0 X3\no1 endif\no2 if [0]\nG0 X4\no2 else\nG0 X5\n"
         "o2 endif\nM2\n",
         {{0, 0}, {0, 2}, {0, 5}}},
        {"nested subroutines with arguments",
         "o<groove> sub\nG1 X[#1-#2] F50\nG0 X#1\no<groove> endsub\n"
         "o<pass> sub\n#<depth>=[#2/2]\no<groove> call [#1] [#<depth>]\nG0 Z[#3-#1]\n"
         "o<pass> return [#3*2]\no<pass> endsub\nG18 G8 G0 X10 Z0\n#1=99\n"
         "o<pass> call [10] [4] [3]\nG0 X#1 Z#<_value>\nM2\n",
         {{0, 10}, {0, 8}, {0, 10}, {-7, 10}, {6, 99}}},
        {"M73 undoes a call's distance and diameter modes, not its motion mode",
         "o1 sub\nM73\nG91 G7\nG0 X2 Z-1\no1 endsub\nG18 G90 G8 G0 X10 Z5\no1 call\nX12 Z2\n"
         "M2\n",
         {{5, 10}, {4, 11}, {2, 12}}},
        {"a call's locals do not leak",
         "o1 sub\n#<n>=5\n#1=7\no1 endsub\nG18 G8\n#<n>=1\n#1=2\no1 call\nG0 X#<n> Z#1\nM2\n",
         {{2, 1}}},
    };
    ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
    for (const Case& c : cases) {
        const Toolpath path = interpret(c.program, options);
        EXPECT_TRUE(path.warnings.empty()) << c.name << ": " << warningsOf(path);
        EXPECT_EQ(ends(path), c.ends) << c.name;
    }
}

TEST(Parameters, FaultsWarnOnTheirLineAndLoseOnlyTheirWord) {
    struct Case {
        const char* line;  // after "G18 G8 G0 X0 Z0\n"
        Warning warning;
        std::string word;
        std::size_t moves;  // counting the first
    };
    const Case cases[] = {
        {"G0 X[1/0] Z1", Warning::MathError, "X[1/0]", 1},
        {"G0 X[SQRT[-4]]", Warning::MathError, "X[SQRT[-4]]", 1},
        {"#1=[1/0]", Warning::MathError, "#1=[1/0]", 1},
        {"G0 X#<nothing>", Warning::BadExpression, "X#<nothing>", 1},
        {"G0 X[1+", Warning::BadExpression, "X[1+", 1},
        {"#1 5", Warning::BadExpression, "#15", 1},  // blanks mean nothing: "#15"
        {"o1 if [1/0]\nG0 X1\no1 endif", Warning::MathError, "[1/0]", 1},
        {"o<missing> call [1]", Warning::CycleMissingContour, "o<missing>", 1},
        {"o1 while [0]\nG0 X1", Warning::NotEvaluated, "endwhile", 1},
        {"o1 goto", Warning::NotEvaluated, "o1 goto", 1},
    };
    ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
    for (const Case& c : cases) {
        const Toolpath path = interpret(std::string("G18 G8 G0 X0 Z0\n") + c.line, options);
        ASSERT_FALSE(path.warnings.empty()) << c.line;
        EXPECT_EQ(path.warnings.front().code, c.warning) << c.line << warningsOf(path);
        EXPECT_EQ(path.warnings.front().line, 1u) << c.line;
        EXPECT_EQ(path.warnings.front().word, c.word) << c.line;
        // A lost axis leaves the tool somewhere unknown: the move waits for it.
        EXPECT_EQ(path.moves.size(), c.moves) << c.line;
    }
}

TEST(Parameters, EndlessLoopsEndAtTheWorkBudget) {
    const char* programs[] = {
        "G0 X0 Z0\no1 while [1]\no1 endwhile\nG0 X5\n",
        "G0 X0 Z0\no1 do\nG1 X1 F1\nG1 X0\no1 while [1]\n",
        "G0 X0 Z0\no1 repeat [1E9]\no1 endrepeat\n",
        "o1 sub\no1 call\no1 endsub\no1 call\n",
    };
    for (const char* p : programs) {
        const Toolpath path = interpret(p);
        ASSERT_FALSE(path.warnings.empty()) << p;
        EXPECT_EQ(path.warnings.back().code, Warning::ExpansionLimit) << p;
        EXPECT_LT(path.moves.size(), 100000u) << p;
    }
}

}  // namespace
}  // namespace zivek::gcode
