// The check of a value typed into a field: within its range, it is stored little-endian into the
// destination; otherwise a box says why and the field is selected again for a new value.
#pragma once

#include <cstdint>
#include <span>

class QLineEdit;

namespace kivprism::ui {

class WindowShell;

// width: 1, 2 or 4 bytes. False after the box.
bool valueEntryCheck(WindowShell& shell, QLineEdit* field, std::uint32_t minimum,
                     std::uint32_t maximum, std::span<std::uint8_t> destination, unsigned width);

}  // namespace kivprism::ui
