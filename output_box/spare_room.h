#pragma once

#include <string>

namespace zivek::windows {

// Gives the system back the whole pages of a string's room beyond its text, which a
// text made in place, shorter than what was first written there, leaves touched and
// counted against the program for as long as the string lives. The string stays as it
// is; room used again later is simply taken anew.
void releaseRoomAfter(std::string& text);

}  // namespace zivek::windows
