// The keys grid bound to the working image: the grid's commands without the image in their
// signatures, so that the widget can drive the model without ever reaching the image.
#pragma once

#include <optional>
#include <string_view>

#include "core/config/image.hpp"
#include "core/keys/keys_grid.hpp"

namespace kivprism::keys {

class KeysGridBinding {
 public:
  KeysGridBinding(config::ConfigImage& image, KeysGrid& grid) : image_(image), grid_(grid) {}

  KeysGrid& grid() { return grid_; }

  void fill() { grid_.fill(image_); }
  void writeKeyLabels() const { grid_.writeKeyLabels(image_); }
  std::string_view text(int column, int row) const { return grid_.text(column, row); }
  bool highlighted(int column, int row) const { return grid_.highlighted(column, row); }
  bool openEditor(int column, int row) { return grid_.openEditor(image_, column, row); }
  bool canSelect(int column, int row) const { return grid_.canSelect(image_, column, row); }
  TypedText typed(int column, int row, std::string_view text) {
    return grid_.typed(image_, column, row, text);
  }
  FinishedEdit finishEdit(bool editorOpen) { return grid_.finishEdit(image_, editorOpen); }
  CellHint hint(int column, int row) const { return grid_.hint(image_, column, row); }
  std::optional<KeysMenu> menuAt(int column, int row) const {
    return grid_.menuAt(image_, column, row);
  }
  bool apply(const KeysMenu& menu) { return grid_.apply(image_, menu); }

 private:
  config::ConfigImage& image_;
  KeysGrid& grid_;
};

}  // namespace kivprism::keys
