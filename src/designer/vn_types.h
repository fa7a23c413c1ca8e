#pragma once

// Small types shared by the designer, the diagram and the editors: colours, the
// option and tab sets, the enumerations, the hit zones and the designer's error class.

#include "core/errors.h"

#include <QColor>
#include <QMetaType>

#include <cstdint>

namespace vantor {

// A colour as the designer stores it: 0x00BBGGRR, or a system colour index with the top bit
// set (0x80000018 is the tool-tip background, 0x8000000F the button face).
using TColor = std::uint32_t;
inline constexpr TColor clSystemColor = 0x80000000u;
inline constexpr TColor clInfoBk = 0x80000018u;
inline constexpr TColor clBtnFace = 0x8000000Fu;

// The colour to paint with: RGB colours as they are, system colours from the application
// palette.
QColor ColorToQColor(TColor color);

// A set of up to eight values of a small enumeration, one bit per ordinal.
template <class E> class TVnSet {
public:
  constexpr TVnSet() = default;
  constexpr TVnSet(std::initializer_list<E> values) {
    for (E e : values)
      m_bits = static_cast<std::uint8_t>(m_bits | Bit(e));
  }
  static constexpr TVnSet FromBits(std::uint8_t bits) {
    TVnSet s;
    s.m_bits = bits;
    return s;
  }

  constexpr bool Contains(E e) const { return (m_bits & Bit(e)) != 0; }
  constexpr bool Empty() const { return m_bits == 0; }
  constexpr std::uint8_t Bits() const { return m_bits; }
  constexpr TVnSet operator+(E e) const { return FromBits(static_cast<std::uint8_t>(m_bits | Bit(e))); }
  constexpr TVnSet operator-(E e) const { return FromBits(static_cast<std::uint8_t>(m_bits & ~Bit(e))); }
  constexpr bool operator==(const TVnSet&) const = default;

private:
  static constexpr std::uint8_t Bit(E e) { return static_cast<std::uint8_t>(1u << static_cast<unsigned>(e)); }
  std::uint8_t m_bits = 0;
};

enum TVnOption : std::uint8_t {
  vnoRowSelect = 0,
  vnoDragFieldName = 1,
  vnoHideSelection = 2,
  vnoShowFieldTypes = 3,
};
using TVnOptions = TVnSet<TVnOption>;

// Bit i shows or hides page i of the tab control.
enum TVnVisibleTab : std::uint8_t {
  vntCriterions = 0,
  vntSelection = 1,
  vntGroupCriterions = 2,
  vntSorting = 3,
};
using TVnVisibleTabs = TVnSet<TVnVisibleTab>;
inline constexpr TVnVisibleTabs AllVisibleTabs{vntCriterions, vntSelection, vntGroupCriterions,
                                               vntSorting};

enum TVnButtonStyle : std::uint8_t { vnsFlat = 0, vns3DLook = 1, vnsRaise = 2 };
enum TVnBorderKind : std::uint8_t { vnkBump = 0, vnkEtched = 1, vnkRaised = 2, vnkSunken = 3 };
enum TVnAction : std::uint8_t { vnaAdd = 0, vnaRemove = 1 };

// Hit zones of the diagram objects; 1 to 9 are the grips for moving and resizing.
using TVnHitZone = std::uint8_t;
enum : TVnHitZone {
  hzNone = 0,
  hzLeft = 1,
  hzTop = 2,
  hzRight = 3,
  hzBottom = 4,
  hzTopLeft = 5,
  hzBottomLeft = 6,
  hzTopRight = 7,
  hzBottomRight = 8,
  hzCaption = 9,
  hzBody = 10,
  hzLinkEnd = 11,
  hzLinkPoint = 12,
  hzButtons = 13,
  hzCheckBox = 14,
};

// An error of the designer's controls; the message comes from the string table.
class EVnDesignerError : public EVnError {
public:
  using EVnError::EVnError;
};

}  // namespace vantor

Q_DECLARE_METATYPE(vantor::TVnOptions)
Q_DECLARE_METATYPE(vantor::TVnVisibleTabs)
