#include "viewer/viewer_settings.h"

#include <QSettings>
#include <QVariantList>

namespace zivek::backplot {
namespace {

// In the system's own form (the registry on Windows), unless a test has chosen files in
// a folder of its own through QSettings::setDefaultFormat and QSettings::setPath.
QSettings stored() {
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("zivek"),
                     QStringLiteral("zivek-backplot"));
}

// A kept value as its type; the settings file gives back any of them as text.
void read(const QVariant& kept, double& value) {
    value = kept.toDouble();
}
void read(const QVariant& kept, bool& value) {
    value = kept.toBool();
}
void read(const QVariant& kept, QString& value) {
    value = kept.toString();
}
void read(const QVariant& kept, QStringList& value) {
    value = kept.toStringList();
}
void read(const QVariant& kept, QRect& value) {
    value = kept.toRect();
}
// Margins are kept as four numbers: left, top, right, bottom.
void read(const QVariant& kept, std::optional<QMargins>& value) {
    const QVariantList sides = kept.toList();
    if (sides.size() == 4)
        value = QMargins(sides[0].toInt(), sides[1].toInt(), sides[2].toInt(), sides[3].toInt());
}

template <typename T>
QVariant toKept(const T& value) {
    return QVariant::fromValue(value);
}
QVariant toKept(const std::optional<QMargins>& value) {
    if (!value) return QVariant();
    return QVariantList{value->left(), value->top(), value->right(), value->bottom()};
}

}  // namespace

template <typename T>
T Setting<T>::value() const {
    T value = initial_;
    const QVariant kept = stored().value(QLatin1String(key_));
    if (kept.isValid()) read(kept, value);
    return value;
}

template <typename T>
void Setting<T>::keep(const T& value) const {
    const QVariant kept = toKept(value);
    if (kept.isValid())
        stored().setValue(QLatin1String(key_), kept);
    else
        stored().remove(QLatin1String(key_));
}

template class Setting<double>;
template class Setting<bool>;
template class Setting<QString>;
template class Setting<QStringList>;
template class Setting<QRect>;
template class Setting<std::optional<QMargins>>;

}  // namespace zivek::backplot
