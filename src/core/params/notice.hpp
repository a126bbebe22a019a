// What a parameter handler tells the user; the type is the forms' own (core/view/notice.hpp).
#pragma once

#include "core/view/notice.hpp"

namespace kivprism::params {

using view::Notice;
using view::NoticeKind;
using view::plainNotice;

}  // namespace kivprism::params
