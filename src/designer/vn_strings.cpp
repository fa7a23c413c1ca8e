#include "designer/vn_strings.h"

#include <QCoreApplication>

#include <array>

namespace vantor {
namespace {

constexpr std::array<const char*, sTextCount> kTexts = {
    QT_TRANSLATE_NOOP("Vantor", "Criterions"),
    QT_TRANSLATE_NOOP("Vantor", "Selection"),
    QT_TRANSLATE_NOOP("Vantor", "Grouping criterions"),
    QT_TRANSLATE_NOOP("Vantor", "Sorting"),
    QT_TRANSLATE_NOOP("Vantor", "Given parent is not valid for WorkArea!"),
    QT_TRANSLATE_NOOP("Vantor", "Invalid parent for table object!"),
    QT_TRANSLATE_NOOP("Vantor", "Table with alias"),
    QT_TRANSLATE_NOOP("Vantor", "already exist"),
    QT_TRANSLATE_NOOP("Vantor", "Insert point"),
    QT_TRANSLATE_NOOP("Vantor", "Delete point"),
    QT_TRANSLATE_NOOP("Vantor", "Delete link"),
    QT_TRANSLATE_NOOP("Vantor", "Property"),
    QT_TRANSLATE_NOOP("Vantor", "Do you really want to delete the link between "),
    QT_TRANSLATE_NOOP("Vantor", "and"),
    QT_TRANSLATE_NOOP("Vantor", "Attention!"),
    QT_TRANSLATE_NOOP("Vantor", "Confirmation"),
    QT_TRANSLATE_NOOP("Vantor", "Invalid index = %d "),
    QT_TRANSLATE_NOOP("Vantor", "Invalid table %s in Link control"),
};

}  // namespace

QString VnText(TVnTextId id) {
  if (id < 0 || id >= sTextCount)
    return {};
  return QCoreApplication::translate("Vantor", kTexts[static_cast<std::size_t>(id)]);
}

const char* VnSourceText(TVnTextId id) {
  if (id < 0 || id >= sTextCount)
    return "";
  return kTexts[static_cast<std::size_t>(id)];
}

}  // namespace vantor
