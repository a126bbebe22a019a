// The keys grid: 5 columns by 16 rows, key channels 1..4 in columns 0..3 with their keys 1..15 in
// rows 1..15, and the encoder column 4. The model keeps the cells' texts, the highlight of the key
// just pressed and the state of a label edit, and carries out the grid's commands on the image.
// The widget only mirrors it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/image.hpp"
#include "core/keys/key_rules.hpp"

namespace kivprism::keys {

inline constexpr int kGridColumns = 5;
inline constexpr int kGridRows = 16;
inline constexpr int kEncoderColumn = 4;
inline constexpr int kEncoderRows = 4;  // Enc1+, Enc1-, Enc2+, Enc2-

enum class CellCursor { Default, HandPoint, NoEntry, Help };

struct CellHint {
  std::string text;  // empty: no hint
  CellCursor cursor = CellCursor::Default;
};

// The context menu on the grid: delete one key (mode 1) or all keys of a channel (mode 6).
struct KeysMenu {
  enum class Mode { DeleteKey = 1, DeleteChannel = 6 };
  Mode mode;
  std::size_t channel;  // 0..3
  std::size_t key;      // 1..15; 0 for the channel
  std::string caption;  // of DeleteKeyx
  // The question to answer with Yes before the command runs; empty: none.
  std::string question;
};

// What the widget does after a typed change of a cell.
struct TypedText {
  std::string text;  // the cell's text from now on
  bool closeEditor = false;
};

// The outcome of a finished label edit.
struct FinishedEdit {
  bool finished = false;  // the label was stored: redraw the event pane, clear the selection
  std::string refusal;    // the information box to show, empty when the name was accepted
};

// Whether encoder 1 or 2 is in use; the encoder caption of a row 1..4 (empty when not in use).
bool encoderInUse(const config::ConfigImage& image, int encoder);
std::string_view encoderCaption(const config::ConfigImage& image, int row);

class KeysGrid {
 public:
  KeysGrid();

  std::string_view text(int column, int row) const { return cells_[index(column, row)]; }
  bool highlighted(int column, int row) const;

  // The redraw from the image (fillKeysGrid): headers in the current language, the channel cells,
  // the encoder captions; no highlight.
  void fill(const config::ConfigImage& image);
  // The labels of the channel cells into the keys table (writeKeyLabels).
  void writeKeyLabels(config::ConfigImage& image) const;

  // --- learning ---
  // A key just took a reading: its cell shows the automatic label unless it has a name of its
  // own, and it alone of its channel is highlighted.
  void showPressedKey(const config::ConfigImage& image, std::size_t channel, std::size_t key);
  void clearHighlights(std::size_t channel);
  void clearHighlights();

  // --- label editing ---
  // Opening the cell editor; false when it must close at once (the encoder column, the headers
  // and the empty slots, which have no label to give).
  bool openEditor(const config::ConfigImage& image, int column, int row);
  bool canSelect(const config::ConfigImage& image, int column, int row) const;
  TypedText typed(const config::ConfigImage& image, int column, int row, std::string_view text);
  // Every poll tick (finishKeyLabelEdit), with whether the cell editor is still open.
  FinishedEdit finishEdit(config::ConfigImage& image, bool editorOpen);
  int editState() const { return editState_; }

  // --- hints and the context menu ---
  CellHint hint(const config::ConfigImage& image, int column, int row) const;
  std::optional<KeysMenu> menuAt(const config::ConfigImage& image, int column, int row) const;
  // Carries out the menu's command. Gives true when key events lost a reference or name a key
  // that is gone (the event pane must redraw).
  bool apply(config::ConfigImage& image, const KeysMenu& menu);
  // Clears the key and every key event's reference to it as key or modifier.
  void deleteKey(config::ConfigImage& image, std::size_t channel, std::size_t key);
  // Clears the channel's 135 bytes; key events keep their references, which then name keys that
  // are gone.
  void deleteChannelKeys(config::ConfigImage& image, std::size_t channel);

 private:
  static std::size_t index(int column, int row) {
    return static_cast<std::size_t>(row) * kGridColumns + static_cast<std::size_t>(column);
  }
  static bool isKeyCell(int column, int row) {
    return column >= 0 && column < kEncoderColumn && row >= 1 && row < kGridRows;
  }
  std::string& cell(std::size_t channel, std::size_t key) {
    return cells_[index(static_cast<int>(channel), static_cast<int>(key))];
  }

  std::array<std::string, std::size_t{kGridColumns} * kGridRows> cells_;
  std::array<std::array<bool, kKeysPerChannel + 1>, kChannels> highlight_{};
  int editState_ = 0;  // 0 idle, 1 editor opened, 2 editing
  int editColumn_ = 0;
  int editRow_ = 0;
  std::string textBeforeEdit_;
};

}  // namespace kivprism::keys
