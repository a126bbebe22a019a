#include "core/keys/keys_grid.hpp"

#include "core/events/entry_operations.hpp"
#include "core/keys/keys_texts.hpp"

namespace kivprism::keys {

namespace layout = config::layout;
using config::ConfigImage;
using lang::formatText;
using lang::translateText;

namespace {

constexpr std::string_view kEncoderCaptions[kEncoderRows] = {"Enc1+", "Enc1-", "Enc2+", "Enc2-"};

std::size_t channelOf(int column) { return static_cast<std::size_t>(column); }
std::size_t keyOf(int row) { return static_cast<std::size_t>(row); }

// Rows 1..2 belong to encoder 1, rows 3..4 to encoder 2.
int encoderOfRow(int row) { return row <= 2 ? 1 : 2; }

bool encoderRowInUse(const ConfigImage& image, int row) {
  return row >= 1 && row <= kEncoderRows && encoderInUse(image, encoderOfRow(row));
}

}  // namespace

bool encoderInUse(const ConfigImage& image, int encoder) {
  return image.getU8(encoder == 1 ? layout::kEnc0Mode : layout::kEnc1Mode) != 0;
}

std::string_view encoderCaption(const ConfigImage& image, int row) {
  return encoderRowInUse(image, row) ? kEncoderCaptions[row - 1] : std::string_view{};
}

KeysGrid::KeysGrid() = default;

bool KeysGrid::highlighted(int column, int row) const {
  return isKeyCell(column, row) && highlight_[channelOf(column)][keyOf(row)];
}

void KeysGrid::fill(const ConfigImage& image) {
  for (std::size_t c = 0; c < kChannels; ++c) {
    cells_[index(static_cast<int>(c), 0)] =
        formatText(translateText(texts::kChannelHeader), static_cast<int>(c + 1));
    for (std::size_t k = 1; k <= kKeysPerChannel; ++k) {
      cell(c, k) = keyCellText(image, c, k);
    }
  }
  cells_[index(kEncoderColumn, 0)] = translateText(texts::kEncoderHeader);
  for (int row = 1; row < kGridRows; ++row) {
    cells_[index(kEncoderColumn, row)] = encoderCaption(image, row);
  }
  clearHighlights();
}

void KeysGrid::writeKeyLabels(ConfigImage& image) const {
  for (std::size_t c = 0; c < kChannels; ++c) {
    for (std::size_t k = 1; k <= kKeysPerChannel; ++k) {
      // An empty slot has no label, whatever its cell was given.
      storeLabel(image, c, k,
                 slotUsed(image, c, k)
                     ? std::string_view(cells_[index(static_cast<int>(c), static_cast<int>(k))])
                     : std::string_view{});
    }
  }
}

void KeysGrid::showPressedKey(const ConfigImage& image, std::size_t channel, std::size_t key) {
  if (isAutomaticLabel(storedLabel(image, channel, key))) {
    cell(channel, key) = automaticLabel(channel, keyLevelAt(image, channel, key));
  }
  clearHighlights(channel);
  highlight_[channel][key] = true;
}

void KeysGrid::clearHighlights(std::size_t channel) { highlight_[channel].fill(false); }

void KeysGrid::clearHighlights() {
  for (std::size_t c = 0; c < kChannels; ++c) {
    clearHighlights(c);
  }
}

bool KeysGrid::openEditor(const ConfigImage& image, int column, int row) {
  if (!isKeyCell(column, row) || !slotUsed(image, channelOf(column), keyOf(row))) {
    return false;
  }
  if (editState_ == 0) {
    editColumn_ = column;
    editRow_ = row;
    textBeforeEdit_ = cells_[index(column, row)];
    editState_ = 1;
  }
  return true;
}

bool KeysGrid::canSelect(const ConfigImage& image, int column, int row) const {
  if (row == 0) {
    return true;
  }
  if (column == kEncoderColumn) {
    return encoderRowInUse(image, row);
  }
  return isKeyCell(column, row) && slotUsed(image, channelOf(column), keyOf(row));
}

TypedText KeysGrid::typed(const ConfigImage& image, int column, int row, std::string_view text) {
  if (!isKeyCell(column, row) || !slotUsed(image, channelOf(column), keyOf(row))) {
    // Only a learnt key takes a name: any other cell keeps what it shows.
    const std::string shown = column == kEncoderColumn ? std::string(encoderCaption(image, row))
                                                       : cells_[index(column, row)];
    cells_[index(column, row)] = shown;
    return {shown, true};
  }
  TypedText out{firstCharacters(text, kLabelLength), false};
  cells_[index(column, row)] = out.text;
  return out;
}

FinishedEdit KeysGrid::finishEdit(ConfigImage& image, bool editorOpen) {
  FinishedEdit out;
  if (editorOpen) {
    if (editState_ == 1) {
      editState_ = 2;
    }
    return out;
  }
  // An editor opened and closed between two ticks is finished as well, so no typed name is lost.
  if (editState_ == 0) {
    return out;
  }
  editState_ = 0;
  const std::size_t channel = channelOf(editColumn_);
  const std::size_t key = keyOf(editRow_);
  if (!isKeyCell(editColumn_, editRow_) || !slotUsed(image, channel, key)) {
    return out;
  }
  std::string& text = cell(channel, key);
  if (text.empty()) {
    text = automaticLabel(channel, keyLevelAt(image, channel, key));
  }
  for (int c = 0; c < kEncoderColumn && out.refusal.empty(); ++c) {
    for (int r = 1; r < kGridRows; ++r) {
      if ((c != editColumn_ || r != editRow_) && cells_[index(c, r)] == text) {
        out.refusal = formatText(translateText(texts::kNameTaken), text.c_str());
        text = textBeforeEdit_;
        break;
      }
    }
  }
  storeTypedLabel(image, channel, key, text);
  out.finished = true;
  return out;
}

CellHint KeysGrid::hint(const ConfigImage& image, int column, int row) const {
  if (row == 0) {
    const bool withKeys = column < kEncoderColumn && [&] {
      for (std::size_t k = 1; k <= kKeysPerChannel; ++k) {
        if (slotUsed(image, channelOf(column), k)) {
          return true;
        }
      }
      return false;
    }();
    return {{}, withKeys ? CellCursor::Help : CellCursor::Default};
  }
  if (column == kEncoderColumn) {
    if (encoderRowInUse(image, row)) {
      return {std::string(translateText(texts::kEncoderHints[row - 1])), CellCursor::HandPoint};
    }
    return {{}, CellCursor::NoEntry};
  }
  const std::size_t channel = channelOf(column);
  const std::size_t key = keyOf(row);
  if (!isKeyCell(column, row) || !slotUsed(image, channel, key)) {
    return {{}, CellCursor::NoEntry};
  }
  const unsigned number = static_cast<unsigned>(channel + 1);
  const unsigned level = keyLevelAt(image, channel, key);
  const unsigned tolerance = keyToleranceAt(image, channel, key);
  const std::string label = storedLabel(image, channel, key);
  if (isAutomaticLabel(label)) {
    return {formatText(translateText(texts::kAutomaticKeyHint), number, level, tolerance),
            CellCursor::HandPoint};
  }
  return {formatText(translateText(texts::kNamedKeyHint), label.c_str(), number, level, tolerance),
          CellCursor::HandPoint};
}

std::optional<KeysMenu> KeysGrid::menuAt(const ConfigImage& image, int column, int row) const {
  if (column < 0 || column >= kEncoderColumn) {
    return std::nullopt;
  }
  const std::size_t channel = channelOf(column);
  if (row == 0) {
    if (!channelHasData(image, channel)) {
      return std::nullopt;
    }
    const auto users =
        events::entriesUsingKeyChannel(image, static_cast<std::uint8_t>(channel)).size();
    return KeysMenu{KeysMenu::Mode::DeleteChannel, channel, 0,
                    formatText(translateText(texts::kDeleteChannelKeys), column + 1),
                    formatText(translateText(texts::kAskDeleteChannelKeys), column + 1,
                               static_cast<unsigned>(users))};
  }
  if (!isKeyCell(column, row) || !slotUsed(image, channel, keyOf(row))) {
    return std::nullopt;
  }
  return KeysMenu{KeysMenu::Mode::DeleteKey,
                  channel,
                  keyOf(row),
                  std::string(translateText(texts::kDeleteKey)),
                  {}};
}

bool KeysGrid::apply(ConfigImage& image, const KeysMenu& menu) {
  if (menu.mode == KeysMenu::Mode::DeleteChannel) {
    deleteChannelKeys(image, menu.channel);
    return !events::entriesUsingKeyChannel(image, static_cast<std::uint8_t>(menu.channel)).empty();
  }
  deleteKey(image, menu.channel, menu.key);
  return true;
}

void KeysGrid::deleteKey(ConfigImage& image, std::size_t channel, std::size_t key) {
  image.clear(layout::keyEntry(channel, key - 1));
  cell(channel, key).clear();
  highlight_[channel][key] = false;
  events::deleteKeyReferences(image,
                              {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(channel)});
}

void KeysGrid::deleteChannelKeys(ConfigImage& image, std::size_t channel) {
  for (std::size_t k = 1; k <= kKeysPerChannel; ++k) {
    image.clear(layout::keyEntry(channel, k - 1));
    cell(channel, k).clear();
  }
  clearHighlights(channel);
}

}  // namespace kivprism::keys
