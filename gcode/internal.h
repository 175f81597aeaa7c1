#pragma once

// Every header of the reader that is not part of its public face (include/zivek/gcode/)
// begins with this, so that the build, not a comment, keeps the viewer and the other
// users of the library out of its insides. The library and its own tests define it.
#ifndef ZIVEK_GCODE_INTERNAL
#error "an internal header of the program reader: use the headers under zivek/gcode/"
#endif
