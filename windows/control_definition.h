#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "windows/twips.h"

namespace zivek::windows {

enum class ControlKind {
    TextBox,        // single-line editable box, maybe with a hint
    OutputBox,      // Text1: multi-line, no wrapping, both scroll bars
    Label,          // caption on a coloured ground, never focused
    PushButton,     // caption; a colour makes it a graphical-style button
    DrawingArea,    // Picture1: sunken picture that holds the parameter boxes
    PictureButton,  // a sunken picture that acts as a button; its text names it
    Frame,          // Shape3: black outline, no focus
};

// A bitmap of the tables: its resource and the pixel size it is drawn at.
struct Picture {
    std::string_view resource;
    int width = 0;
    int height = 0;
};

struct ControlDefinition {
    ControlKind kind;
    std::string_view name;
    TwipsRect geometry;                        // from the client area of its parent
    std::string_view text = {};                // caption or default text, UTF-8
    std::string_view hint = {};                // tooltip
    std::optional<std::uint32_t> colour = {};  // background as 0xRRGGBB
    bool onDrawing = false;                    // a child of Picture1, placed from its inner corner
    Picture picture = {};
};

struct TabPosition {
    std::string_view name;
    int position;
};

enum class Border { FixedSingle, Sizable };
enum class Placement { CentreOfScreen, PlatformDefault };

// What every window of the tables has besides its controls.
struct WindowFrame {
    std::string_view name;
    std::string_view caption;
    int clientWidth;   // twips
    int clientHeight;  // twips
    std::uint32_t background;
    Border border;
    Placement placement;
};

}  // namespace zivek::windows
