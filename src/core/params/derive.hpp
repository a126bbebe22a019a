// The refresh of the parameters page, without widgets: normalise the image the way the assignment
// rules demand (the corrections are changes of the user's image like any edit, and go to the
// controller with the next change sending), then derive the view of every control from it. The
// derivation only reads.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/config/image.hpp"
#include "core/params/assignment.hpp"
#include "core/params/page_view.hpp"

namespace kivprism::params {

// A run of bytes [begin, end) that a normalisation changed.
struct ImageRun {
  std::size_t begin = 0;
  std::size_t end = 0;
  friend bool operator==(const ImageRun&, const ImageRun&) = default;
};

// Writes back every normalisation of the page (claimed pins, LIN1 under a two-line LIN2 device,
// the capacitive converter's touch settings, pulse output, head unit, navigation, GA-NET, iDrive
// backlight, LIN speed, UART times, IEBUS functions). Returns the runs it changed, in image order;
// none for an image that needs no correction.
std::vector<ImageRun> normalisePage(config::ConfigImage& image);

// The view of the page for the language, of an image as it stands (normalised first by the
// caller when the page is to show the corrections).
PageView derivePage(const config::ConfigImage& image, lang::Language language);

// One control as its binding shows the image, without the page's rules (for a field that has just
// stored a corrected value and is not followed by a refresh).
ControlView deriveControl(const config::ConfigImage& image, std::string_view control);

// The pins tab's warning: one line per pin that two functions claim at once (pinClaimOverlaps),
// or an empty text.
std::string pinOverlapText(const config::ConfigImage& image, lang::Language language);

// The tabs of PageControlParams in page order.
std::span<const std::string_view> paramTabNames();

// Source names (1..8): the field's characters up to the first NUL, at most 5, as UTF-8.
std::string sourceNameText(const config::ConfigImage& image, std::size_t source);

// The texts of the item the touch mode and USB source lists build from their masks.
std::string touchSourcesItem(unsigned mode, std::uint8_t interceptMask, lang::Language language);
std::string usbTouchItem(std::uint8_t mask, lang::Language language);

}  // namespace kivprism::params
