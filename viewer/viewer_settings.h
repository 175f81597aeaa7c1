#pragma once

// What the viewer keeps from one start to the next. Each setting's key, and its value
// until the user has set one, are written here once; nothing else in the viewer opens
// the settings. They live in the user's settings of "zivek-backplot" by "zivek"
// (~/.config/zivek/zivek-backplot.conf; on Windows the registry's
// HKCU\Software\zivek\zivek-backplot) under the keys they have always had: a key renamed
// here would lose what users have kept under the old one.

#include <QMargins>
#include <QRect>
#include <QStringList>
#include <optional>
#include <utility>

namespace zivek::backplot {

// One setting: read afresh each time and written at once, so that viewers running side
// by side each keep what they change and lose nothing another one kept.
template <typename T>
class Setting {
  public:
    Setting(const char* key, T initial) : key_(key), initial_(std::move(initial)) {}
    // The value kept, or the initial one while none is.
    T value() const;
    void keep(const T& value) const;

  private:
    const char* key_;
    T initial_;
};

extern template class Setting<double>;
extern template class Setting<bool>;
extern template class Setting<QString>;
extern template class Setting<QStringList>;
extern template class Setting<QRect>;
extern template class Setting<std::optional<QMargins>>;

struct ViewerSettings {
    // A lathe's rapid traverse, until the user sets the machine's own.
    static inline const Setting<double> rapidRate{"time/rapidRate", 10000};
    // The plot turned as the wizard's drawings: the machinist's habit.
    static inline const Setting<bool> upright{"view/upright", false};
    // The programs opened last, newest first.
    static inline const Setting<QStringList> recentFiles{"files/recent", {}};
    // The bar given for a program file: "path<TAB>D50 L80 ...", newest first.
    static inline const Setting<QStringList> fileStocks{"files/stock", {}};
    // The inside of the window when not maximised; invalid while none is kept.
    static inline const Setting<QRect> windowInside{"window/inside", {}};
    // The window manager's frame around it, as it was.
    static inline const Setting<std::optional<QMargins>> windowFrame{"window/frame", {}};
    static inline const Setting<bool> windowMaximized{"window/maximized", false};
    // The tool table file the Takımlar dialog saves; empty: the one in the user's
    // configuration folder.
    static inline const Setting<QString> toolTableFile{"tools/file", {}};
};

}  // namespace zivek::backplot
